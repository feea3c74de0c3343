// SPDX-License-Identifier: MIT
// The Win32 window (run under Wine on Linux): the View contract, the layout
// table, Tab order, the ways into a box, names for screen readers, DPI
// changes and the clipboard held by another window.
#include "Win32View.h"

#include <commctrl.h>
#include <ole2.h>
#include <oleacc.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <future>
#include <random>
#include <set>
#include <thread>
#include <utility>

#include "Layout.h"
#include "ViewContract.h"
#include "Win32Announce.h"
#include "Win32Clipboard.h"
#include "Win32DropTarget.h"
#include "Win32Locale.h"
#include "frmMain.h"

namespace {

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// A control's name (or description) as a screen reader reads it.
std::u16string Accessible(HWND hwnd, bool description) {
  IAccessible* object = nullptr;
  const HRESULT got =
      AccessibleObjectFromWindow(hwnd, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&object));
  if (FAILED(got)) {
    const std::string code = std::to_string(static_cast<unsigned long>(got));
    return u"(no object: " + std::u16string(code.begin(), code.end()) + u")";
  }
  VARIANT self;
  VariantInit(&self);
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR text = nullptr;
  const HRESULT hr = description ? object->get_accDescription(self, &text) : object->get_accName(self, &text);
  std::u16string result = SUCCEEDED(hr) && text ? reinterpret_cast<const char16_t*>(text) : u"";
  SysFreeString(text);
  object->Release();
  return result;
}

// The window's children as a screen reader walks them: for each, its
// number among them when it is a simple element (else 0), its role, name and
// place in the window's client area.
struct Child {
  long number;
  long role;
  std::u16string name;
  RECT place;
};
std::vector<Child> ChildrenOf(HWND window) {
  IAccessible* object = nullptr;
  if (FAILED(AccessibleObjectFromWindow(window, OBJID_CLIENT, IID_IAccessible,
                                        reinterpret_cast<void**>(&object)))) {
    return {};
  }
  long count = 0;
  object->get_accChildCount(&count);
  std::vector<VARIANT> children(static_cast<std::size_t>(count));
  long got = 0;
  AccessibleChildren(object, 0, count, children.data(), &got);
  std::vector<Child> result;
  for (long i = 0; i < got; ++i) {
    VARIANT& child = children[static_cast<std::size_t>(i)];
    IAccessible* of = object;
    VARIANT self;
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    if (child.vt == VT_DISPATCH) {
      child.pdispVal->QueryInterface(IID_IAccessible, reinterpret_cast<void**>(&of));
      child.pdispVal->Release();
    } else {
      self = child;
    }
    Child c{child.vt == VT_I4 ? child.lVal : 0, 0, u"", {}};
    VARIANT role;
    VariantInit(&role);
    of->get_accRole(self, &role);
    c.role = role.vt == VT_I4 ? role.lVal : 0;
    BSTR name = nullptr;
    of->get_accName(self, &name);
    if (name) c.name = reinterpret_cast<const char16_t*>(name);
    SysFreeString(name);
    long x = 0, y = 0, w = 0, h = 0;
    of->accLocation(&x, &y, &w, &h, self);
    POINT corner{x, y};
    ScreenToClient(window, &corner);
    c.place = {corner.x, corner.y, corner.x + w, corner.y + h};
    if (of != object) of->Release();
    result.push_back(c);
  }
  object->Release();
  return result;
}

std::u16string TextOf(HWND hwnd) {
  wchar_t buffer[256] = {};
  GetWindowTextW(hwnd, buffer, 256);
  return reinterpret_cast<const char16_t*>(buffer);
}

