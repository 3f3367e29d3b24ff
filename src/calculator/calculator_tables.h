// The calculator's resolutions and disc media.
#pragma once

#include <cstdint>

namespace tessivo {

struct Resolution {
  const char* text;
  int64_t rawBitRate;  // width x height x frame rate x 24 bits, NTSC rows truncated
};
inline constexpr int kResolutionCount = 8;
inline constexpr Resolution kResolutions[kResolutionCount] = {
    {"VIDEO CD PAL 352*288", 60825600}, {"VIDEO-CD NTSC 352*240", 60764774},
    {"SVCD PAL 480*576", 165888000},    {"SVCD NTSC 480*480", 165722112},
    {"Half-D1 PAL 352*576", 121651200}, {"Half-D1 NTSC 352*480", 121529548},
    {"Full-D1 PAL 720*576", 248832000}, {"Full-D1 NTSC 720*480", 248583168},
};

// Media of the "Media type" list, capacities in bits; the last one is the custom size.
inline constexpr int kMediaCount = 6;
inline constexpr int kCustomMedium = 5;
inline constexpr const char* kMediaTexts[kMediaCount] = {"CD-ROM 650MB",       "CD-ROM 700MB",
                                                         "DVD-RAM 2.6GB",      "DVD-R/RW 3.9GB",
                                                         "RVR-R/RW/RAM 4.7GB", "CUSTOM"};
inline constexpr double kFixedMediaCapacities[kCustomMedium] = {
    5980000000.0,   6440000000.0,
    20615843020.8,  // 2.4 x 2^30 bytes
    31200000000.0,
    37538014167.04,  // 4.37 x 2^30 bytes
};

// The "Media" rows of tab "BITRATE", top to bottom. The 4.7 GB row stands above the 3.9 GB one,
// so a row names its capacity rather than following their order.
struct MediaRow {
  const char* text;
  const char* fileSystem;
  int medium;  // index into kFixedMediaCapacities
};
inline constexpr MediaRow kBitrateMediaRows[kCustomMedium] = {
    {"CD-ROM 650MB", "CDROM/XA", 0}, {"CD-ROM 700MB", "CDROM/XA", 1},
    {"DVD-RAM 2.6GB", "UDFS", 2},    {"DVD-R/RW/RAM 4.7GB", "UDFS", 4},
    {"DVD-R 3.9GB", "UDFS", 3},
};

// Capacity of the CUSTOM medium: Csp megabytes of 1000 x 1000 bytes.
inline double CspChange(int32_t megabytes) {
  return static_cast<double>(megabytes) * 1000.0 * 1000.0 * 8.0;
}

}  // namespace tessivo
