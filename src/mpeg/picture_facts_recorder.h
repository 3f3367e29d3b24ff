// Records the picture facts and the sequence facts table while the parser walks the stream. The
// parser hands it what its decoders read; it writes only the facts stores.
#pragma once

#include <cstdint>

#include "mpeg/header_decoders.h"
#include "mpeg/record_stores.h"

namespace tessivo {

class PictureFactsRecorder {
 public:
  explicit PictureFactsRecorder(RecordStores& stores) : stores_(stores) {}

  // A new stream: no sequence in force, no picture open.
  void Reset();

  // Positions are stream byte counts just after the header's start code.
  void OnSequenceHeader(const SequenceHeaderValues& values, uint64_t position);
  void OnGroupHeader(uint64_t position);
  void OnExtension(const ExtensionValues& values);
  void OnPicture(uint32_t index, uint64_t position, const PictureHeaderStart& start,
                 uint16_t vbvDelay, uint32_t gop, uint32_t second);
  // A picture header with an unusable coding type: its extensions belong to no record.
  void OnUnusablePicture() { openPicture_ = nullptr; }

 private:
  void NoteUnitStart(uint64_t position);
  void ApplyExtension(const ExtensionValues& values);
  uint8_t SequenceIndex();

  RecordStores& stores_;
  SequenceHeaderValues header_{};
  ExtensionValues extension_{};
  bool extensionSeen_ = false;
  bool sequenceChanged_ = true;
  uint8_t sequenceIndex_ = 0;
  bool unitStartPending_ = false;
  uint64_t unitStart_ = 0;
  PictureFacts* openPicture_ = nullptr;  // takes the next picture coding extension
};

}  // namespace tessivo
