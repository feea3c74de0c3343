// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

// Tests write their texts as plain ASCII literals; these convert them to and
// from the UTF-16 texts the program works on, so failures print readably.
inline std::u16string U(std::string_view ascii) { return std::u16string(ascii.begin(), ascii.end()); }

inline std::string A(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char16_t c : text) out += c < 128 ? static_cast<char>(c) : '?';
  return out;
}

inline std::string Repeat(std::string_view piece, std::size_t times) {
  std::string out;
  for (std::size_t i = 0; i < times; ++i) out += piece;
  return out;
}
