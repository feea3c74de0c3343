// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Reads a fuzzer's bytes as a stream of small decisions and texts.
class FuzzInput {
 public:
  FuzzInput(const uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  bool Empty() const { return pos_ >= size_; }
  uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
  uint32_t Word() {
    uint32_t w = 0;
    for (int i = 0; i < 4; ++i) w = (w << 8) | Byte();
    return w;
  }

  // A text of `length` characters: mostly the characters the window deals
  // in, sometimes any UTF-16 code unit.
  std::u16string Text(std::size_t length) {
    static const char16_t common[] = u"0123456789abcdefABCDEF-+.,eE xX\t\n";
    std::u16string out;
    for (std::size_t i = 0; i < length && !Empty(); ++i) {
      const uint8_t b = Byte();
      if (b < 200) {
        out += common[b % (sizeof(common) / sizeof(common[0]) - 1)];
      } else {
        out += static_cast<char16_t>((Byte() << 8) | Byte());
      }
    }
    return out;
  }
  // The rest of the input as a text.
  std::u16string Rest() { return Text(size_); }

 private:
  const uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

// A broken promise ends the run where the fuzzer sees it.
#define FUZZ_CHECK(condition)           \
  do {                                  \
    if (!(condition)) __builtin_trap(); \
  } while (false)
