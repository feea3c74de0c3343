// SPDX-License-Identifier: MIT
// The Win32 floor of this design: a window of the program's client size
// holding the same mix of plain controls in the same places (edit boxes,
// labels, group boxes, radio and push buttons; plain push buttons for the
// pictures), with the same manifest (Common Controls 6), made at their
// final place with a font and no redraw, and nothing else.
#include <windows.h>
// (windows.h first: the other Windows headers need it)
#include <commctrl.h>

#include "Layout.h"

namespace {

LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&classes);
  WNDCLASSW wc{};
  wc.lpfnWndProc = Proc;
  wc.hInstance = instance;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = L"bare";
  RegisterClassW(&wc);
  constexpr DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  RECT r{0, 0, Layout::kWidth, Layout::kHeight};
  AdjustWindowRect(&r, style, FALSE);
  HWND window = CreateWindowW(L"bare", L"bare", style, CW_USEDEFAULT, CW_USEDEFAULT, r.right - r.left,
                              r.bottom - r.top, nullptr, nullptr, instance, nullptr);
  const auto font = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));
  for (const Layout::Control& c : Layout::kControls) {
    const wchar_t* cls = WC_BUTTONW;
    DWORD controlStyle = WS_CHILD | WS_VISIBLE;
    DWORD exStyle = 0;
    switch (c.kind) {
      case Layout::Kind::Box:
        cls = WC_EDITW;
        controlStyle |= WS_TABSTOP | ES_AUTOHSCROLL;
        exStyle = WS_EX_CLIENTEDGE;
        break;
      case Layout::Kind::Label:
        cls = WC_STATICW;
        break;
      case Layout::Kind::Frame:
        controlStyle |= BS_GROUPBOX;
        break;
      case Layout::Kind::TypeOption:
      case Layout::Kind::DisplayOption:
        controlStyle |= BS_AUTORADIOBUTTON;
        break;
      default:
        controlStyle |= BS_PUSHBUTTON | WS_TABSTOP;
        break;
    }
    wchar_t caption[64];
    MultiByteToWideChar(CP_UTF8, 0, c.caption, -1, caption, 64);
    const Layout::Rect at = Layout::InWindow(c);
    HWND control = CreateWindowExW(exStyle, cls, caption, controlStyle, at.left, at.top, at.width, at.height,
                                   window, nullptr, instance, nullptr);
    SendMessageW(control, WM_SETFONT, font, FALSE);
  }
  ShowWindow(window, show);
  UpdateWindow(window);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
