// The names of the aspect_ratio_information codes 1 to 14, as the report and the modify dialog
// show them.
#pragma once

namespace tessivo {

inline constexpr int kAspectRatioItemCount = 14;

inline constexpr const char* kAspectRatioNames[kAspectRatioItemCount] = {
    "1:1 VGA ",       "4:3 Generic",  "16:9 Generic", "2.21:1 FILM", "1:0.8055",
    "16:9 NTSC 525 ", "1:0.8935",     "4:3 PAL 625",  "1:0.9815",    "1:1.0255",
    "1:1.0695",       "4:3 NTSC 525", "1:1.1575",     "1:1.2015"};

}  // namespace tessivo
