// The parse driver: recognises the stream, then walks it one second of video per call,
// recording every picture and GOP and filling one per-second record.
#pragma once

#include <cstdint>
#include <string>

#include "base/analysis_observer.h"
#include "base/status.h"
#include "input/fread.h"
#include "mpeg/byte_source.h"
#include "mpeg/header_decoders.h"
#include "mpeg/picture_facts_recorder.h"
#include "mpeg/record_stores.h"

namespace tessivo {

// Facts of the latest run that the report and the views read besides the records.
struct ParserFacts {
  double frameRate = 0.0;
  bool isScalable = false;
  bool startsWithInvalidHeader = false;
  bool frameRateAssumed = false;  // an invalid frame_rate_code was read as 25 frames per second
  bool capacityReached = false;   // the run stopped at a full store
  bool noSequenceHeader = false;  // the demultiplexed video never showed a sequence header
};

class VideoParser {
 public:
  VideoParser(FileReader& reader, RecordStores& stores, AnalysisObserver& observer,
              uint32_t kiloBase);

  Status OpenStream(const std::string& path);
  // Parses up to one second into record; false once the stream had already ended.
  bool ParseSecond(PerSecondStats& record);
  // Ends the run early because the per-second store is full; closes the open picture.
  void StopAtCapacity();

  const ParserFacts& facts() const { return facts_; }
  uint64_t streamByteCounter() const { return source_.streamByteCounter(); }

 private:
  // State of one ParseSecond call.
  struct Step {
    uint64_t start = 0;
    uint32_t frames = 0;
    uint32_t fieldToggle = 0;
    bool skipSlices = false;
    // 64 bits: a crafted picture can hold more slices than 16 or 32 bits count.
    uint64_t pictureSliceCount = 0;
    uint64_t quantiserSum = 0;
    uint64_t sliceCount = 0;
    double quantiserTotal = 0.0;
  };
  enum class StartCodeOutcome { kContinue, kSecondComplete, kStoreFull };

  // Detects a transport stream and chooses its video; ok when there is none.
  Status OpenTransportStream();
  // Positions a demultiplexed stream on its first sequence header, from where positions count.
  void SeekFirstSequenceHeader();
  StartCodeOutcome HandleStartCode(uint32_t code, Step& step);
  void HandleSlice(Step& step);
  StartCodeOutcome HandlePicture(Step& step);
  void HandleSequenceHeader();
  StartCodeOutcome HandleGop(Step& step);
  void AppendToPattern(char letter);
  // Sets the size of the latest picture and turns its quantiser sum into a mean.
  void CloseOpenPicture(Step& step);
  bool CountsFieldPictures() const;
  double SecondLength() const;  // frames per second that bound a second
  void FillRecord(const Step& step, PerSecondStats& record) const;

  FileReader& reader_;
  RecordStores& stores_;
  AnalysisObserver& observer_;
  const uint32_t kiloBase_;
  ByteSource source_;
  ParserFacts facts_;
  PictureFactsRecorder pictureFacts_;

  uint32_t currentStartCode_ = kEndOfStream;
  bool extensionSeen_ = false;
  bool sequenceHeaderDecoded_ = false;
  DecodedExtensions decodedExtensions_;
  bool firstPictureRecorded_ = false;
  uint64_t lastPicturePosition_ = 0;
  uint32_t secondsParsed_ = 0;
};

}  // namespace tessivo
