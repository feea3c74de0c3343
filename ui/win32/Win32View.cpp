// SPDX-License-Identifier: MIT
#include "Win32View.h"

#include <commctrl.h>
#include <ole2.h>
#include <uxtheme.h>
#include <vssym32.h>

#include <algorithm>
#include <cmath>
#include <string_view>
#include <utility>

#include "Win32Announce.h"
#include "Win32DropTarget.h"
#include "Win32Text.h"

using Win32Text::LayoutDpi;
using Win32Text::Scale;
using Win32Text::TextOf;
using Win32Text::Utf16;
using Win32Text::Wide;

namespace {

constexpr wchar_t kWindowClass[] = L"Nombrelix.frmMain";
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr int kFirstId = 100;  // control ids: kFirstId + the table index
constexpr UINT_PTR kSettleTimer = 1;

// The window's outer size for the layout's client area drawn at
// `layoutDpi`, on a monitor of `dpi`.
SIZE FrameSize(UINT layoutDpi, UINT dpi) {
  RECT frame{0, 0, Scale(Layout::kWidth, layoutDpi), Scale(Layout::kHeight, layoutDpi)};
  AdjustWindowRectExForDpi(&frame, kWindowStyle, FALSE, 0, dpi);
  return {frame.right - frame.left, frame.bottom - frame.top};
}

}  // namespace

Win32View::Win32View(HINSTANCE instance) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = &Win32View::WindowProc;
  wc.hInstance = instance;
  // Both sizes from the resource, so that the system does not shrink the
  // large one for the title bar.
  wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
  wc.hIconSm =
      static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                    GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kWindowClass;
  RegisterClassExW(&wc);  // fails harmlessly when a second view registers it again
  // Made at its size for the system's DPI: the window is resized on
  // creation only where its monitor has another.
  const SIZE size = FrameSize(LayoutDpi(GetDpiForSystem()), GetDpiForSystem());
  window_ = CreateWindowExW(0, kWindowClass, reinterpret_cast<const wchar_t*>(Layout::kTitle), kWindowStyle,
                            CW_USEDEFAULT, CW_USEDEFAULT, size.cx, size.cy, nullptr, nullptr, instance, this);
  if (!window_) return;
  // Every control is made at its place, in its font, at this DPI, with
  // nothing drawn until the window is shown.
  dpi_ = LayoutDpi(GetDpiForWindow(window_));
  MakeFontsAndPictures();
  CreateControls(instance);
  // Screen readers read the drawn labels among the controls, in the table's order.
  names_.SetChildren(window_, [this] {
    std::vector<AccessibleChild> children;
    for (const Layout::Control& c : Layout::kControls) {
      if (c.kind == Layout::Kind::Label) {
        children.emplace_back(DrawnText{Utf16(c.caption), Place(c)});
      } else {
        children.emplace_back(Control(c));
      }
    }
    return children;
  });
  // The focus goes to the Decimal box when the window is first activated.
  focus_ = arrays_.boxes[kRowDec];
  // What the first paint does not need waits for the first timer tick,
  // which comes only once every pending paint is done.
  SetTimer(window_, kSettleTimer, USER_TIMER_MINIMUM, nullptr);
}

void Win32View::Settle() {
  if (tooltip_) return;
  KillTimer(window_, kSettleTimer);
  tooltip_ =
      CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr,
                      reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window_, GWLP_HINSTANCE)), nullptr);
  SendMessageW(tooltip_, WM_SETFONT, reinterpret_cast<WPARAM>(captionFont_.get()), FALSE);
  for (const auto& [c, hwnd] : controls_) {
    if (*c->tooltip) AddTool(hwnd, Utf16(c->tooltip));
  }
  for (int16_t row = 0; row < kRowCount; ++row) {
    const std::u16string& note = descriptions_[static_cast<std::size_t>(row)];
    if (!note.empty()) AddTool(Box(row), note);
  }
  // OLE for drops, started here so that the start does not wait for it.
  ole_ = SUCCEEDED(OleInitialize(nullptr));
  drop_ = std::make_unique<DropTarget>(
      arrays_.boxes, [this](int16_t row) { return CanPaste(row); },
      [this](int16_t row, const std::u16string& text) { Offer(row, text); });
  if (RegisterDragDrop(window_, drop_.get()) != S_OK) drop_.reset();  // OLE not started: no drops
}

