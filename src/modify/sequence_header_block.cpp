#include "modify/sequence_header_block.h"

#include <algorithm>

namespace tessivo {

namespace {

constexpr uint8_t kExtensionStartCode = 0xB5;

// The block ends with the user-data or GOP start code that closed it, or runs on into a picture
// when the header had neither before it: only the header and its extensions belong to it.
uint32_t HeaderLength(const FirstSequenceBlock& block) {
  const uint32_t length = std::min(block.length, kFirstSequenceBlockSize);
  for (uint32_t i = 8; i + 4 <= length; ++i) {
    if (block.bytes[i] == 0 && block.bytes[i + 1] == 0 && block.bytes[i + 2] == 1 &&
        block.bytes[i + 3] != kExtensionStartCode) {
      return i;
    }
  }
  return length;
}

}  // namespace

std::vector<uint8_t> SequenceHeaderBlock(const FirstSequenceBlock& block,
                                         const HeaderPatch& patch) {
  const uint32_t length = HeaderLength(block);
  if (length < 8) return {};
  std::vector<uint8_t> bytes = {0x00, 0x00, 0x01, 0xB3};
  HeaderBytes header;
  std::copy_n(block.bytes, header.size(), header.begin());
  ApplyImage(patch, header);
  bytes.insert(bytes.end(), header.begin(), header.end());
  bytes.insert(bytes.end(), block.bytes + header.size(), block.bytes + length);
  return bytes;
}

}  // namespace tessivo
