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

namespace {

constexpr wchar_t kWindowClass[] = L"Nombrelix.frmMain";
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr int kFirstId = 100;  // control ids: kFirstId + the table index
constexpr UINT_PTR kSettleTimer = 1;

const wchar_t* Wide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

std::u16string Utf16(const char* utf8) {
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
  std::u16string text(static_cast<std::size_t>(std::max(n, 1)), u'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8, -1, reinterpret_cast<wchar_t*>(text.data()), n);
  text.resize(static_cast<std::size_t>(std::max(n - 1, 0)));
  return text;
}

std::u16string TextOf(HWND control) {
  const int length = GetWindowTextLengthW(control);
  std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
  const int got = GetWindowTextW(control, reinterpret_cast<wchar_t*>(text.data()), length + 1);
  text.resize(static_cast<std::size_t>(std::max(got, 0)));
  return text;
}

int Scale(int pixels, UINT dpi) { return MulDiv(pixels, static_cast<int>(dpi), 96); }

// The picture buttons' face, the grey their pictures are drawn on.
COLORREF FaceColour() {
  constexpr uint32_t face = Pictures::kButtonFace;
  return RGB((face >> 16) & 0xFF, (face >> 8) & 0xFF, face & 0xFF);
}

// The window's outer size for the layout's client area at a DPI.
SIZE FrameSize(UINT dpi) {
  RECT frame{0, 0, Scale(Layout::kWidth, dpi), Scale(Layout::kHeight, dpi)};
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
  const SIZE size = FrameSize(GetDpiForSystem());
  window_ = CreateWindowExW(0, kWindowClass, reinterpret_cast<const wchar_t*>(Layout::kTitle), kWindowStyle,
                            CW_USEDEFAULT, CW_USEDEFAULT, size.cx, size.cy, nullptr, nullptr, instance, this);
  if (!window_) return;
  // Every control is made at its place, in its font, at this DPI, with
  // nothing drawn until the window is shown.
  dpi_ = GetDpiForWindow(window_) ? GetDpiForWindow(window_) : 96;
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
  drop_ = std::make_unique<DropTarget>(*this);
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

void Win32View::MakeFontsAndPictures() {
  boxFont_.reset(CreateFontW(-static_cast<int>(std::lround(Layout::kBoxPointSize * dpi_ / 72.0)), 0, 0, 0,
                             FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, FIXED_PITCH | FF_MODERN,
                             L"Courier New"));
  captionFont_.reset(CreateFontW(-Scale(Layout::kCaptionPixelSize, dpi_), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                                 FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                 CLEARTYPE_QUALITY, VARIABLE_PITCH | FF_SWISS, L"Arial"));
  const double scale = dpi_ / 96.0;
  copyPicture_ = Pictures::Draw(Pictures::Picture::Copy, scale);
  pastePicture_ = Pictures::Draw(Pictures::Picture::Paste, scale);
}

HFONT Win32View::FontOf(const Layout::Control& c) const {
  return c.kind == Layout::Kind::Box ? boxFont_.get() : captionFont_.get();
}

void Win32View::Arrange(UINT dpi) {
  dpi_ = dpi ? dpi : 96;
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

void Win32View::DrawLabels(HDC dc) const {
  // As a static control draws its text: wrapped at words, no mnemonics.
  const HGDIOBJ old = SelectObject(dc, captionFont_.get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  for (const Layout::Control& c : Layout::kControls) {
    if (c.kind != Layout::Kind::Label) continue;
    const std::u16string caption = Utf16(c.caption);
    RECT r = Place(c);
    DrawTextW(dc, Wide(caption), static_cast<int>(caption.size()), &r,
              DT_LEFT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
  }
  SelectObject(dc, old);
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
      const SIZE size = FrameSize(GetDpiForWindow(window_));
      const auto* made = reinterpret_cast<const CREATESTRUCTW*>(lParam);
      if (made->cx != size.cx || made->cy != size.cy) {
        SetWindowPos(window_, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
      }
      return 0;
    }
    case WM_DPICHANGED: {
      // Moved to a monitor of another DPI: the same layout at its scale.
      const auto* suggested = reinterpret_cast<const RECT*>(lParam);
      Arrange(HIWORD(wParam));
      SetWindowPos(window_, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                   suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
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

void Win32View::DrawPicture(const DRAWITEMSTRUCT& item) {
  const bool copy = std::find(arrays_.copy.begin(), arrays_.copy.end(), item.hwndItem) != arrays_.copy.end();
  const Pictures::Pixels& picture = copy ? copyPicture_ : pastePicture_;
  RECT face = item.rcItem;
  const GdiObject<HBRUSH> grey(CreateSolidBrush(FaceColour()));
  FillRect(item.hDC, &face, grey.get());
  const bool pressed = item.itemState & ODS_SELECTED;
  DrawEdge(item.hDC, &face, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
  // A disabled picture is drawn half way to the face, as greyed.
  std::vector<uint32_t> pixels = picture.argb;
  if (item.itemState & ODS_DISABLED) {
    for (uint32_t& p : pixels) {
      const auto half = [&](int shift) { return ((((p >> shift) & 0xFF) + 0xC0 * 3) / 4) << shift; };
      p = 0xFF000000 | half(16) | half(8) | half(0);
    }
  }
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = picture.width;
  info.bmiHeader.biHeight = -picture.height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  const int shift = pressed ? 1 : 0;
  const int x = face.left + (face.right - face.left - picture.width) / 2 + shift;
  const int y = face.top + (face.bottom - face.top - picture.height) / 2 + shift;
  SetDIBitsToDevice(item.hDC, x, y, static_cast<DWORD>(picture.width), static_cast<DWORD>(picture.height), 0,
                    0, 0, static_cast<UINT>(picture.height), pixels.data(), &info, DIB_RGB_COLORS);
  if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) {
    RECT focus = face;
    InflateRect(&focus, -Scale(4, dpi_), -Scale(4, dpi_));
    DrawFocusRect(item.hDC, &focus);
  }
}

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
    case WM_PASTE:  // the context menu's Paste, and any program's
      PasteCommand(row);
      return 0;
    default:
      break;
  }
  return pass(wParam);
}

void Win32View::DrawFrame(HWND frame, HDC dc) const {
  // Wine's group box measures its caption short of what it draws ("Copy
  // Al"): the caption is measured and drawn here in one font, and the line
  // in the look of the theme, or etched without one.
  const std::u16string caption = TextOf(frame);
  RECT area;
  GetClientRect(frame, &area);
  const HGDIOBJ old = SelectObject(dc, captionFont_.get());
  SIZE text{};
  GetTextExtentPoint32W(dc, Wide(caption), static_cast<int>(caption.size()), &text);
  RECT line = area;
  line.top += text.cy / 2;
  if (HTHEME theme = GetWindowTheme(frame)) {
    DrawThemeBackground(theme, dc, BP_GROUPBOX, IsWindowEnabled(frame) ? GBS_NORMAL : GBS_DISABLED, &line,
                        nullptr);
  } else {
    DrawEdge(dc, &line, EDGE_ETCHED, BF_RECT);
  }
  const int gap = Scale(2, dpi_);
  RECT label{area.left + Scale(6, dpi_), area.top, area.left + Scale(6, dpi_) + text.cx + 2 * gap,
             area.top + text.cy};
  FillRect(dc, &label, GetSysColorBrush(COLOR_BTNFACE));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(IsWindowEnabled(frame) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
  label.left += gap;
  DrawTextW(dc, Wide(caption), static_cast<int>(caption.size()), &label,
            DT_SINGLELINE | DT_NOPREFIX | DT_LEFT | DT_TOP);
  SelectObject(dc, old);
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

int16_t Win32View::RowAt(POINT screen) const {
  for (int16_t row = 0; row < kRowCount; ++row) {
    RECT r;
    if (GetWindowRect(arrays_.boxes[static_cast<std::size_t>(row)], &r) && PtInRect(&r, screen)) return row;
  }
  return -1;
}
