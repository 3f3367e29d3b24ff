// Cell texts are UTF-8; the writers that need code points (spreadsheet, document, HTML, JSON)
// read them through this decoder, which turns each malformed byte into U+FFFD.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tessivo {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

// Decodes the code point at text[position] and advances position past it.
char32_t NextCodePoint(std::string_view text, size_t& position);
void AppendUtf8(char32_t codePoint, std::string& out);
std::u16string Utf16FromUtf8(std::string_view text);

}  // namespace tessivo
