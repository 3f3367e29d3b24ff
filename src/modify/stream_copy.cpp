#include "modify/stream_copy.h"

#include <algorithm>
#include <cstring>
#include <span>
#include <vector>

#include "base/same_file.h"
#include "input/start_code_scanner.h"
#include "input/start_codes.h"
#include "modify/copy_files.h"
#include "modify/sequence_header_block.h"

namespace tessivo {

namespace {

constexpr uint64_t kProgressStep = 1000;

class Copier {
 public:
  Copier(const HeaderPatch& patch, const CopyOptions& options, const RecordStores& stores,
         CopyProgress& progress, CopyInput& input, CopyOutput& output)
      : patch_(patch),
        options_(options),
        stores_(stores),
        progress_(progress),
        input_(input),
        output_(output),
        block_(SequenceHeaderBlock(stores.firstSequenceBlock, patch)) {}

  bool Run() {
    const uint32_t gopCount = stores_.gopCount;
    cutAtEnd_ = gopCount > 0 && options_.outGop < gopCount - 1;
    if (options_.performCut && options_.inGop > 0 && options_.inGop < gopCount) {
      WriteBlock();
      if (!input_.Seek(stores_.gopPositions()[options_.inGop] - 4)) return false;
      gopCounter_ = options_.inGop;
    }
    CopyBytes();
    if (cancelled_) return true;
    if (!endCodeLast_ && options_.addSequenceEndCode) {
      WriteStartCode(kSequenceEndCode);
    }
    return true;
  }

  bool cancelled() const { return cancelled_; }

 private:
  void CopyBytes() {
    scanner_.Restart();
    for (;;) {
      if (cancelled_) return;
      const std::span<const uint8_t> bytes = input_.Buffered();
      if (bytes.empty()) break;
      uint8_t carried[3];
      const uint32_t carriedCount = scanner_.carriedCount();
      for (uint32_t i = 0; i < carriedCount; ++i) carried[i] = scanner_.carried(i);
      const uint8_t* begin = bytes.data();
      const uint8_t* next = scanner_.Find(begin, begin + bytes.size());
      if (!next) {
        // All but the bytes the scanner still holds are plain stream bytes.
        PassPlain(carried, carriedCount, begin,
                  carriedCount + bytes.size() - scanner_.carriedCount());
        Advance(bytes.size());
        continue;
      }
      // The start code may have begun in the bytes carried from the previous buffer.
      const auto taken = static_cast<size_t>(next - begin);
      PassPlain(carried, carriedCount, begin, carriedCount + taken - 4);
      Advance(taken);
      skip_ = false;
      if (!HandleStartCode(scanner_.code())) return;
    }
    if (skip_) return;
    for (uint32_t i = 0; i < scanner_.carriedCount(); ++i) output_.Put(scanner_.carried(i));
  }

  // Writes, unless skipping, the first count bytes of the carried bytes followed by bytes.
  void PassPlain(const uint8_t* carried, uint32_t carriedCount, const uint8_t* bytes,
                 size_t count) {
    if (skip_) return;
    const size_t fromCarried = std::min<size_t>(carriedCount, count);
    output_.Put(carried, fromCarried);
    output_.Put(bytes, count - fromCarried);
  }

  void Advance(size_t count) {
    const uint64_t before = input_.offset();
    input_.Consume(count);
    for (uint64_t step = (before / kProgressStep + 1) * kProgressStep; step <= input_.offset();
         step += kProgressStep) {
      ReportProgress(step);
    }
  }

  bool Take(uint8_t& byte) {
    if (cancelled_ || !input_.Take(byte)) return false;
    if (input_.offset() % kProgressStep == 0) ReportProgress(input_.offset());
    return true;
  }

  void ReportProgress(uint64_t taken) {
    if (input_.length() == 0) return;
    const uint64_t percent = std::min<uint64_t>(taken * 100 / input_.length(), 100);
    progress_.UpdateCopyProgress(static_cast<uint32_t>(percent));
    if (progress_.CopyCancelled()) cancelled_ = true;
  }

  // False when the copy stops here.
  bool HandleStartCode(uint32_t code) {
    switch (code) {
      case kUserDataStartCode:
        if (options_.removeUserData) {
          skip_ = true;
          return true;
        }
        break;
      case kSequenceHeaderCode:
        if (AtEndOfCut()) return false;
        WriteStartCode(code);
        PatchSequenceHeader();
        headerSinceGop_ = true;
        return true;
      case kGroupStartCode:
        if (AtEndOfCut()) return false;
        // GOPs before the first recorded one were never analysed and have no record.
        if (stores_.gopCount > 0 && input_.offset() >= stores_.gopPositions()[0]) ++gopCounter_;
        if (options_.sequenceHeaderEachGop && !headerSinceGop_) WriteBlock();
        headerSinceGop_ = false;
        WriteUserData();
        break;
    }
    WriteStartCode(code);
    return true;
  }

  bool AtEndOfCut() const { return cutAtEnd_ && gopCounter_ == options_.outGop + 1; }

  void WriteStartCode(uint32_t code) {
    const uint8_t startCode[] = {0x00, 0x00, 0x01, static_cast<uint8_t>(code)};
    output_.Put(startCode, sizeof startCode);
    endCodeLast_ = code == kSequenceEndCode;
  }

  void PatchSequenceHeader() {
    SequenceHeaderBytes header;
    size_t taken = 0;
    while (taken < header.size() && Take(header[taken])) ++taken;
    if (taken == header.size()) ApplyChangedFields(patch_, header);
    output_.Put(header.data(), taken);
  }

  void WriteBlock() {
    if (block_.empty()) return;
    output_.Put(block_.data(), block_.size());
    headerSinceGop_ = true;
    endCodeLast_ = false;
  }

  void WriteUserData() {
    if (options_.userData.empty()) return;
    WriteStartCode(kUserDataStartCode);
    output_.Put(reinterpret_cast<const uint8_t*>(options_.userData.data()),
                options_.userData.size());
  }

  const HeaderPatch& patch_;
  const CopyOptions& options_;
  const RecordStores& stores_;
  CopyProgress& progress_;
  CopyInput& input_;
  CopyOutput& output_;
  const std::vector<uint8_t> block_;

  StartCodeScanner scanner_;
  bool skip_ = false;
  bool endCodeLast_ = false;
  bool headerSinceGop_ = false;
  bool cutAtEnd_ = false;
  bool cancelled_ = false;
  uint32_t gopCounter_ = 0;  // the GOP record whose start code comes next
};

}  // namespace

Status StreamCopy(const std::string& inputPath, const std::string& outputPath,
                  const HeaderPatch& patch, const CopyOptions& options, const RecordStores& stores,
                  CopyProgress& progress) {
  constexpr StatusKind kFailed = StatusKind::kCannotWrite;
  if (SameFile(inputPath, outputPath)) {
    return Failure(kFailed, SameFileRefusal(outputPath, inputPath, "analysed file"));
  }
  CopyInput input;
  if (!input.Open(inputPath)) return Failure(kFailed, "Cannot open the input file " + inputPath);
  CopyOutput output(progress);
  if (!output.Create(outputPath)) {
    return Failure(kFailed, "Cannot create the output file " + outputPath);
  }
  Copier copier(patch, options, stores, progress, input, output);
  if (!copier.Run()) return Failure(kFailed, "Cannot read the input file " + inputPath);
  if (copier.cancelled()) {
    return Failure(StatusKind::kCancelled, "The copy to " + outputPath + " was cancelled");
  }
  if (!output.Commit()) return Failure(kFailed, "Cannot write the output file " + outputPath);
  return Status{};
}

}  // namespace tessivo
