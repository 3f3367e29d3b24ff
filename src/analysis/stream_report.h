// The text report of the stream's headers shown on the "General" tab, one string per line.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "mpeg/mpgread.h"
#include "mpeg/record_stores.h"

namespace tessivo {

// What the run noticed beyond the records; none of it is kept in result files.
struct RunNotes {
  bool startsWithInvalidHeader = false;
  bool frameRateAssumed = false;
  bool capacityReached = false;
  uint32_t maxFrames = 0;
  uint64_t skippedVideoPackets = 0;
  bool noSequenceHeader = false;
  std::optional<TransportFacts> transport;  // set when the run read a transport stream
};

std::vector<std::string> ShowStreamReport(const RecordStores& stores, const RunNotes& notes);

std::string ProfileLevelName(uint8_t profileLevel);
std::string AspectRatioName(uint32_t code);

}  // namespace tessivo
