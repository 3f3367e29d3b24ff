#include "mpeg/mpgread.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <limits>

#include "input/start_codes.h"
#include "mpeg/kilo_base.h"
#include "mpeg/second_bitrate.h"

namespace tessivo {

namespace {
constexpr uint32_t kFramePicture = 3;

// Record fields are 32 bits wide: a larger value is kept as the largest they hold.
uint32_t ClampTo32(uint64_t value) {
  return static_cast<uint32_t>(std::min<uint64_t>(value, std::numeric_limits<uint32_t>::max()));
}

std::string FileNotFoundMessage(const std::string& path) {
  const int length = std::snprintf(nullptr, 0, "File %s not found\n", path.c_str());
  std::string text(static_cast<size_t>(length), '\0');
  std::snprintf(text.data(), text.size() + 1, "File %s not found\n", path.c_str());
  return text;
}
}  // namespace

VideoParser::VideoParser(FileReader& reader, RecordStores& stores, AnalysisObserver& observer,
                         uint32_t kiloBase)
    : reader_(reader),
      stores_(stores),
      observer_(observer),
      kiloBase_(KiloBaseOf(kiloBase)),
      source_(reader, stores.firstSequenceBlock),
      pictureFacts_(stores) {}

Status VideoParser::OpenStream(const std::string& path) {
  currentStartCode_ = kEndOfStream;
  source_.Reset();
  if (!reader_.OpenInputFile(path)) {
    return Failure(StatusKind::kFileNotFound, FileNotFoundMessage(path));
  }
  extensionSeen_ = false;
  sequenceHeaderDecoded_ = false;
  decodedExtensions_ = DecodedExtensions{};
  firstPictureRecorded_ = false;
  lastPicturePosition_ = 0;
  secondsParsed_ = 0;
  pictureFacts_.Reset();
  facts_ = ParserFacts{};
  observer_.SetStatusCaption("Seeking");
  observer_.PumpOneMessage();
  std::memset(&stores_.firstSequenceBlock, 0, sizeof stores_.firstSequenceBlock);
  source_.SetCapture(false);

  Status transport = OpenTransportStream();
  if (!transport.ok()) return transport;
  while (reader_.container() == Container::kElementary) {
    currentStartCode_ = source_.NextStartCode();
    if (currentStartCode_ == kSequenceHeaderCode) break;
    if (currentStartCode_ == kPackStartCode || currentStartCode_ == kSystemHeaderStartCode) {
      source_.Reset();
      reader_.SwitchToDemux();  // rewinds the file
      SeekFirstSequenceHeader();
      break;
    }
    if (currentStartCode_ == kEndOfStream) {
      reader_.CloseFile();
      observer_.SetStatusCaption("Reading");
      observer_.PumpOneMessage();
      return Failure(StatusKind::kInvalidStream, "Invalid stream type!");
    }
    facts_.startsWithInvalidHeader = true;
    observer_.PumpOneMessage();
  }
  observer_.SetStatusCaption("Reading");
  observer_.PumpOneMessage();
  return Status{};
}

Status VideoParser::OpenTransportStream() {
  const std::optional<TsLayout> layout = reader_.DetectTransportStream();
  if (!layout) return Status{};
  const TsChoice choice = reader_.SwitchToTransport(*layout);
  if (choice == TsChoice::kChosen) {
    SeekFirstSequenceHeader();
    return Status{};
  }
  reader_.CloseFile();
  observer_.SetStatusCaption("Reading");
  observer_.PumpOneMessage();
  // The program list is the analysis context's to tell.
  if (choice == TsChoice::kUnknownProgram) return Failure(StatusKind::kUnknownProgram, {});
  return Failure(StatusKind::kNoTransportVideo,
                 "No MPEG-1/MPEG-2 video stream found in this transport stream!");
}

void VideoParser::SeekFirstSequenceHeader() {
  do {
    currentStartCode_ = source_.NextStartCode();
  } while (currentStartCode_ != kSequenceHeaderCode && currentStartCode_ != kEndOfStream);
  // Positions count video bytes from the end of this start code.
  source_.ResetStreamByteCounter();
  facts_.noSequenceHeader = currentStartCode_ == kEndOfStream;
}

bool VideoParser::ParseSecond(PerSecondStats& record) {
  if (currentStartCode_ == kEndOfStream) return false;
  Step step;
  step.start = source_.streamByteCounter();
  uint32_t code = currentStartCode_;
  for (;;) {
    const StartCodeOutcome outcome = HandleStartCode(code, step);
    if (outcome == StartCodeOutcome::kSecondComplete) {
      currentStartCode_ = source_.NextStartCode();
      // A stream that ends right here still closes the picture that completed the second.
      if (currentStartCode_ == kEndOfStream) CloseOpenPicture(step);
      break;
    }
    if (outcome == StartCodeOutcome::kStoreFull) {
      currentStartCode_ = kEndOfStream;
      facts_.capacityReached = true;
      reader_.CloseFile();
      break;
    }
    code = source_.NextStartCode();
    if (code == kEndOfStream) {
      currentStartCode_ = kEndOfStream;
      CloseOpenPicture(step);
      break;
    }
  }
  FillRecord(step, record);
  stores_.streamByteCount = source_.streamByteCounter();
  stores_.summary.streamBytes = static_cast<uint32_t>(stores_.streamByteCount);
  ++secondsParsed_;
  return true;
}

void VideoParser::StopAtCapacity() {
  if (currentStartCode_ == kEndOfStream) return;
  // Read the open picture to its end so that its record is whole, then stop.
  Step step;
  for (uint32_t code = currentStartCode_;; code = source_.NextStartCode()) {
    if (code == kEndOfStream || code == kGroupStartCode || code == kPictureStartCode) {
      CloseOpenPicture(step);
      break;
    }
    HandleStartCode(code, step);
  }
  currentStartCode_ = kEndOfStream;
  facts_.capacityReached = true;
  reader_.CloseFile();
}

VideoParser::StartCodeOutcome VideoParser::HandleStartCode(uint32_t code, Step& step) {
  if (code >= kFirstSliceStartCode && code <= kLastSliceStartCode) {
    HandleSlice(step);
    return StartCodeOutcome::kContinue;
  }
  switch (code) {
    case kPictureStartCode:
      return HandlePicture(step);
    case kUserDataStartCode:
      source_.SetCapture(false);
      break;
    case kSequenceHeaderCode:
      HandleSequenceHeader();
      break;
    case kExtensionStartCode: {
      ExtensionValues values;
      if (ReadExtension(source_, values)) {
        DecodeExtension(values, stores_.summary, decodedExtensions_, facts_.isScalable);
        pictureFacts_.OnExtension(values);
        extensionSeen_ = true;
      }
      break;
    }
    case kGroupStartCode:
      return HandleGop(step);
    default:
      break;
  }
  return StartCodeOutcome::kContinue;
}

void VideoParser::HandleSlice(Step& step) {
  if (step.skipSlices) return;
  const uint32_t q = ReadSliceQuantiser(source_, facts_.isScalable);
  SequenceSummary& summary = stores_.summary;
  if (summary.pictureCount > 0) {
    PictureRecord& picture = stores_.pictures()[summary.pictureCount - 1];
    if (picture.qmax == 0) picture.qmin = 100;
    const auto quantiser = static_cast<int32_t>(q);
    if (quantiser < picture.qmin) picture.qmin = quantiser;
    if (quantiser > picture.qmax) picture.qmax = quantiser;
    picture.qavg += q;
  }
  ++step.pictureSliceCount;
  step.quantiserSum += q;
  ++step.sliceCount;
}

VideoParser::StartCodeOutcome VideoParser::HandlePicture(Step& step) {
  SequenceSummary& summary = stores_.summary;
  PictureRecord* pictures = stores_.pictures();
  const uint64_t position = source_.streamByteCounter();
  if (summary.pictureCount > 0) {
    pictures[summary.pictureCount - 1].size = ClampTo32(position - lastPicturePosition_);
  }
  lastPicturePosition_ = position;

  PictureHeaderStart start;
  const char letter = DecodePictureType(source_, start);
  if (letter == kUnusablePicture) {
    step.skipSlices = true;
    pictureFacts_.OnUnusablePicture();
    return StartCodeOutcome::kContinue;
  }
  if (step.pictureSliceCount != 0 && summary.pictureCount > 0) {
    pictures[summary.pictureCount - 1].qavg /= static_cast<double>(step.pictureSliceCount);
  }
  step.pictureSliceCount = 0;
  if (summary.pictureCount == stores_.capacity()) return StartCodeOutcome::kStoreFull;

  step.skipSlices = false;
  observer_.SetPictureCounter(summary.pictureCount);
  pictures[summary.pictureCount].type = letter;
  ++summary.pictureCount;
  if (stores_.gopCount > 0) AppendToPattern(letter);
  const uint16_t vbvDelay = DecodeVbvDelay(source_, start);
  if (!firstPictureRecorded_) {
    summary.vbrFlag = vbvDelay == kVariableRateVbvDelay ? 1 : 0;
    firstPictureRecorded_ = true;
  }
  pictureFacts_.OnPicture(summary.pictureCount - 1, position, start, vbvDelay,
                          stores_.gopCount > 0 ? stores_.gopCount - 1 : kNoGop, secondsParsed_);
  if (step.sliceCount != 0) {
    step.quantiserTotal +=
        static_cast<double>(step.quantiserSum) / static_cast<double>(step.sliceCount);
    step.quantiserSum = 0;
    step.sliceCount = 0;
  }
  if (CountsFieldPictures()) {
    if (++step.fieldToggle == 2) {
      step.fieldToggle = 0;
      ++step.frames;
    }
  } else {
    ++step.frames;
  }
  return static_cast<double>(step.frames) >= SecondLength() ? StartCodeOutcome::kSecondComplete
                                                            : StartCodeOutcome::kContinue;
}

void VideoParser::AppendToPattern(char letter) {
  GopRecord& gop = stores_.gops()[stores_.gopCount - 1];
  if (gop.count < kPatternOverflowCount - 1) {
    gop.pattern[gop.count++] = letter;
  } else if (gop.count == kPatternOverflowCount - 1) {
    gop.pattern[kPatternOverflowCount - 1] = '!';
    gop.pattern[kPatternOverflowCount] = '\0';
    gop.count = kPatternOverflowCount;
  }
}

void VideoParser::HandleSequenceHeader() {
  const uint64_t position = source_.streamByteCounter();
  // Capture starts with the first header's own bytes.
  if (!sequenceHeaderDecoded_) source_.SetCapture(true);
  const SequenceHeaderValues values = ReadSequenceHeader(source_);
  pictureFacts_.OnSequenceHeader(values, position);
  if (!sequenceHeaderDecoded_) {
    sequenceHeaderDecoded_ = true;
    DecodeSequenceHeader(values, stores_.summary);
    const uint32_t frameRateIndex = stores_.summary.frameRateIndex;
    facts_.frameRate = FrameRateOf(frameRateIndex);
    if (facts_.frameRate == 0.0) facts_.frameRateAssumed = true;
  }
  if (stores_.gopCount < stores_.capacity()) stores_.gops()[stores_.gopCount].sequenceHeader = 1;
}

VideoParser::StartCodeOutcome VideoParser::HandleGop(Step& step) {
  source_.SetCapture(false);
  if (stores_.gopCount == stores_.capacity()) {
    CloseOpenPicture(step);
    return StartCodeOutcome::kStoreFull;
  }
  GopRecord& gop = stores_.gops()[stores_.gopCount];
  const uint64_t position = source_.streamByteCounter();
  gop.position = static_cast<uint32_t>(position);
  stores_.gopPositions()[stores_.gopCount] = position;
  pictureFacts_.OnGroupHeader(position);
  DecodeGopHeader(source_, gop);
  ++stores_.gopCount;
  return StartCodeOutcome::kContinue;
}

void VideoParser::CloseOpenPicture(Step& step) {
  SequenceSummary& summary = stores_.summary;
  if (summary.pictureCount == 0) return;
  PictureRecord& picture = stores_.pictures()[summary.pictureCount - 1];
  picture.size = ClampTo32(source_.streamByteCounter() - lastPicturePosition_);
  if (step.pictureSliceCount != 0) {
    picture.qavg /= static_cast<double>(step.pictureSliceCount);
    step.pictureSliceCount = 0;
  }
}

bool VideoParser::CountsFieldPictures() const {
  return extensionSeen_ && stores_.summary.pictureStructure != kFramePicture;
}

double VideoParser::SecondLength() const {
  return FrameRateOrAssumed(facts_.frameRate);
}

void VideoParser::FillRecord(const Step& step, PerSecondStats& record) const {
  const double rate = SecondLength();
  record.bitrate = SecondBitrate(source_.streamByteCounter() - step.start, step.frames,
                                 static_cast<uint32_t>(rate), kiloBase_);
  record.quant = step.quantiserTotal / (CountsFieldPictures() ? 2.0 * rate : rate);
}

}  // namespace tessivo
