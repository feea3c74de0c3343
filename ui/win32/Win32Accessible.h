// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

// A text the window draws on itself rather than in a control of its own,
// and where (in client pixels): screen readers read it as static text.
struct DrawnText {
  std::u16string text;
  RECT place;
};
// One of the window's children as screen readers see them: a control, or a
// text the window draws.
using AccessibleChild = std::variant<HWND, DrawnText>;

// The names and descriptions this window gives its controls, served to
// screen readers (MSAA) in place of the system's own where it has one: the
// window's procedures pass a control's WM_GETOBJECT here, answered with the
// system's object for it, wrapped to report that name and description.
class AccessibleNames {
 public:
  AccessibleNames() = default;
  ~AccessibleNames();
  AccessibleNames(const AccessibleNames&) = delete;
  AccessibleNames& operator=(const AccessibleNames&) = delete;

  // Sets the control's name, or with `description` its description.
  void Set(HWND control, const std::u16string& text, bool description = false);
  // The window's children for screen readers, in their order, the texts it
  // draws among its controls; asked for at each screen reader's request.
  void SetChildren(HWND window, std::function<std::vector<AccessibleChild>()> children);
  // The answer to a WM_GETOBJECT for the window or a control named here;
  // nothing where the system's own answer stands.
  std::optional<LRESULT> Answer(HWND hwnd, WPARAM wParam, LPARAM lParam);
  // A control destroyed.
  void Forget(HWND control) { texts_.erase(control); }

 private:
  std::map<HWND, std::pair<std::u16string, std::u16string>> texts_;  // name, description
  HWND window_ = nullptr;
  std::function<std::vector<AccessibleChild>()> children_;
  bool com_ = false;  // COM started for the first screen reader's request
};
