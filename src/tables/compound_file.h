// An OLE2 compound file holding one stream, built in memory with libgsf.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tessivo {

// The whole file; nothing when libgsf fails.
std::optional<std::string> BuildCompoundFile(const char* streamName, std::string_view stream);

}  // namespace tessivo
