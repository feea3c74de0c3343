// SPDX-License-Identifier: MIT
// Nombrelix on Windows: the window on Win32 controls, the Windows clipboard
// and the user's regional settings.
#include <windows.h>
// (windows.h first: the other Windows headers need it)
#include <commctrl.h>

#include "Layout.h"
#include "Win32Clipboard.h"
#include "Win32Locale.h"
#include "Win32View.h"
#include "frmMain.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  Win32View view(instance);
  if (!view.Window()) {
    MessageBoxW(nullptr, L"The window could not be created.",
                reinterpret_cast<const wchar_t*>(Layout::kTitle), MB_ICONERROR);
    return 1;
  }
  Win32Clipboard clipboard(view.Window());
  frmMain form(view, clipboard, UserNumberFormat());
  form.Form_Load();
  ShowWindow(view.Window(), show);
  UpdateWindow(view.Window());
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (view.Navigate(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}
