// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

#include <array>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "Controls.h"
#include "Layout.h"
#include "Pictures.h"
#include "View.h"
#include "Win32Accessible.h"
#include "Win32Handles.h"

class DropTarget;

// The "Dec to Hex to Bin" window on plain Win32 controls: every control of
// the layout table at its place for the monitor's DPI, and the View
// operations and events on them.
class Win32View final : public View {
 public:
  explicit Win32View(HINSTANCE instance);
  ~Win32View() override;
  Win32View(const Win32View&) = delete;
  Win32View& operator=(const Win32View&) = delete;

  HWND Window() const { return window_; }
  // Passes a message of the thread's loop to the window's keyboard
  // navigation (Tab, arrow keys, Enter on a button); true when it was used.
  bool Navigate(MSG& msg);

  // View
  void SetEvents(ViewEvents* events) override { events_ = events; }
  std::u16string GetText(int16_t row) const override;
  void SetText(int16_t row, const std::u16string& text) override;
  void SetEnabled(Buttons array, int16_t index, bool enabled) override;
  void Select(Options array, int16_t index) override;
  bool IsSelected(Options array, int16_t index) const override;
  void SetFocus(Buttons array, int16_t index) override;
  int16_t Count(Buttons array) const override { return CountOf(array); }
  void SetDescription(int16_t row, const std::u16string& text) override;
  void Announce(const std::u16string& text) override;

  // The controls, for the program's start and for tests; null outside the
  // arrays.
  HWND Box(int16_t row) const;
  HWND Button(Buttons array, int16_t index) const;
  HWND Option(Options array, int16_t index) const;
  // The control a table entry made; null for a label, which the window
  // draws.
  HWND Control(const Layout::Control& c) const;
  // Where a table entry sits in the window's client area, at its DPI.
  RECT Place(const Layout::Control& c) const;
  // What a control's tooltip says ("" when it has none).
  std::u16string Tooltip(HWND control) const;
  // The DPI the window is laid out for: its monitor's, times the user's
  // text size.
  UINT Dpi() const { return dpi_; }
  // Makes what the first paint does not need (the tooltips, OLE and the
  // drop target): on the first timer tick after the window's first paint, or
  // sooner when called; once.
  void Settle();

  // The row's Paste command, as Shift+Insert, the context menu and WM_PASTE
  // give it: only while the row's Paste button can be pressed.
  void PasteCommand(int16_t row);
  // Text dropped on a box.
  void Offer(int16_t row, const std::u16string& text);
  bool CanPaste(int16_t row) const;

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  // A control whose messages pass through the view first: a box, a frame,
  // a control with a name of the window's.
  struct Subclassed {
    Win32View* view;
    WNDPROC original;
    const Layout::Control* control;
  };
  void Subclass(HWND control, const Layout::Control& c);
  static LRESULT CALLBACK ControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnControl(const Subclassed& record, HWND control, UINT message, WPARAM wParam, LPARAM lParam);
  void DrawFrame(HWND frame, HDC dc) const;
  void DrawLabels(HDC dc) const;
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnBox(const Subclassed& record, HWND box, UINT message, WPARAM wParam, LPARAM lParam);
  void CreateControls(HINSTANCE instance);
  void MakeFontsAndPictures();
  HFONT FontOf(const Layout::Control& c) const;
  // The layout at a new DPI (a move to another monitor, a new text size).
  void Arrange(UINT layoutDpi);
  void AddTool(HWND control, const std::u16string& text);
  void DrawPicture(const DRAWITEMSTRUCT& item);
  void OnCommand(HWND control, WORD code);
  // Of an option group, only the chosen option (or the first) is a Tab stop.
  void MarkTabStop(Options array);

  HWND window_ = nullptr;
  HWND tooltip_ = nullptr;
  HWND focus_ = nullptr;  // the control that gets the focus when the window is activated
  UINT dpi_ = 96;
  bool ole_ = false;  // OLE started by Settle, ended with the view
  std::vector<std::pair<const Layout::Control*, HWND>> controls_;
  std::deque<Subclassed> subclassed_;  // in place for the controls' lifetime
  Controls<HWND, HWND, HWND> arrays_;  // the controls by row and array
  std::array<std::u16string, kRowCount> descriptions_;
  AccessibleNames names_;
  GdiObject<HFONT> boxFont_;
  GdiObject<HFONT> captionFont_;
  Pictures::Pixels copyPicture_, pastePicture_;
  std::unique_ptr<DropTarget> drop_;
  ViewEvents* events_ = nullptr;
};
