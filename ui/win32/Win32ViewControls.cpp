// SPDX-License-Identifier: MIT
// The keyboard and the controls whose messages pass through the view first:
// Tab and Enter across the window, the boxes (their keys, through the row's
// key filter, and their ways to paste), the frames (drawn by the view), and
// their names for screen readers.
#include "Win32View.h"

void Win32View::Subclass(HWND control, const Layout::Control& c) {
  // By the window procedure itself rather than the common controls'
  // subclassing, which under Wine asks its server for a window property at
  // every message.
  Subclassed& record = subclassed_.emplace_back(Subclassed{this, nullptr, &c});
  SetWindowLongPtrW(control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&record));
  record.original = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Win32View::ControlProc)));
}

LRESULT CALLBACK Win32View::ControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto* record = reinterpret_cast<const Subclassed*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  return record->view->OnControl(*record, hwnd, message, wParam, lParam);
}

LRESULT Win32View::OnControl(const Subclassed& record, HWND control, UINT message, WPARAM wParam,
                             LPARAM lParam) {
  if (message == WM_GETOBJECT) {
    if (const std::optional<LRESULT> answer = names_.Answer(control, wParam, lParam)) return *answer;
  }
  if (message == WM_NCDESTROY) names_.Forget(control);
  if (record.control->kind == Layout::Kind::Box) return OnBox(record, control, message, wParam, lParam);
  if (record.control->kind == Layout::Kind::Frame && message == WM_PAINT) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(control, &paint);
    DrawFrame(control, dc);
    EndPaint(control, &paint);
    return 0;
  }
  return CallWindowProcW(record.original, control, message, wParam, lParam);
}

LRESULT Win32View::OnBox(const Subclassed& record, HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  const int16_t row = record.control->index;
  const auto pass = [&](WPARAM w) { return CallWindowProcW(record.original, box, message, w, lParam); };
  switch (message) {
    case WM_GETDLGCODE: {
      // Enter and Escape reach the box's key filter rather than the
      // window's navigation.
      LRESULT code = pass(wParam);
      const auto* msg = reinterpret_cast<const MSG*>(lParam);
      if (msg && msg->message == WM_KEYDOWN && (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE)) {
        code |= DLGC_WANTMESSAGE;
      }
      return code;
    }
    case WM_CHAR: {
      int16_t key = static_cast<int16_t>(wParam);
      if (events_) events_->KeyPress(row, key);
      switch (EffectOf(key)) {
        case KeyEffect::None:
          return 0;
        case KeyEffect::DeleteBack:
          return pass(VK_BACK);
        case KeyEffect::Insert:
          return pass(static_cast<WPARAM>(static_cast<uint16_t>(key)));
      }
      return 0;
    }
    case WM_KEYDOWN:
      if (wParam == VK_INSERT && (GetKeyState(VK_SHIFT) & 0x8000) && !(GetKeyState(VK_CONTROL) & 0x8000)) {
        PasteCommand(row);  // Shift+Insert
        return 0;
      }
      break;
    case WM_LBUTTONDBLCLK:
      // The edit control takes the focus on a click but not on a double
      // click: a box clicked, left by Tab and clicked again within the
      // double-click time would leave the keys with another control.
      if (GetFocus() != box) ::SetFocus(box);
      break;
    case WM_PASTE:  // the context menu's Paste, and any program's
      PasteCommand(row);
      return 0;
    default:
      break;
  }
  return pass(wParam);
}

bool Win32View::Navigate(MSG& msg) {
  if (!window_ || (msg.hwnd != window_ && !IsChild(window_, msg.hwnd))) return false;
  // Enter on a button presses it, as Space does.
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN) {
    for (const Buttons array : {Buttons::Update, Buttons::Copy, Buttons::Paste}) {
      for (int16_t index = 0; index < CountOf(array); ++index) {
        if (Button(array, index) == msg.hwnd) {
          SendMessageW(msg.hwnd, BM_CLICK, 0, 0);
          return true;
        }
      }
    }
  }
  return IsDialogMessageW(window_, &msg);
}

void Win32View::MarkTabStop(Options array) {
  HWND stop = Option(array, 0);
  for (int16_t index = 0; index < CountOf(array); ++index) {
    if (IsSelected(array, index)) stop = Option(array, index);
  }
  for (int16_t index = 0; index < CountOf(array); ++index) {
    HWND option = Option(array, index);
    const LONG_PTR style = GetWindowLongPtrW(option, GWL_STYLE);
    const LONG_PTR wanted = option == stop ? style | WS_TABSTOP : style & ~WS_TABSTOP;
    if (wanted != style) SetWindowLongPtrW(option, GWL_STYLE, wanted);
  }
}
