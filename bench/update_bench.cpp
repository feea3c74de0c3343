// SPDX-License-Identifier: MIT
// Each row's Update, from the click to the last box written, on the fake
// view: the window's own work without the toolkit's.
#include <benchmark/benchmark.h>

#include "FakeView.h"
#include "frmMain.h"

namespace {

void RunUpdate(benchmark::State& state, int16_t row, const std::u16string& text) {
  FakeView view;
  FakeClipboard clipboard;
  frmMain form(view, clipboard, NumberFormat{});
  form.Form_Load();
  view.SetText(row, text);
  for (auto _ : state) {
    view.Click(Buttons::Update, row);
    benchmark::DoNotOptimize(view.GetText(kRowDec));
  }
}

void BM_UpdateDecimal(benchmark::State& state) { RunUpdate(state, kRowDec, u"-300"); }
void BM_UpdateDecimalOutOfRange(benchmark::State& state) { RunUpdate(state, kRowDec, u"3000000000"); }
void BM_UpdateHex(benchmark::State& state) { RunUpdate(state, kRowHex, u"1BA7E42B"); }
void BM_UpdateBinary(benchmark::State& state) { RunUpdate(state, kRowBin, std::u16string(32, u'1')); }

BENCHMARK(BM_UpdateDecimal);
BENCHMARK(BM_UpdateDecimalOutOfRange);
BENCHMARK(BM_UpdateHex);
BENCHMARK(BM_UpdateBinary);

}  // namespace

BENCHMARK_MAIN();
