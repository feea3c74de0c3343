// SPDX-License-Identifier: MIT
/* The Win32 floor for start-up: a window of the program's client size with
 * one label, and nothing else. */
#include <windows.h>

static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, PWSTR line, int show) {
  (void)previous;
  (void)line;
  WNDCLASSW wc = {0};
  wc.lpfnWndProc = Proc;
  wc.hInstance = instance;
  wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
  wc.lpszClassName = L"bare";
  RegisterClassW(&wc);
  RECT r = {0, 0, 442, 256};
  AdjustWindowRect(&r, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, FALSE);
  HWND window = CreateWindowW(L"bare", L"bare", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT,
                              CW_USEDEFAULT, r.right - r.left, r.bottom - r.top, NULL, NULL, instance, NULL);
  CreateWindowW(L"STATIC", L"Decimal", WS_CHILD | WS_VISIBLE, 12, 120, 145, 13, window, NULL, instance, NULL);
  ShowWindow(window, show);
  MSG msg;
  while (GetMessageW(&msg, NULL, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
