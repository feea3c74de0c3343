// SPDX-License-Identifier: MIT
// Micro-benchmarks of the conversion engine and key filters: each routine at
// 8, 16 and 32 bits, on the longest texts the window passes, and on texts of
// 1,000,000 characters to show that time grows linearly with the length.
#include <benchmark/benchmark.h>

#include <string>

#include "m_AllBinTo.h"
#include "m_Helper.h"

namespace {

using namespace m_AllBinTo;

int16_t Width(int64_t bits) { return static_cast<int16_t>(bits); }
int32_t ValueFor(int64_t bits) { return bits == 8 ? 200 : bits == 16 ? -300 : -2147483647; }

void BM_DecToBinBytes(benchmark::State& state) {
  for (auto _ : state)
    benchmark::DoNotOptimize(DecToBinBytes(ValueFor(state.range(0)), Width(state.range(0)), true));
}
BENCHMARK(BM_DecToBinBytes)->Arg(8)->Arg(16)->Arg(32);

void BM_DecToHex(benchmark::State& state) {
  for (auto _ : state)
    benchmark::DoNotOptimize(DecToHex(ValueFor(state.range(0)), Width(state.range(0)), true));
}
BENCHMARK(BM_DecToHex)->Arg(8)->Arg(16)->Arg(32);

std::u16string Bits(int64_t length) {
  std::u16string s;
  for (int64_t i = 0; i < length; ++i) s += (i % 3 == 0) ? u'1' : u'0';
  if (!s.empty()) s[0] = u'1';
  return s;
}

std::u16string Hex(int64_t length) {
  std::u16string s;
  for (int64_t i = 0; i < length; ++i) s += u"1BA7E42Bcdef"[i % 12];
  return s;
}

void BM_BinToDec(benchmark::State& state) {
  const std::u16string text = Bits(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(BinToDec(text, true));
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_BinToDec)->Arg(8)->Arg(16)->Arg(32)->Arg(1000000)->Unit(benchmark::kNanosecond);

void BM_HexToDec(benchmark::State& state) {
  const std::u16string text = Hex(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(HexToDec(text, true));
}
BENCHMARK(BM_HexToDec)->Arg(2)->Arg(4)->Arg(8)->Arg(1000000);

void BM_BinToHex(benchmark::State& state) {
  const std::u16string text = Bits(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(BinToHex(text));
}
BENCHMARK(BM_BinToHex)->Arg(8)->Arg(16)->Arg(32)->Arg(1000000);

void BM_HexToBin(benchmark::State& state) {
  const std::u16string text = Hex(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(HexToBin(text));
}
BENCHMARK(BM_HexToBin)->Arg(2)->Arg(4)->Arg(8)->Arg(1000000);

void BM_ReverseChunks(benchmark::State& state) {
  const std::u16string text = Hex(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(ReverseChunks(text, 2));
}
BENCHMARK(BM_ReverseChunks)->Arg(8)->Arg(1000000);

void BM_FillToWidth(benchmark::State& state) {
  const std::u16string text = Bits(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(FillToWidth(text, 32));
}
BENCHMARK(BM_FillToWidth)->Arg(1)->Arg(17)->Arg(1000000);

void BM_DigitTable(benchmark::State& state) {
  const std::u16string nibble = u"1010";
  const std::u16string digit = u"c";
  for (auto _ : state) {
    benchmark::DoNotOptimize(NibbleToHex(nibble));
    benchmark::DoNotOptimize(HexToNibble(digit));
    benchmark::DoNotOptimize(HexDigitValue(digit));
    benchmark::DoNotOptimize(HexPairToBin(u"A5"));
  }
}
BENCHMARK(BM_DigitTable);

void BM_KeyFilters(benchmark::State& state) {
  int16_t code = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(m_Helper::FilterDecKey(code));
    benchmark::DoNotOptimize(m_Helper::FilterHexKey(code));
    benchmark::DoNotOptimize(m_Helper::FilterBinKey(code));
    code = static_cast<int16_t>((code + 1) & 0xFF);
  }
}
BENCHMARK(BM_KeyFilters);

}  // namespace

BENCHMARK_MAIN();
