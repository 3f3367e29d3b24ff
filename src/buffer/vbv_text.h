// How the buffer model's findings read, with pictures, GOPs and seconds numbered from 1 as the
// tables number them.
#pragma once

#include <string>

#include "buffer/vbv_model.h"

namespace tessivo {

// "constant rate", "variable rate" or "not modelled".
const char* VbvModeText(VbvMode mode);
// "underflow", "overflow" or "late picture".
const char* VbvEventKindText(VbvEventKind kind);

// "underflow at picture 37 (B), GOP 3, second 2, time code 00:00:01.12, position 123456:
// 4096 bits missing at 1.480 s"
std::string VbvEventText(const VbvEvent& event);

}  // namespace tessivo
