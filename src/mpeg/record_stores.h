// The stores of one analysis context: obtained once, sized by N, reused by every analysis and
// every loaded result file.
#pragma once

#include <cstdint>
#include <memory>

#include "base/zeroed_store.h"
#include "mpeg/picture_facts.h"
#include "mpeg/records.h"

namespace tessivo {

inline constexpr uint32_t kDefaultMaxFrames = 250000;
inline constexpr uint32_t kFramesPerSecondSlot = 25;

class RecordStores {
 public:
  // Returns nullptr when a store cannot be obtained.
  static std::unique_ptr<RecordStores> Create(uint32_t maxFrames);

  uint32_t capacity() const { return capacity_; }              // N pictures, N GOPs
  uint32_t secondCapacity() const { return secondCapacity_; }  // N / 25 seconds

  PictureRecord* pictures() { return pictures_.get(); }
  const PictureRecord* pictures() const { return pictures_.get(); }
  GopRecord* gops() { return gops_.get(); }
  const GopRecord* gops() const { return gops_.get(); }
  // The full stream byte count of each GOP's position; the record keeps only its low 32 bits.
  uint64_t* gopPositions() { return gopPositions_.get(); }
  const uint64_t* gopPositions() const { return gopPositions_.get(); }
  PerSecondStats* seconds() { return seconds_.get(); }
  const PerSecondStats* seconds() const { return seconds_.get(); }
  // Beside each PictureRecord, only after a run: check pictureFactsAvailable.
  PictureFacts* pictureFacts() { return pictureFacts_.get(); }
  const PictureFacts* pictureFacts() const { return pictureFacts_.get(); }
  SequenceFacts* sequenceFacts() { return sequenceFacts_; }
  const SequenceFacts* sequenceFacts() const { return sequenceFacts_; }

  void ClearSummary();          // also sets streamByteCount to 0
  void ClearPicturesAndGops();  // also sets gopCount and sequenceFactsCount to 0
  void ClearSeconds();

  // GOPs that have a record: gopCount goes on counting past the capacity.
  uint32_t recordedGopCount() const { return gopCount < capacity_ ? gopCount : capacity_; }

  // Leading seconds whose valid flag is set.
  uint32_t ValidSecondCount() const;

  SequenceSummary summary{};
  // The full stream byte count; summary.streamBytes keeps only its low 32 bits.
  uint64_t streamByteCount = 0;
  FirstSequenceBlock firstSequenceBlock{};
  uint32_t gopCount = 0;
  uint32_t sequenceFactsCount = 0;
  // Set by a run, cleared by a loaded result file, whose layout has no room for the facts.
  bool pictureFactsAvailable = false;

 private:
  RecordStores() = default;

  uint32_t capacity_ = 0;
  uint32_t secondCapacity_ = 0;
  ZeroedStore<PictureRecord> pictures_;
  ZeroedStore<GopRecord> gops_;
  ZeroedStore<uint64_t> gopPositions_;
  ZeroedStore<PerSecondStats> seconds_;
  ZeroedStore<PictureFacts> pictureFacts_;
  SequenceFacts sequenceFacts_[kSequenceFactsCapacity]{};
};

}  // namespace tessivo
