// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <utility>

// The names and descriptions this window gives its controls, served to
// screen readers (MSAA) in place of the system's own where it has one: a
// control named here answers WM_GETOBJECT with the system's object for it,
// wrapped to report that name and description.
class AccessibleNames {
 public:
  AccessibleNames() = default;
  ~AccessibleNames();
  AccessibleNames(const AccessibleNames&) = delete;
  AccessibleNames& operator=(const AccessibleNames&) = delete;

  // Sets the control's name, or with `description` its description.
  void Set(HWND control, const std::u16string& text, bool description = false);

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                               DWORD_PTR self);
  std::map<HWND, std::pair<std::u16string, std::u16string>> texts_;  // name, description
  bool com_ = false;  // COM started for the first screen reader's request
};
