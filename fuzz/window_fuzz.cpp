// SPDX-License-Identifier: MIT
// The window's logic driven by a stream of events on the fake view: after
// every event the enabled states follow the boxes.
#include <cstddef>
#include <cstdint>

#include "FakeView.h"
#include "FuzzInput.h"
#include "WindowInvariants.h"
#include "frmMain.h"

static void CheckInvariants(const FakeView& view, const frmMain& form) {
  FUZZ_CHECK(BrokenWindowRule(view, form).empty());
}

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
        view.Type(row, m_Helper::kBackspace);
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