void Win32View::AddTool(HWND control, const std::u16string& text) {
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = window_;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = const_cast<wchar_t*>(Wide(text));
  SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

Win32View::~Win32View() {
  if (drop_) RevokeDragDrop(window_);
  if (window_) {
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }
  if (ole_) OleUninitialize();
}

void Win32View::CreateControls(HINSTANCE instance) {
  for (const Layout::Control& entry : Layout::kControls) {
    const Layout::Control* c = &entry;
    // The labels are drawn by the window itself (DrawLabels): a child window
    // each would cost the start as much again as drawing them.
    if (c->kind == Layout::Kind::Label) continue;
    const auto index = static_cast<std::size_t>(c->index);
    const std::u16string caption = Utf16(c->caption);
    const wchar_t* cls = WC_BUTTONW;
    DWORD style = WS_CHILD | WS_VISIBLE;
    DWORD exStyle = 0;
    switch (c->kind) {
      case Layout::Kind::Box:
        cls = WC_EDITW;
        style |= WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL;
        exStyle = WS_EX_CLIENTEDGE;
        break;
      case Layout::Kind::Label:  // drawn, not made
        break;
      case Layout::Kind::Frame:
        style |= BS_GROUPBOX | WS_GROUP;
        break;
      case Layout::Kind::TypeOption:
      case Layout::Kind::DisplayOption:
        style |= BS_AUTORADIOBUTTON | (c->index == 0 ? WS_GROUP | WS_TABSTOP : 0);
        break;
      // The buttons start disabled, as the empty boxes leave them, so
      // that the start's own settings change nothing (each change is a
      // trip to the window system, under Wine to its server).
      case Layout::Kind::Button:
        style |= BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP | WS_DISABLED;
        break;
      case Layout::Kind::CopyPicture:
      case Layout::Kind::PastePicture:
        // Drawn here: the pictures on the classic grey face.
        style |= BS_OWNERDRAW | WS_TABSTOP | WS_GROUP | WS_DISABLED;
        break;
    }
    // A picture button's text is what it does: screen readers read it.
    const std::u16string text = c->kind == Layout::Kind::CopyPicture || c->kind == Layout::Kind::PastePicture
                                    ? Utf16(c->tooltip)
                                    : caption;
    const auto id = static_cast<std::intptr_t>(kFirstId + (c - Layout::kControls));
    const RECT r = Place(*c);
    HWND hwnd = CreateWindowExW(exStyle, cls, Wide(text), style, r.left, r.top, r.right - r.left,
                                r.bottom - r.top, window_, reinterpret_cast<HMENU>(id), instance, nullptr);
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(FontOf(*c)), FALSE);
    // A group starts with its first option chosen, checked before the rest
    // of the group is made: Wine's radio button walks its whole group at
    // each check, a trip to its server for every option.
    if ((c->kind == Layout::Kind::TypeOption || c->kind == Layout::Kind::DisplayOption) && c->index == 0) {
      SendMessageW(hwnd, BM_SETCHECK, BST_CHECKED, 0);
    }
    controls_.emplace_back(c, hwnd);
    switch (c->kind) {
      case Layout::Kind::Box:
        arrays_.boxes[index] = hwnd;
        SendMessageW(hwnd, EM_SETLIMITTEXT, 0, 0);  // as long as the system allows
        Subclass(hwnd, *c);
        break;
      case Layout::Kind::Frame:
        Subclass(hwnd, *c);
        break;
      case Layout::Kind::TypeOption:
        arrays_.type[index] = hwnd;
        break;
      case Layout::Kind::DisplayOption:
        arrays_.display[index] = hwnd;
        break;
      case Layout::Kind::Button:
        arrays_.update[index] = hwnd;
        Subclass(hwnd, *c);  // for its name
        break;
      case Layout::Kind::CopyPicture:
        arrays_.copy[index] = hwnd;
        break;
      case Layout::Kind::PastePicture:
        arrays_.paste[index] = hwnd;
        break;
      case Layout::Kind::Label:
        break;
    }
    // A picture button's text is its name already; the Update buttons'
    // names say their row.
    if (*c->tooltip && text != Utf16(c->tooltip)) names_.Set(hwnd, Utf16(c->tooltip));
  }
  // Each box is named by its row's label.
  for (const Layout::Control& label : Layout::kControls) {
    if (label.kind == Layout::Kind::Label && label.index >= 0)
      names_.Set(Box(label.index), Utf16(label.caption));
  }
}

