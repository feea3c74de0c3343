// SPDX-License-Identifier: MIT
// A screen reader's first question, from another process: the name of each
// edit box of the window titled by the command line, through MSAA, printed
// one per line in the window's order ("(none)" where there is no object).
#include <windows.h>
// (windows.h first: the other Windows headers need it)
#include <oleacc.h>

#include <cstdio>

namespace {

BOOL CALLBACK PrintName(HWND control, LPARAM) {
  wchar_t cls[16] = {};
  GetClassNameW(control, cls, 16);
  if (lstrcmpiW(cls, L"Edit") != 0) return TRUE;
  IAccessible* object = nullptr;
  BSTR name = nullptr;
  VARIANT self;
  VariantInit(&self);
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  if (SUCCEEDED(AccessibleObjectFromWindow(control, OBJID_CLIENT, IID_IAccessible,
                                           reinterpret_cast<void**>(&object)))) {
    object->get_accName(self, &name);
    object->Release();
  }
  std::printf("%ls\n", name ? name : L"(none)");
  SysFreeString(name);
  return TRUE;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) return 2;
  HWND window = FindWindowW(nullptr, argv[1]);
  if (!window) return 1;
  CoInitialize(nullptr);
  EnumChildWindows(window, PrintName, 0);
  CoUninitialize();
  return 0;
}