class Win32Harness final : public ViewHarness {
 public:
  Win32Harness() : window(GetModuleHandleW(nullptr)) {
    ShowWindow(window.Window(), SW_SHOW);
    SetForegroundWindow(window.Window());
    Pump();
    window.Settle();  // the tooltips, without waiting for the timer
  }
  View& view() override { return window; }
  bool IsEnabled(Buttons array, int16_t index) override {
    return IsWindowEnabled(window.Button(array, index));
  }
  bool ButtonHasFocus(Buttons array, int16_t index) override {
    return GetFocus() == window.Button(array, index);
  }
  bool BoxHasFocus(int16_t row) override { return GetFocus() == window.Box(row); }
  void FocusBox(int16_t row) override { SetFocus(window.Box(row)); }
  std::u16string Description(int16_t row) override { return window.Tooltip(window.Box(row)); }
  void TypeKey(int16_t row, char16_t key) override {
    SendMessageW(window.Box(row), WM_CHAR, key, 1);
    Pump();
  }
  void ClickOption(Options array, int16_t index) override {
    SendMessageW(window.Option(array, index), BM_CLICK, 0, 0);
    Pump();
  }
  // A UI Automation notification reaches only a UI Automation client;
  // RaiseNotification's own test shows that it is raised.
  std::optional<std::vector<std::u16string>> TakeTold() override { return std::nullopt; }
  bool ClickButton(Buttons array, int16_t index) override {
    HWND button = window.Button(array, index);
    if (!IsWindowEnabled(button)) return false;
    SendMessageW(button, BM_CLICK, 0, 0);
    Pump();
    return true;
  }

  Win32View window;
};

INSTANTIATE_TEST_SUITE_P(Win32, ViewContract,
                         ::testing::Values(HarnessFactory([] { return std::make_unique<Win32Harness>(); })));

// Records the events the window reports.
struct Recorder final : ViewEvents {
  void TextChanged(int16_t) override {}
  void KeyPress(int16_t, int16_t&) override {}
  void ButtonClicked(Buttons array, int16_t index) override { clicks.emplace_back(array, index); }
  void OptionClicked(Options, int16_t) override {}
  void TextOffered(int16_t, const std::u16string&) override {}
  std::vector<std::pair<Buttons, int16_t>> clicks;
};

class Window : public ::testing::Test {
 protected:
  void SetUp() override { window.window.SetEvents(&events); }
  void TearDown() override { window.window.SetEvents(nullptr); }
  RECT InClient(HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, window.window.Window(), reinterpret_cast<POINT*>(&r), 2);
    return r;
  }
  Win32Harness window;
  Recorder events;
};