void Win32View::Arrange(UINT layoutDpi) {
  dpi_ = layoutDpi ? layoutDpi : 96;
  MakeFontsAndPictures();
  for (const auto& [c, hwnd] : controls_) {
    const RECT r = Place(*c);
    SetWindowPos(hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(FontOf(*c)), TRUE);
  }
  if (tooltip_) SendMessageW(tooltip_, WM_SETFONT, reinterpret_cast<WPARAM>(captionFont_.get()), TRUE);
  InvalidateRect(window_, nullptr, TRUE);  // the labels, in the new font and places
}

RECT Win32View::Place(const Layout::Control& c) const {
  const Layout::Rect r = Layout::InWindow(c);
  const int left = Scale(r.left, dpi_), top = Scale(r.top, dpi_);
  return {left, top, left + Scale(r.width, dpi_), top + Scale(r.height, dpi_)};
}

LRESULT CALLBACK Win32View::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<Win32View*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->window_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<Win32View*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  return self ? self->OnMessage(message, wParam, lParam) : DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT Win32View::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: {
      // The client area of the layout at the monitor's DPI.
      const SIZE size = FrameSize(LayoutDpi(GetDpiForWindow(window_)), GetDpiForWindow(window_));
      const auto* made = reinterpret_cast<const CREATESTRUCTW*>(lParam);
      if (made->cx != size.cx || made->cy != size.cy) {
        SetWindowPos(window_, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
      }
      return 0;
    }
    case WM_DPICHANGED: {
      // Moved to a monitor of another DPI: the same layout at its scale.
      const auto* suggested = reinterpret_cast<const RECT*>(lParam);
      Arrange(LayoutDpi(HIWORD(wParam)));
      SetWindowPos(window_, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                   suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    }
    case WM_SETTINGCHANGE: {
      // A new text size: the layout at its scale, the window around it.
      const UINT dpi = GetDpiForWindow(window_);
      if (LayoutDpi(dpi) != dpi_) {
        Arrange(LayoutDpi(dpi));
        const SIZE size = FrameSize(dpi_, dpi);
        SetWindowPos(window_, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
      }
      return DefWindowProcW(window_, message, wParam, lParam);
    }
    case WM_ACTIVATE:
      // Back to the control that had the focus, as a dialog does.
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(window_, focus)) focus_ = focus;
      } else if (!HIWORD(wParam) && focus_) {
        ::SetFocus(focus_);
        return 0;
      }
      return DefWindowProcW(window_, message, wParam, lParam);
    case WM_TIMER:
      if (wParam == kSettleTimer) Settle();
      return 0;
    case WM_GETOBJECT:
      if (const std::optional<LRESULT> answer = names_.Answer(window_, wParam, lParam)) return *answer;
      return DefWindowProcW(window_, message, wParam, lParam);
    case WM_COMMAND:
      if (lParam) OnCommand(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window_, &paint);
      DrawLabels(dc);
      EndPaint(window_, &paint);
      return 0;
    }
    case WM_PRINTCLIENT: {
      // A themed control drawing its parent's background beneath it, and
      // any program printing the window.
      const auto dc = reinterpret_cast<HDC>(wParam);
      if (lParam & PRF_ERASEBKGND) {
        RECT client;
        GetClientRect(window_, &client);
        FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
      }
      DrawLabels(dc);
      return 0;
    }
    case WM_DRAWITEM:
      DrawPicture(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_CLOSE:
      DestroyWindow(window_);
      return 0;
    case WM_DESTROY:
      if (GetWindowLongPtrW(window_, GWLP_USERDATA)) PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window_, message, wParam, lParam);
  }
}

