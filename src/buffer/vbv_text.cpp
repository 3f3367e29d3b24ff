#include "buffer/vbv_text.h"

#include <charconv>

namespace tessivo {

const char* VbvModeText(VbvMode mode) {
  switch (mode) {
    case VbvMode::kConstantRate:
      return "constant rate";
    case VbvMode::kVariableRate:
      return "variable rate";
    case VbvMode::kNone:
      break;
  }
  return "not modelled";
}

const char* VbvEventKindText(VbvEventKind kind) {
  switch (kind) {
    case VbvEventKind::kUnderflow:
      return "underflow";
    case VbvEventKind::kOverflow:
      return "overflow";
    case VbvEventKind::kLatePicture:
      break;
  }
  return "late picture";
}

std::string VbvEventText(const VbvEvent& event) {
  std::string text = std::string(VbvEventKindText(event.kind)) + " at picture " +
                     std::to_string(uint64_t{event.picture} + 1);
  if (event.type != '\0') text += std::string(" (") + event.type + ")";
  if (event.gop != kNoGop) text += ", GOP " + std::to_string(uint64_t{event.gop} + 1);
  text += ", second " + std::to_string(uint64_t{event.second} + 1) + ", time code " +
          TimeCodeText(event.timeCode) + ", position " + std::to_string(event.position) + ": ";
  const char* what =
      event.kind == VbvEventKind::kOverflow ? "above the buffer size at" : "missing when due at";
  // Fixed notation in every locale: the desktop application runs under the user's.
  char time[400];
  const auto written =
      std::to_chars(time, time + sizeof time, event.time, std::chars_format::fixed, 3);
  return text + std::to_string(event.bits) + " bits " + what + " " +
         std::string(time, written.ptr) + " s";
}

}  // namespace tessivo
