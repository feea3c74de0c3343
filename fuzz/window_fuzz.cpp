// The window's logic driven by a stream of events on the fake view: after
// every event the enabled states follow the boxes.
#include <cstddef>
#include <cstdint>

#include "FakeView.h"
#include "FuzzInput.h"
#include "frmMain.h"

namespace {

void CheckInvariants(const FakeView& view, const frmMain& form) {
  const WindowState& s = form.State();
  const bool has[] = {!view.GetText(kRowDec).empty(), !view.GetText(kRowHex).empty(),
                      !view.GetText(kRowBin).empty()};
  for (int16_t row = 0; row < kRowCount; ++row) {
    FUZZ_CHECK(view.IsEnabled(Buttons::Update, row) == has[row]);
    FUZZ_CHECK(view.IsEnabled(Buttons::Copy, row) == has[row]);
    FUZZ_CHECK(view.IsEnabled(Buttons::Paste, row) == has[row]);
  }
  FUZZ_CHECK(s.HasDec == has[0] && s.HasHex == has[1] && s.HasBin == has[2]);
  FUZZ_CHECK(view.IsEnabled(Buttons::Copy, kCopyAll) == (has[0] && has[1] && has[2]));
  FUZZ_CHECK(s.TypeBits == 8 * s.TypeBytes);
  FUZZ_CHECK(s.TypeBytes == 0 || s.TypeBytes == 1 || s.TypeBytes == 2 || s.TypeBytes == 4);
  FUZZ_CHECK(s.LittleEndian == view.IsSelected(Options::Display, 0));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  FuzzInput in(data, size);
  FakeView view;
  FakeClipboard clipboard;
  frmMain form(view, clipboard, (in.Byte() & 1) ? NumberFormat{u',', u'.'} : NumberFormat{});
  form.Form_Load();
  CheckInvariants(view, form);
  while (!in.Empty()) {
    const uint8_t op = in.Byte();
    const auto row = static_cast<int16_t>(op % 3);
    switch ((op / 3) % 9) {
      case 0:  // a typed key, any code
        view.Type(row, static_cast<int16_t>((in.Byte() << 8) | in.Byte()));
        break;
      case 1:  // a typed key from the keyboard's usual range
        view.Type(row, static_cast<int16_t>(in.Byte() & 0x7F));
        break;
      case 2:
        view.Type(row, 8);
        break;
      case 3:  // a paste of any text, sometimes a long one
        clipboard.text = (in.Byte() & 1) ? std::u16string(in.Byte() * 1000u, u'9') : in.Text(in.Byte());
        view.Click(Buttons::Paste, row);
        break;
      case 4:
        view.Click(Buttons::Update, row);
        break;
      case 5:
        view.ClickOption(Options::Type, static_cast<int16_t>(in.Byte() % 4));
        break;
      case 6:
        view.ClickOption(Options::Display, static_cast<int16_t>(in.Byte() % 2));
        break;
      case 7:
        view.Click(Buttons::Copy, static_cast<int16_t>(in.Byte() % 4));
        break;
      case 8:
        clipboard.failing = !clipboard.failing;
        break;
    }
    CheckInvariants(view, form);
  }
  return 0;
}
