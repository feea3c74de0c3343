// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Conversions between 32-bit values, bit strings and hexadecimal text.
// Every routine is pure: it reads its arguments, returns a new result and
// keeps no state. Text comparisons ignore letter case.
namespace m_AllBinTo {

// One four-digit bit string to its capital hex digit; "" when it is none.
std::u16string NibbleToHex(std::u16string_view bits);
// One hex digit (either case) to its four-digit bit string; "" when none.
std::u16string HexToNibble(std::u16string_view digit);
// One hex digit (either case) to 0..15; 0 for anything else.
int16_t HexDigitValue(std::u16string_view digit);
// Puts "0" characters in front of the text until it has `width` characters.
// Never shortens; a width of 0 or less gives "".
std::u16string FillToWidth(std::u16string_view text, int16_t width);

// Two's complement bit groups of `value` at 8, 16 or 32 bits, one 8-digit
// group per byte, least significant byte first when `littleEndian`.
// A value wider than the width keeps its low bits; any other width gives an
// empty list.
std::vector<std::u16string> DecToBinBytes(int32_t value, int16_t width, bool littleEndian);
// The same bytes as DecToBinBytes, two capital hex digits per byte.
std::u16string DecToHex(int32_t value, int16_t width, bool littleEndian);

// The bytes a bit string stands for, most significant first: the text is
// widened with leading zeros to 8, 16 or 32 digits (a text of whole bytes
// stays as it is; one longer than 32 digits grows to the next whole byte)
// and its bytes are read in the given byte order. Any character other than
// "1" counts as a 0 bit.
std::vector<uint8_t> BinBytes(std::u16string_view text, bool littleEndian);
// The same for a hex text: widened to 2, 4 or 8 digits, or to whole pairs
// past 8; any character that is no hex digit counts as 0.
std::vector<uint8_t> HexBytes(std::u16string_view text, bool littleEndian);

// Unsigned value of BinBytes, accumulated bit by bit in single precision
// (rounded every step). Never NaN or infinite: texts too long for a float
// give the largest finite float.
float BinToDec(std::u16string_view text, bool littleEndian);
// Unsigned value of HexBytes, accumulated in single precision from the
// least significant digit up. Never NaN or infinite.
float HexToDec(std::u16string_view text, bool littleEndian);
// The text cut into chunks of `chunkSize`, joined last chunk first.
// "" when the length is no multiple of the chunk size or the size is below 1.
std::u16string ReverseChunks(std::u16string_view text, int16_t chunkSize);

// Byte for byte between binary and hex text, widened to whole bytes.
std::u16string BinToHex(std::u16string_view text);
std::u16string HexToBin(std::u16string_view text);
// Two hex digits to eight bit digits; a non-digit contributes nothing.
std::u16string HexPairToBin(std::u16string_view text);

}  // namespace m_AllBinTo