TEST_F(Window, EveryControlAsTheTableSaysAtEachDpi) {
  Win32View& view = window.window;
  // As made at the start, then after each move to a monitor of that DPI.
  for (UINT dpi : {0u, 96u, 144u, 192u, 96u}) {
    if (dpi) {
      RECT suggested;
      GetWindowRect(view.Window(), &suggested);
      SendMessageW(view.Window(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
      ASSERT_EQ(view.Dpi(), dpi);
    }
    dpi = view.Dpi();
    // The window draws the labels, where a screen reader is told they are.
    const std::vector<Child> children = ChildrenOf(view.Window());
    ASSERT_EQ(children.size(), std::size(Layout::kControls));
    for (const Layout::Control& c : Layout::kControls) {
      HWND hwnd = view.Control(c);
      const bool drawn = c.kind == Layout::Kind::Label;
      ASSERT_EQ(hwnd == nullptr, drawn) << c.name;
      const Layout::Rect r = Layout::InWindow(c);
      const RECT at =
          drawn ? children[static_cast<std::size_t>(&c - Layout::kControls)].place : InClient(hwnd);
      const auto scaled = [&](int px) { return MulDiv(px, static_cast<int>(dpi), 96); };
      EXPECT_EQ(at.left, scaled(r.left)) << c.name << " at " << dpi;
      EXPECT_EQ(at.top, scaled(r.top)) << c.name << " at " << dpi;
      EXPECT_EQ(at.right - at.left, scaled(r.width)) << c.name << " at " << dpi;
      EXPECT_EQ(at.bottom - at.top, scaled(r.height)) << c.name << " at " << dpi;
      const bool picture = c.kind == Layout::Kind::CopyPicture || c.kind == Layout::Kind::PastePicture;
      // A picture button's text is what it does, for screen readers.
      const char* text = picture ? c.tooltip : c.caption;
      const std::u16string caption = drawn ? std::u16string(text, text + strlen(text)) : TextOf(hwnd);
      EXPECT_EQ(caption, std::u16string(text, text + strlen(text))) << c.name;
      if (picture || !*c.caption) continue;
      // The caption fits beside what the control draws (a radio's circle, a
      // button's edge, a frame's line), in its own font and, as wide or
      // wider, in Tahoma and Segoe UI, at this scale.
      const int room = scaled(r.width) - scaled(c.kind == Layout::Kind::Frame    ? 12
                                                : c.kind == Layout::Kind::Button ? 6
                                                : c.kind == Layout::Kind::Label  ? 0
                                                                                 : 18);
      // A drawn label is in the captions' font, as a button's.
      HWND inFont = drawn ? view.Button(Buttons::Update, 0) : hwnd;
      LOGFONTW own{};
      GetObjectW(reinterpret_cast<HFONT>(SendMessageW(inFont, WM_GETFONT, 0, 0)), sizeof(own), &own);
      HDC dc = GetDC(inFont);
      for (const std::wstring& face :
           {std::wstring(own.lfFaceName), std::wstring(L"Tahoma"), std::wstring(L"Segoe UI")}) {
        LOGFONTW lf = own;
        wcsncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
        HFONT font = CreateFontIndirectW(&lf);
        const HGDIOBJ old = SelectObject(dc, font);
        SIZE size{};
        GetTextExtentPoint32W(dc, reinterpret_cast<const wchar_t*>(caption.c_str()),
                              static_cast<int>(caption.size()), &size);
        EXPECT_LE(size.cx, room) << c.name << " in " << std::string(face.begin(), face.end()) << " at "
                                 << dpi;
        SelectObject(dc, old);
        DeleteObject(font);
      }
      ReleaseDC(inFont, dc);
    }
  }
  const LONG style = GetWindowLongW(view.Window(), GWL_STYLE);
  EXPECT_FALSE(style & (WS_THICKFRAME | WS_MAXIMIZEBOX)) << "fixed size, nothing to maximise";
  EXPECT_EQ(TextOf(view.Window()), u"Dec to Hex to Bin");
}

TEST_F(Window, TabWalksTheTableOneStopPerGroup) {
  Win32View& view = window.window;
  for (const Buttons array : {Buttons::Update, Buttons::Copy, Buttons::Paste}) {
    for (int16_t i = 0; i < view.Count(array); ++i) view.SetEnabled(array, i, true);
  }
  view.SetEnabled(Buttons::Update, 1, false);
  view.Select(Options::Type, 2);
  view.Select(Options::Display, 1);
  const std::vector<HWND> expected = {view.Box(0),
                                      view.Box(1),
                                      view.Box(2),
                                      view.Button(Buttons::Update, 0),
                                      view.Button(Buttons::Update, 2),
                                      view.Option(Options::Type, 2),
                                      view.Option(Options::Display, 1),
                                      view.Button(Buttons::Copy, 0),
                                      view.Button(Buttons::Paste, 0),
                                      view.Button(Buttons::Copy, 1),
                                      view.Button(Buttons::Copy, 2),
                                      view.Button(Buttons::Paste, 1),
                                      view.Button(Buttons::Paste, 2),
                                      view.Button(Buttons::Copy, 3)};
  HWND at = view.Box(0);
  for (std::size_t step = 1; step <= expected.size(); ++step) {
    at = GetNextDlgTabItem(view.Window(), at, FALSE);
    EXPECT_EQ(at, expected[step % expected.size()]) << "stop " << step;
  }
}

TEST_F(Window, ASecondClickWithinTheDoubleClickTimeFocusesTheBox) {
  // Clicked, left by Shift+Tab, clicked again: the second click comes as
  // a double click.
  Win32View& view = window.window;
  view.SetEnabled(Buttons::Paste, kRowDec, true);
  for (int16_t row = 0; row < 3; ++row) {
    SetFocus(view.Button(Buttons::Paste, kRowDec));
    ASSERT_EQ(GetFocus(), view.Button(Buttons::Paste, kRowDec));
    SendMessageW(view.Box(row), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(4, 4));
    SendMessageW(view.Box(row), WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
    EXPECT_EQ(GetFocus(), view.Box(row)) << "row " << row;
  }
}

TEST_F(Window, PasteMessagesFollowThePasteButton) {
  Win32View& view = window.window;
  for (const bool enabled : {false, true}) {
    events.clicks.clear();
    view.SetEnabled(Buttons::Paste, kRowHex, enabled);
    SendMessageW(view.Box(kRowHex), WM_PASTE, 0, 0);  // the context menu's Paste
    EXPECT_EQ(events.clicks.size(), enabled ? 1u : 0u);
  }
  RECT r;
  GetWindowRect(view.Box(kRowBin), &r);
  const DropTarget drop(
      {view.Box(kRowDec), view.Box(kRowHex), view.Box(kRowBin)}, [](int16_t) { return true; },
      [](int16_t, const std::u16string&) {});
  EXPECT_EQ(drop.RowAt({r.left + 2, r.top + 2}), kRowBin) << "where a drop lands";
  EXPECT_EQ(drop.RowAt({r.left - 50, r.top - 50}), -1) << "beside the boxes";
  EXPECT_EQ(view.GetText(kRowHex), u"") << "a paste message never edits the box itself";
  // Ctrl+V reaches the box as a control character: the key filter's.
  int16_t seen = 0;
  struct KeyRecorder final : ViewEvents {
    int16_t* seen;
    void TextChanged(int16_t) override {}
    void KeyPress(int16_t, int16_t& key) override {
      *seen = key;
      key = 0;
    }
    void ButtonClicked(Buttons, int16_t) override {}
    void OptionClicked(Options, int16_t) override {}
    void TextOffered(int16_t, const std::u16string&) override {}
  } keys;
  keys.seen = &seen;
  view.SetEvents(&keys);
  SendMessageW(view.Box(kRowHex), WM_CHAR, 0x16, 1);
  EXPECT_EQ(seen, 0x16);
  EXPECT_EQ(view.GetText(kRowHex), u"");
  view.SetEvents(&events);
}

TEST_F(Window, ScreenReadersGetTheNamesAndTheNote) {
  Win32View& view = window.window;

  const struct {
    HWND control;
    std::u16string name, tooltip;
  } cases[] = {
      {view.Option(Options::Display, 0), u"Little Endian (X86)", u""},
      {view.Box(kRowDec), u"Decimal", u""},
      {view.Box(kRowBin), u"Binary", u""},
      {view.Button(Buttons::Update, 1), u"Update from Hex", u"Update from Hex"},
      {view.Button(Buttons::Copy, 1), u"Copy Hex", u"Copy Hex"},
      {view.Button(Buttons::Paste, 2), u"Paste Binary", u"Paste Binary"},
      {view.Button(Buttons::Copy, kCopyAll), u"Copy All", u"Copy All"},
      {view.Option(Options::Display, 0), u"Little Endian (X86)", u""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Accessible(c.control, false), c.name);
    EXPECT_EQ(view.Tooltip(c.control), c.tooltip) << std::string(c.name.begin(), c.name.end());
  }
  // The drawn labels are static text among the window's children, in the
  // table's order; the point at a label's middle is that label.
  std::vector<std::u16string> texts;
  const std::vector<Child> children = ChildrenOf(view.Window());
  for (const Child& c : children) {
    if (c.role == ROLE_SYSTEM_STATICTEXT) texts.push_back(c.name);
  }
  EXPECT_EQ(texts, (std::vector<std::u16string>{u"Decimal", u"Hex", u"Binary", u"1,234  => 4321",
                                                u"1,234  => 1234", u"Will work only from Decimal to..."}));
  IAccessible* object = nullptr;
  ASSERT_HRESULT_SUCCEEDED(AccessibleObjectFromWindow(view.Window(), OBJID_CLIENT, IID_IAccessible,
                                                      reinterpret_cast<void**>(&object)));
  for (const Child& c : children) {
    if (!c.number) continue;
    POINT middle{(c.place.left + c.place.right) / 2, (c.place.top + c.place.bottom) / 2};
    ClientToScreen(view.Window(), &middle);
    VARIANT hit;
    VariantInit(&hit);
    EXPECT_HRESULT_SUCCEEDED(object->accHitTest(middle.x, middle.y, &hit));
    EXPECT_EQ(hit.vt == VT_I4 ? hit.lVal : -1, c.number) << std::string(c.name.begin(), c.name.end());
  }
  object->Release();

  view.SetDescription(kRowDec, u"exactly 16777217");
  EXPECT_EQ(view.Tooltip(view.Box(kRowDec)), u"exactly 16777217");
  EXPECT_EQ(Accessible(view.Box(kRowDec), true), u"exactly 16777217");
  view.SetText(kRowDec, u"5");
  EXPECT_EQ(view.Tooltip(view.Box(kRowDec)), u"");
  EXPECT_EQ(Accessible(view.Box(kRowDec), true), u"");
}

// A screen reader asks as soon as the focus comes, before the window has
// settled and started OLE: on a thread of its own with no COM yet, the box
// still gives its name.
TEST(ScreenReader, GetsTheNamesBeforeTheWindowSettles) {
  std::promise<std::pair<DWORD, HWND>> made;
  std::thread owner([&made] {
    Win32View view(GetModuleHandleW(nullptr));
    made.set_value({GetCurrentThreadId(), view.Box(kRowDec)});
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
      if (msg.message != WM_TIMER) DispatchMessageW(&msg);  // never settles
    }
  });
  const auto [thread, box] = made.get_future().get();
  EXPECT_EQ(Accessible(box, false), u"Decimal");
  PostThreadMessageW(thread, WM_QUIT, 0, 0);
  owner.join();
}

TEST_F(Window, ArrowKeysChooseWithinAGroupThroughTheClickHandler) {
  Win32View& view = window.window;
  view.Select(Options::Type, 0);
  view.Select(Options::Display, 1);
  SetFocus(view.Option(Options::Type, 0));
  for (const auto& [key, chosen] : {std::pair{VK_DOWN, 1}, {VK_DOWN, 2}, {VK_UP, 1}}) {
    MSG msg{GetFocus(), WM_KEYDOWN, static_cast<WPARAM>(key), 0, 0, {}};
    EXPECT_TRUE(view.Navigate(msg));
    Pump();
    EXPECT_TRUE(view.IsSelected(Options::Type, static_cast<int16_t>(chosen))) << chosen;
    EXPECT_EQ(GetFocus(), view.Option(Options::Type, static_cast<int16_t>(chosen)));
  }
  EXPECT_TRUE(view.IsSelected(Options::Display, 1) && !view.IsSelected(Options::Display, 0))
      << "the other group is left alone";
}

TEST(Locale, TheDecimalBoxReadsAsTheRegionalSettingsWrite) {
  // Separators where every Windows version agrees; Arabic (Saudi Arabia)
  // for its native digits.
  const struct {
    const wchar_t* locale;
    char16_t point, group;  // 0: not checked
    char32_t zero;
  } cases[] = {{L"en-US", u'.', u',', U'0'}, {L"de-DE", u',', u'.', U'0'}, {L"ar-SA", 0, 0, U'\u0660'}};
  for (const auto& c : cases) {
    const NumberFormat format = NumberFormatOf(c.locale);
    if (c.point) {
      EXPECT_EQ(format.decimalPoint, c.point);
    }
    if (c.group) {
      EXPECT_EQ(format.groupSeparator, c.group);
    }
    EXPECT_EQ(format.zeroDigit, c.zero);
  }
}

TEST(Clipboard, HeldByAnotherWindowFailsAndRecovers) {
  const HWND mine =
      CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  Win32Clipboard clipboard(mine);
  ASSERT_TRUE(clipboard.SetText(u"12ab\u0915"));
  EXPECT_EQ(clipboard.GetText(), std::optional<std::u16string>(u"12ab\u0915"));
  ASSERT_TRUE(clipboard.Clear());
  EXPECT_EQ(clipboard.GetText(), std::optional<std::u16string>(u"")) << "no text is the empty text";

  // Another thread's window holds the clipboard open until told to close it.
  HANDLE opened = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::thread holder([&] {
    const HWND other =
        CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    OpenClipboard(other);
    SetEvent(opened);
    WaitForSingleObject(release, INFINITE);
    CloseClipboard();
    DestroyWindow(other);
  });
  WaitForSingleObject(opened, INFINITE);
  EXPECT_EQ(clipboard.GetText(), std::nullopt) << "a failed read is no text";
  EXPECT_FALSE(clipboard.SetText(u"x"));
  EXPECT_FALSE(clipboard.Clear());
  SetEvent(release);
  holder.join();
  EXPECT_TRUE(clipboard.SetText(u"x"));
  EXPECT_EQ(clipboard.GetText(), std::optional<std::u16string>(u"x"));
  CloseHandle(opened);
  CloseHandle(release);
  DestroyWindow(mine);
}

namespace {

// Bytes in use on the process's heaps.
std::size_t HeapInUse() {
  HANDLE heaps[64];
  const DWORD count = GetProcessHeaps(64, heaps);
  std::size_t used = 0;
  for (DWORD i = 0; i < count && i < 64; ++i) {
    PROCESS_HEAP_ENTRY entry{};
    while (HeapWalk(heaps[i], &entry)) {
      if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) used += entry.cbData;
    }
  }
  return used;
}

// The thread's GDI and USER objects. Wine's GetGuiResources says 0: there
// they are counted by trying each handle (Wine finds a GDI object by its
// table index alone, a menu or icon by the low word of its handle) and by
// walking the thread's windows.
std::pair<std::size_t, std::size_t> GuiObjects() {
  const DWORD gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  if (gdi != 0) return {gdi, GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS)};
  std::set<HWND> windows;
  const WNDENUMPROC add = [](HWND w, LPARAM to) {
    reinterpret_cast<std::set<HWND>*>(to)->insert(w);
    return TRUE;
  };
  const auto withChildren = [&](HWND w) {
    windows.insert(w);
    EnumChildWindows(w, add, reinterpret_cast<LPARAM>(&windows));
  };
  EnumThreadWindows(GetCurrentThreadId(), add, reinterpret_cast<LPARAM>(&windows));
  for (HWND w : std::set<HWND>(windows)) withChildren(w);
  for (HWND w = nullptr; (w = FindWindowExW(HWND_MESSAGE, w, nullptr, nullptr));) {
    if (GetWindowThreadProcessId(w, nullptr) == GetCurrentThreadId()) withChildren(w);
  }
  std::size_t user = windows.size();
  for (ULONG_PTR i = 0x20; i < 0x10000; i += 2) {
    ICONINFO icon;
    if (IsMenu(reinterpret_cast<HMENU>(i))) ++user;
    if (GetIconInfo(reinterpret_cast<HICON>(i), &icon)) {
      ++user;
      DeleteObject(icon.hbmColor);
      DeleteObject(icon.hbmMask);
    }
  }
  std::size_t objects = 0;
  for (ULONG_PTR i = 1; i < 0x10000; ++i) objects += GetObjectType(reinterpret_cast<HGDIOBJ>(i)) != 0;
  return {objects, user};
}

}  // namespace

