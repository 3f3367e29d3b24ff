#include "cli/json_object.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "tables/utf8.h"

namespace tessivo::cli {

void JsonObject::AppendString(std::string_view text, std::string& out) {
  out += '"';
  for (size_t position = 0; position < text.size();) {
    const char32_t c = NextCodePoint(text, position);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
      out += escaped;
    } else {
      AppendUtf8(c, out);
    }
  }
  out += '"';
}

void JsonObject::AppendReal(double value, std::string& out) {
  if (!std::isfinite(value)) {
    out += "null";
    return;
  }
  char text[32];
  const auto result = std::to_chars(text, text + sizeof text, value);
  out.append(text, result.ptr);
}

}  // namespace tessivo::cli