void Win32View::OnCommand(HWND control, WORD code) {
  for (int16_t row = 0; row < kRowCount; ++row) {
    if (control != arrays_.boxes[static_cast<std::size_t>(row)] || code != EN_CHANGE) continue;
    SetDescription(row, u"");  // a note on the old value no longer holds
    if (events_) events_->TextChanged(row);
    return;
  }
  if (code != BN_CLICKED) return;
  for (const Buttons array : {Buttons::Update, Buttons::Copy, Buttons::Paste}) {
    for (int16_t index = 0; index < CountOf(array); ++index) {
      if (Button(array, index) == control && events_) events_->ButtonClicked(array, index);
    }
  }
  for (const Options array : {Options::Type, Options::Display}) {
    for (int16_t index = 0; index < CountOf(array); ++index) {
      if (Option(array, index) != control) continue;
      MarkTabStop(array);
      if (events_) events_->OptionClicked(array, index);
    }
  }
}

HWND Win32View::Box(int16_t row) const { return arrays_.BoxOf(row); }

HWND Win32View::Button(Buttons array, int16_t index) const { return arrays_.ButtonOf(array, index); }

HWND Win32View::Option(Options array, int16_t index) const { return arrays_.OptionOf(array, index); }

HWND Win32View::Control(const Layout::Control& c) const {
  for (const auto& [entry, hwnd] : controls_) {
    if (entry == &c) return hwnd;
  }
  return nullptr;
}

std::u16string Win32View::Tooltip(HWND control) const {
  std::u16string text(1024, u'\0');
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  tool.hwnd = window_;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = reinterpret_cast<wchar_t*>(text.data());
  if (!SendMessageW(tooltip_, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool))) return u"";
  tool.lpszText = reinterpret_cast<wchar_t*>(text.data());
  SendMessageW(tooltip_, TTM_GETTEXTW, text.size(), reinterpret_cast<LPARAM>(&tool));
  text.resize(std::char_traits<char16_t>::length(text.c_str()));
  return text;
}

std::u16string Win32View::GetText(int16_t row) const {
  HWND box = Box(row);
  return box ? TextOf(box) : std::u16string();
}

void Win32View::SetText(int16_t row, const std::u16string& text) {
  HWND box = Box(row);
  if (!box || TextOf(box) == text) return;
  SetWindowTextW(box, Wide(text));  // EN_CHANGE runs the change handler inside this call
}

void Win32View::SetEnabled(Buttons array, int16_t index, bool enabled) {
  HWND button = Button(array, index);
  if (button && (IsWindowEnabled(button) != FALSE) != enabled) EnableWindow(button, enabled);
}

void Win32View::Select(Options array, int16_t index) {
  HWND chosen = Option(array, index);
  if (!chosen) return;
  for (int16_t i = 0; i < CountOf(array); ++i) {
    const WPARAM check = i == index ? BST_CHECKED : BST_UNCHECKED;
    HWND option = Option(array, i);
    if (static_cast<WPARAM>(SendMessageW(option, BM_GETCHECK, 0, 0)) != check) {
      SendMessageW(option, BM_SETCHECK, check, 0);
    }
  }
  MarkTabStop(array);
  if (events_) events_->OptionClicked(array, index);
}

bool Win32View::IsSelected(Options array, int16_t index) const {
  HWND option = Option(array, index);
  return option && SendMessageW(option, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Win32View::SetFocus(Buttons array, int16_t index) {
  HWND button = Button(array, index);
  if (!button || !IsWindowEnabled(button)) return;
  // The focus moves from a key (Enter): show its rectangle as Tab would.
  SendMessageW(window_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
  ::SetFocus(button);
}

void Win32View::SetDescription(int16_t row, const std::u16string& text) {
  HWND box = Box(row);
  if (!box || descriptions_[static_cast<std::size_t>(row)] == text) return;
  descriptions_[static_cast<std::size_t>(row)] = text;
  names_.Set(box, text, true);
  if (!tooltip_) return;  // Settle shows it
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  tool.hwnd = window_;
  tool.uId = reinterpret_cast<UINT_PTR>(box);
  SendMessageW(tooltip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  if (!text.empty()) AddTool(box, text);
}

void Win32View::Announce(const std::u16string& text) { RaiseNotification(window_, text); }

bool Win32View::CanPaste(int16_t row) const {
  HWND paste = Button(Buttons::Paste, row);
  return paste && IsWindowEnabled(paste);
}

void Win32View::PasteCommand(int16_t row) {
  if (CanPaste(row) && events_) events_->ButtonClicked(Buttons::Paste, row);
}

void Win32View::Offer(int16_t row, const std::u16string& text) {
  if (events_) events_->TextOffered(row, text);
}
