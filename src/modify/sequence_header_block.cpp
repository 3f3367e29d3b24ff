#include "modify/sequence_header_block.h"

#include <algorithm>

#include "input/start_code_scanner.h"
#include "input/start_codes.h"

namespace tessivo {

namespace {

// The block ends with the user-data or GOP start code that closed it, or runs on into a picture
// when the header had neither before it: only the header and its extensions belong to it.
uint32_t HeaderLength(const FirstSequenceBlock& block) {
  const uint32_t length = std::min(block.length, kFirstSequenceBlockSize);
  if (length <= 8) return length;
  const uint8_t* end = block.bytes + length;
  StartCodeScanner scanner;
  for (const uint8_t* next = block.bytes + 8; (next = scanner.Find(next, end)) != nullptr;) {
    if (scanner.code() != kExtensionStartCode) return static_cast<uint32_t>(next - 4 - block.bytes);
  }
  return length;
}

}  // namespace

std::vector<uint8_t> SequenceHeaderBlock(const FirstSequenceBlock& block,
                                         const HeaderPatch& patch) {
  const uint32_t length = HeaderLength(block);
  if (length < 8) return {};
  std::vector<uint8_t> bytes = {0x00, 0x00, 0x01, static_cast<uint8_t>(kSequenceHeaderCode)};
  SequenceHeaderBytes header;
  std::copy_n(block.bytes, header.size(), header.begin());
  ApplyImage(patch, header);
  bytes.insert(bytes.end(), header.begin(), header.end());
  bytes.insert(bytes.end(), block.bytes + header.size(), block.bytes + length);
  return bytes;
}

}  // namespace tessivo