TEST(Clipboard, ReadsEveryChangeAndHoldsNothingForReadingAgain) {
  const auto window = [] {
    return CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  };
  const HWND mine = window();
  const HWND other = window();
  Win32Clipboard clipboard(mine);
  // Another window puts a text there, taking the clipboard or adding to it.
  const auto put = [&](const wchar_t* text, bool empty) {
    const std::size_t bytes = (wcslen(text) + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    std::memcpy(GlobalLock(memory), text, bytes);
    GlobalUnlock(memory);
    ASSERT_TRUE(OpenClipboard(other));
    if (empty) EmptyClipboard();
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
  };
  ASSERT_TRUE(clipboard.SetText(u"FF"));
  EXPECT_EQ(clipboard.GetText(), std::optional<std::u16string>(u"FF"));
  put(L"AB", true);
  EXPECT_EQ(clipboard.GetText(), std::optional<std::u16string>(u"AB")) << "another window's text";
  ASSERT_TRUE(clipboard.SetText(u"FF"));
  put(L"CD", false);
  EXPECT_EQ(clipboard.GetText(), std::optional<std::u16string>(u"CD"))
      << "a text added while the copy was owned";

  // Wine 8 lost a kilobyte at each read of a text the process already held.
  for (const bool own : {true, false}) {
    if (own) {
      ASSERT_TRUE(clipboard.SetText(u"FF"));
    } else {
      put(L"AB", true);
    }
    clipboard.GetText();
    const std::size_t before = HeapInUse();
    for (int i = 0; i < 300; ++i) clipboard.GetText();
    EXPECT_LT(HeapInUse(), before + 32 * 1024) << (own ? "its own copy" : "another window's text");
  }
  DestroyWindow(other);
  DestroyWindow(mine);
}

TEST(Objects, AStormOfCommandsHoldsNoGdiOrUserObjects) {
  Win32View view(GetModuleHandleW(nullptr));
  Win32Clipboard clipboard(view.Window());
  frmMain form(view, clipboard, UserNumberFormat());
  form.Form_Load();
  ShowWindow(view.Window(), SW_SHOW);
  Pump();
  view.Settle();
  std::mt19937 random(7);
  const std::u16string texts[] = {u"300", u"-1", u"FF", u"7FFFFFFF", u"1010", u"12ab\u0915", u""};
  const auto storm = [&](int events) {
    for (int i = 0; i < events; ++i) {
      const auto pick = [&](int count) {
        return static_cast<int16_t>(random() % static_cast<unsigned>(count));
      };
      switch (pick(5)) {
        case 0:
          SendMessageW(view.Button(static_cast<Buttons>(pick(3)), pick(4)), BM_CLICK, 0, 0);
          break;
        case 1:
          SendMessageW(view.Option(pick(2) ? Options::Type : Options::Display, pick(4)), BM_CLICK, 0, 0);
          break;
        case 2:
          SetWindowTextW(view.Box(pick(3)), reinterpret_cast<const wchar_t*>(texts[pick(7)].c_str()));
          break;
        case 3:
          RedrawWindow(view.Window(), nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
          break;
        default: {
          const UINT dpi = pick(2) ? 144 : 96;
          RECT suggested;
          GetWindowRect(view.Window(), &suggested);
          SendMessageW(view.Window(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                       reinterpret_cast<LPARAM>(&suggested));
        }
      }
      Pump();
    }
  };
  storm(100);
  const auto before = GuiObjects();
  storm(600);
  const auto after = GuiObjects();
  EXPECT_LE(after.first, before.first) << "GDI objects";
  EXPECT_LE(after.second, before.second) << "USER objects";
  EXPECT_GT(before.second, std::size(Layout::kControls) / 2) << "the windows counted";
}

TEST(RaiseNotification, RaisedWhereTheSystemHasTheEvent) {
  Win32View window(GetModuleHandleW(nullptr));
  // Wine 8 has no notification event; Windows 10 has.
  HMODULE uia = LoadLibraryW(L"uiautomationcore.dll");
  const bool has = uia && GetProcAddress(uia, "UiaRaiseNotificationEvent");
  std::printf("UiaRaiseNotificationEvent: %s\n", has ? "present" : "absent");
  EXPECT_EQ(RaiseNotification(window.Window(), u"Hex FF, Binary 11111111, Byte"), has);
  EXPECT_EQ(RaiseNotification(window.Window(), std::u16string(100000, u'1')), has);
  EXPECT_FALSE(RaiseNotification(nullptr, u"no window"));
  if (uia) FreeLibrary(uia);
}

TEST(TextSize, ScalesTheWholeWindowAndFollowsAChange) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Accessibility", 0, nullptr, 0,
                            KEY_SET_VALUE, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  const auto setPercent = [&](DWORD percent) {
    RegSetValueExW(key, L"TextScaleFactor", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&percent),
                   sizeof(percent));
  };
  setPercent(150);
  {
    Win32View view(GetModuleHandleW(nullptr));
    const int dpi = static_cast<int>(GetDpiForWindow(view.Window()));
    RECT client;
    GetClientRect(view.Window(), &client);
    EXPECT_EQ(client.right, MulDiv(663, dpi, 96)) << "442 at 150 %";
    EXPECT_EQ(client.bottom, MulDiv(384, dpi, 96)) << "256 at 150 %";
    RECT box;
    GetWindowRect(view.Box(kRowHex), &box);
    EXPECT_EQ(box.right - box.left, MulDiv(446, dpi, 96)) << "the Hex box, 297 at 150 %";
    // Back to the normal size while it runs.
    setPercent(100);
    SendMessageW(view.Window(), WM_SETTINGCHANGE, 0, 0);
    GetClientRect(view.Window(), &client);
    EXPECT_EQ(client.right, MulDiv(442, dpi, 96));
    EXPECT_EQ(client.bottom, MulDiv(256, dpi, 96));
    EXPECT_EQ(view.Dpi(), static_cast<UINT>(dpi));
  }
  RegDeleteValueW(key, L"TextScaleFactor");
  RegCloseKey(key);
}

}  // namespace

int main(int argc, char** argv) {
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  OleInitialize(nullptr);
  ::testing::InitGoogleTest(&argc, argv);
  const int status = RUN_ALL_TESTS();
  OleUninitialize();
  return status;
}
