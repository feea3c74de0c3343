// SPDX-License-Identifier: MIT
#include "QtView.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGlyphRun>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QRawFont>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QTextLayout>
#include <QTimer>
#include <functional>
#include <map>
#include <vector>

#include "QtClipboard.h"
#include "ViewContract.h"
#include "frmMain.h"

namespace {

// --- The View contract on the real widgets ---------------------------------------

void Type(QWidget* target, char16_t key) {
  switch (key) {
    case u'\r':
      QTest::keyClick(target, Qt::Key_Return);
      break;
    case u'\b':
      QTest::keyClick(target, Qt::Key_Backspace);
      break;
    default:
      QTest::keyClick(target, static_cast<char>(key));
  }
}

#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
// What Qt hands screen readers is caught where it leaves for them: Qt's one
// hook for every accessibility event.
std::vector<std::u16string>* told_to = nullptr;
void CatchAnnouncements(QAccessibleEvent* event) {
  if (event->type() != QAccessible::Announcement || !told_to) return;
  const auto* announcement = static_cast<QAccessibleAnnouncementEvent*>(event);
  EXPECT_EQ(announcement->politeness(), QAccessible::AnnouncementPoliteness::Polite);
  told_to->push_back(announcement->message().toStdU16String());
}
#endif

class QtHarness final : public ViewHarness {
 public:
  QtHarness() {
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QAccessible::installUpdateHandler(CatchAnnouncements);
    QAccessible::setActive(true);
    told_to = &told_;
#endif
    window.show();
    window.activateWindow();  // the offscreen platform activates it a moment later
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
  }
  View& view() override { return window; }
  bool IsEnabled(Buttons array, int16_t index) override { return window.Button(array, index)->isEnabled(); }
  bool ButtonHasFocus(Buttons array, int16_t index) override {
    return window.focusWidget() == window.Button(array, index);
  }
  bool BoxHasFocus(int16_t row) override { return window.focusWidget() == window.Box(row); }
  void FocusBox(int16_t row) override { window.Box(row)->setFocus(); }
  std::u16string Description(int16_t row) override {
    // What the tooltip shows and what a screen reader is given must agree.
    EXPECT_EQ(window.Box(row)->toolTip(), window.Box(row)->accessibleDescription());
    return window.Box(row)->toolTip().toStdU16String();
  }
  void TypeKey(int16_t row, char16_t key) override { Type(window.Box(row), key); }
  void ClickOption(Options array, int16_t index) override {
    QRadioButton* option = window.Option(array, index);
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(8, option->height() / 2));
  }
  bool ClickButton(Buttons array, int16_t index) override {
    QPushButton* button = window.Button(array, index);
    if (!button->isEnabled()) return false;
    QTest::mouseClick(button, Qt::LeftButton);
    return true;
  }

  std::optional<std::vector<std::u16string>> TakeTold() override {
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    return std::exchange(told_, {});
#else
    return std::nullopt;  // a signal on the accessibility bus: e2e_orca hears it
#endif
  }
  ~QtHarness() override {
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    told_to = nullptr;
    QAccessible::installUpdateHandler(nullptr);
    QAccessible::setActive(false);
#endif
  }

  QtView window;
  std::vector<std::u16string> told_;
};

INSTANTIATE_TEST_SUITE_P(Qt, ViewContract,
                         ::testing::Values(HarnessFactory([] { return std::make_unique<QtHarness>(); })));

// --- The layout ------------------------------------------------------------------------

struct Expected {
  const char* name;
  const char* kind;  // class name
  const char* container;
  const char* caption;
  int left, top, width, height;  // twips
};

// The window's controls in tab order.
const std::vector<Expected> kTable = {
    {"txtDec", "QLineEdit", "", "", 120, 2040, 2235, 360},
    {"txtHex", "QLineEdit", "", "", 120, 2700, 4455, 360},
    {"txtBin", "QLineEdit", "", "", 120, 3360, 4455, 360},
    {"lblDec", "QLabel", "", "Decimal", 180, 1800, 2175, 195},
    {"Label2", "QLabel", "", "Hex", 120, 2460, 4455, 195},
    {"Label3", "QLabel", "", "Binary", 120, 3120, 4455, 195},
    {"cmdUpdate(0)", "QPushButton", "", "Update", 2520, 2040, 795, 360},
    {"cmdUpdate(1)", "QPushButton", "", "Update", 4740, 2700, 795, 360},
    {"cmdUpdate(2)", "QPushButton", "", "Update", 4740, 3360, 795, 360},
    {"Frame1", "QGroupBox", "", "Types", 120, 60, 3075, 1575},
    {"Frame2", "QGroupBox", "", "Display", 3300, 60, 3195, 1575},
    {"optType(0)", "QRadioButton", "Frame1", "Automatic", 240, 300, 2295, 255},
    {"optType(1)", "QRadioButton", "Frame1", "Byte", 240, 600, 2295, 255},
    {"optType(2)", "QRadioButton", "Frame1", "Integer", 240, 900, 2295, 255},
    {"optType(3)", "QRadioButton", "Frame1", "Long", 240, 1200, 2295, 255},
    {"optDisplay(0)", "QRadioButton", "Frame2", "Little Endian (X86)", 120, 240, 1635, 315},
    {"optDisplay(1)", "QRadioButton", "Frame2", "Big Endian", 120, 720, 1635, 315},
    {"Label1", "QLabel", "Frame2", "1,234  => 4321", 480, 540, 1395, 195},
    {"Label4", "QLabel", "Frame2", "1,234  => 1234", 420, 1020, 1395, 195},
    {"Label5", "QLabel", "Frame2", "Will work only from Decimal to...", 120, 1260, 2535, 255},
    {"cmdCopy(0)", "QPushButton", "", "", 3420, 2040, 375, 375},
    {"cmdPaste(0)", "QPushButton", "", "", 3900, 2040, 375, 375},
    {"cmdCopy(1)", "QPushButton", "", "", 5640, 2700, 375, 375},
    {"cmdCopy(2)", "QPushButton", "", "", 5640, 3360, 375, 375},
    {"cmdPaste(1)", "QPushButton", "", "", 6120, 2700, 375, 375},
    {"cmdPaste(2)", "QPushButton", "", "", 6120, 3360, 375, 375},
    {"Frame3", "QGroupBox", "", "Copy All", 4620, 1680, 1875, 855},
    {"cmdCopy(3)", "QPushButton", "Frame3", "", 1020, 300, 375, 375},
};

QString CaptionOf(QWidget* w) {
  if (auto* label = qobject_cast<QLabel*>(w)) return label->text();
  if (auto* frame = qobject_cast<QGroupBox*>(w)) return frame->title();
  if (auto* button = qobject_cast<QAbstractButton*>(w)) return button->text();
  if (auto* box = qobject_cast<QLineEdit*>(w)) return box->text();
  return {};
}

class Layout : public ::testing::Test {
 protected:
  QWidget* Find(const char* name) { return window.findChild<QWidget*>(QString::fromUtf8(name)); }
  QtView window;
};

TEST_F(Layout, WindowCaptionAndSize) {
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Dec to Hex to Bin"));
  EXPECT_EQ(window.size(), QSize(442, 256));
  EXPECT_EQ(window.minimumSize(), window.maximumSize());  // fixed
  const Qt::WindowFlags flags = window.windowFlags();
  EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);  // nothing to maximise
  EXPECT_TRUE((flags & Qt::WindowCloseButtonHint) && (flags & Qt::WindowMinimizeButtonHint));
  EXPECT_FALSE(window.windowIcon().isNull());
  // A title bar that offers maximize anyway (Qt's own on Wayland) asks for
  // the state: the window stays as it is.
  window.show();
  window.setWindowState(Qt::WindowMaximized);
  QCoreApplication::processEvents();
  EXPECT_FALSE(window.isMaximized());
  EXPECT_EQ(window.size(), QSize(442, 256));
}

TEST_F(Layout, EveryControlAsTheTableSays) {
  for (const Expected& e : kTable) {
    SCOPED_TRACE(e.name);
    QWidget* w = Find(e.name);
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->inherits(e.kind)) << w->metaObject()->className();
    QWidget* container = *e.container ? Find(e.container) : &window;
    // A frame's options and labels sit in a layer that fills it exactly.
    QWidget* parent = w->parentWidget();
    if (*e.container && (qobject_cast<QRadioButton*>(w) || qobject_cast<QLabel*>(w))) {
      EXPECT_EQ(parent->geometry(), container->rect());
      parent = parent->parentWidget();
    }
    EXPECT_EQ(parent, container);
    EXPECT_EQ(CaptionOf(w), QString::fromUtf8(e.caption));
    EXPECT_EQ(w->geometry(), QRect(e.left / 15, e.top / 15, e.width / 15, e.height / 15));
  }
}

TEST_F(Layout, TabOrderFollowsTheTable) {
  std::vector<QWidget*> expected;
  for (const Expected& e : kTable) {
    QWidget* w = Find(e.name);
    if (w->focusPolicy() & Qt::TabFocus) expected.push_back(w);
  }
  ASSERT_EQ(expected.size(), 3u + 3u + 6u + 7u);  // boxes, Update, options, pictures
  // The focus chain, from the Decimal box, through the controls that take it.
  std::vector<QWidget*> chain;
  QWidget* w = expected.front();
  do {
    if (w->focusPolicy() & Qt::TabFocus) chain.push_back(w);
    w = w->nextInFocusChain();
  } while (w != expected.front() && chain.size() < 100);
  EXPECT_EQ(chain, expected);
  // Labels and frames never take the focus.
  for (const char* name : {"lblDec", "Label2", "Label5", "Frame1", "Frame3"}) {
    EXPECT_EQ(Find(name)->focusPolicy(), Qt::NoFocus) << name;
  }
}

TEST_F(Layout, BoxesUseCourierNewOrItsTwin) {
  for (int16_t row = 0; row < kRowCount; ++row) {
    const QFont font = window.Box(row)->font();
    // Courier New where it is installed, else its metric twin.
    const bool courier = QFontDatabase::families().contains(QStringLiteral("Courier New"));
    EXPECT_EQ(font.family(), courier ? QStringLiteral("Courier New") : QStringLiteral("Liberation Mono"));
    EXPECT_DOUBLE_EQ(font.pointSizeF(), 9.75);
    EXPECT_EQ(font.weight(), QFont::Normal);
    EXPECT_FALSE(font.italic() || font.underline() || font.strikeOut());
    const QFontInfo used(font);
    EXPECT_TRUE(used.fixedPitch()) << used.family().toStdString();
    EXPECT_EQ(window.Box(row)->maxLength(), std::numeric_limits<int>::max());
  }
}

TEST_F(Layout, EveryCaptionFitsItsControl) {
  for (const Expected& e : kTable) {
    QWidget* w = Find(e.name);
    const QString caption = CaptionOf(w);
    if (caption.isEmpty()) continue;
    SCOPED_TRACE(e.name);
    const QFontMetrics metrics(w->font());
    int room = w->width();
    if (auto* option = qobject_cast<QRadioButton*>(w)) {
      QStyleOptionButton opt;
      opt.initFrom(option);
      opt.text = option->text();
      room =
          w->width() - option->style()->subElementRect(QStyle::SE_RadioButtonContents, &opt, option).left();
    } else if (qobject_cast<QPushButton*>(w)) {
      room = w->width() - 2 * w->style()->pixelMetric(QStyle::PM_ButtonMargin);
    } else if (qobject_cast<QGroupBox*>(w)) {
      room = w->width() - 16;
    }
    EXPECT_LE(metrics.horizontalAdvance(caption), room);
    EXPECT_LE(metrics.height(), w->height() + (qobject_cast<QGroupBox*>(w) ? 0 : 2));
  }
}

TEST_F(Layout, PictureButtonsSayWhatTheyDo) {
  const std::vector<std::pair<const char*, const char*>> names = {
      {"cmdCopy(0)", "Copy Decimal"},  {"cmdCopy(1)", "Copy Hex"},       {"cmdCopy(2)", "Copy Binary"},
      {"cmdCopy(3)", "Copy All"},      {"cmdPaste(0)", "Paste Decimal"}, {"cmdPaste(1)", "Paste Hex"},
      {"cmdPaste(2)", "Paste Binary"},
  };
  for (const auto& [name, says] : names) {
    auto* button = qobject_cast<QPushButton*>(Find(name));
    ASSERT_NE(button, nullptr) << name;
    EXPECT_EQ(button->accessibleName(), QString::fromUtf8(says));
    EXPECT_EQ(button->toolTip(), QString::fromUtf8(says));
    EXPECT_FALSE(button->icon().isNull());
    EXPECT_EQ(button->iconSize(), QSize(16, 15));
  }
}

// --- Screen readers ----------------------------------------------------------------------

struct Accessible {
  const char* name;  // object name
  QAccessible::Role role;
  const char* says;  // accessible name
};

TEST_F(Layout, EveryControlThatTakesFocusIsNamedForScreenReaders) {
  const std::vector<Accessible> controls = {
      {"txtDec", QAccessible::EditableText, "Decimal"},
      {"txtHex", QAccessible::EditableText, "Hex"},
      {"txtBin", QAccessible::EditableText, "Binary"},
      {"cmdUpdate(0)", QAccessible::Button, "Update from Decimal"},
      {"cmdUpdate(1)", QAccessible::Button, "Update from Hex"},
      {"cmdUpdate(2)", QAccessible::Button, "Update from Binary"},
      {"optType(0)", QAccessible::RadioButton, "Automatic"},
      {"optType(3)", QAccessible::RadioButton, "Long"},
      {"optDisplay(0)", QAccessible::RadioButton, "Little Endian (X86)"},
      {"optDisplay(1)", QAccessible::RadioButton, "Big Endian"},
      {"cmdCopy(0)", QAccessible::Button, "Copy Decimal"},
      {"cmdPaste(0)", QAccessible::Button, "Paste Decimal"},
      {"cmdCopy(1)", QAccessible::Button, "Copy Hex"},
      {"cmdCopy(2)", QAccessible::Button, "Copy Binary"},
      {"cmdPaste(1)", QAccessible::Button, "Paste Hex"},
      {"cmdPaste(2)", QAccessible::Button, "Paste Binary"},
      {"cmdCopy(3)", QAccessible::Button, "Copy All"},
      {"Frame1", QAccessible::Grouping, "Types"},
      {"Frame2", QAccessible::Grouping, "Display"},
      {"Frame3", QAccessible::Grouping, "Copy All"},
  };
  for (const Accessible& c : controls) {
    SCOPED_TRACE(c.name);
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(Find(c.name));
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->role(), c.role);
    EXPECT_EQ(a->text(QAccessible::Name), QString::fromUtf8(c.says));
  }
  // The boxes are named through their labels.
  for (const auto& [label, box] :
       {std::pair{"lblDec", "txtDec"}, {"Label2", "txtHex"}, {"Label3", "txtBin"}}) {
    EXPECT_EQ(qobject_cast<QLabel*>(Find(label))->buddy(), Find(box)) << label;
  }
  // An option group's name is its frame's, said once: the options have no
  // label but their caption, the layer between them and the frame is
  // nameless, and the frame, the one group around them, is labelled by the
  // layer alone.
  QAccessibleInterface* option = QAccessible::queryAccessibleInterface(Find("optType(2)"));
  QAccessibleInterface* layer = option->parent();
  ASSERT_NE(layer, nullptr);
  QAccessibleInterface* frame = layer->parent();
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(option->text(QAccessible::Name), QStringLiteral("Integer"));
  EXPECT_TRUE(option->relations(QAccessible::Label).isEmpty());
  EXPECT_EQ(layer->text(QAccessible::Name), QString());
  EXPECT_TRUE(layer->relations(QAccessible::Label).isEmpty());
  EXPECT_EQ(frame->role(), QAccessible::Grouping);
  EXPECT_EQ(frame->text(QAccessible::Name), QStringLiteral("Types"));
  EXPECT_EQ(frame->childCount(), 1);
  const auto labels = frame->relations(QAccessible::Label);
  ASSERT_EQ(labels.size(), 1);
  EXPECT_EQ(labels[0].first, layer);
  EXPECT_EQ(QAccessible::queryAccessibleInterface(Find("Frame2"))->childCount(), 1);
  EXPECT_EQ(QAccessible::queryAccessibleInterface(Find("Frame3"))->role(), QAccessible::Grouping);
}

// --- The window working ------------------------------------------------------------------

class Window : public ::testing::Test {
 protected:
  Window() : clipboard(*QApplication::clipboard()), form(view, clipboard, NumberFormat{}) {
    form.Form_Load();
    view.show();
    view.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&view));
    view.Box(kRowDec)->setFocus();
  }
  QString Text(int16_t row) { return view.Box(row)->text(); }

  QtView view;
  QtClipboard clipboard;
  frmMain form;
};

TEST_F(Window, StartsReadyForTheDecimalBox) {
  EXPECT_EQ(view.focusWidget(), view.Box(kRowDec));
  for (Buttons array : {Buttons::Update, Buttons::Copy, Buttons::Paste}) {
    for (int16_t i = 0; i < view.Count(array); ++i) EXPECT_FALSE(view.Button(array, i)->isEnabled());
  }
  EXPECT_TRUE(view.Option(Options::Type, kAutomatic)->isChecked());
  EXPECT_TRUE(view.Option(Options::Display, kLittle)->isChecked());
  EXPECT_TRUE(form.State().LittleEndian);
}

TEST_F(Window, TypingThroughTheRealKeyPath) {
  QTest::keyClicks(view.Box(kRowDec), "1-2x");
  EXPECT_EQ(Text(kRowDec), QStringLiteral("1-2"));
  QTest::keyClicks(view.Box(kRowHex), "ff");
  EXPECT_EQ(Text(kRowHex), QStringLiteral("FF"));
  QTest::keyClicks(view.Box(kRowBin), "1020");  // the 2 is refused, the last 0 is not
  EXPECT_EQ(Text(kRowBin), QStringLiteral("100"));

  QApplication::clipboard()->setText(QStringLiteral("777"));
  for (int16_t row = 0; row < kRowCount; ++row) {
    const QString before = Text(row);
    QTest::keyClick(view.Box(row), Qt::Key_V, Qt::ControlModifier);  // refused like any control key
    QTest::keyClick(view.Box(row), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(view.Box(row), Qt::Key_Escape);
    EXPECT_EQ(Text(row), before) << row;
  }
  // Keys without a character keep their editing effect.
  QTest::keyClick(view.Box(kRowDec), Qt::Key_Home);
  QTest::keyClick(view.Box(kRowDec), Qt::Key_Delete);
  EXPECT_EQ(Text(kRowDec), QStringLiteral("-2"));
  QTest::keyClick(view.Box(kRowDec), Qt::Key_End);
  QTest::keyClick(view.Box(kRowDec), Qt::Key_Backspace);
  EXPECT_EQ(Text(kRowDec), QStringLiteral("-"));
  QTest::keyClick(view.Box(kRowDec), Qt::Key_H, Qt::ControlModifier);  // Ctrl+H is a backspace
  EXPECT_EQ(Text(kRowDec), QString());
  EXPECT_FALSE(view.Button(Buttons::Update, kRowDec)->isEnabled());
}

TEST_F(Window, TabWalksTheTableSkippingDisabledButtons) {
  QTest::keyClicks(view.Box(kRowDec), "5");
  const std::vector<QWidget*> walk = {
      view.Box(kRowHex),
      view.Box(kRowBin),
      view.Button(Buttons::Update, kRowDec),
      view.Option(Options::Type, kAutomatic),  // a group takes the focus at its chosen option
      view.Option(Options::Display, kLittle),
      view.Button(Buttons::Copy, kRowDec),
      view.Button(Buttons::Paste, kRowDec),
      view.Box(kRowDec),
  };
  for (QWidget* next : walk) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), next) << next->objectName().toStdString() << " expected, got "
                                                 << QApplication::focusWidget()->objectName().toStdString();
  }
}

TEST_F(Window, ChordsPassTheFilterAndKeypadEnterPresses) {
  struct Chord {
    int16_t row;
    Qt::Key key;
    Qt::KeyboardModifiers mods;
    QString text;  // what the key carries
    const char* after;
  };
  const Qt::KeyboardModifiers ctrlAlt = Qt::ControlModifier | Qt::AltModifier;
  const std::vector<Chord> chords = {
      {kRowBin, Qt::Key_9, ctrlAlt, QStringLiteral("9"), "1"},
      {kRowBin, Qt::Key_Minus, ctrlAlt, QStringLiteral("-"), "1"},
      {kRowDec, Qt::Key_9, ctrlAlt, QStringLiteral("9"), "19"},
      {kRowDec, Qt::Key_Period, ctrlAlt, QStringLiteral("."), "1"},
      {kRowHex, Qt::Key_A, ctrlAlt, QStringLiteral("a"), "1A"},
      {kRowDec, Qt::Key_3, Qt::KeypadModifier, QStringLiteral("3"), "13"},
      {kRowDec, Qt::Key_V, Qt::ControlModifier, QStringLiteral("\x16"), "1"},  // a control code
  };
  for (const Chord& c : chords) {
    view.Box(c.row)->setText(QStringLiteral("1"));
    QTest::sendKeyEvent(QTest::KeyAction::Click, view.Box(c.row), c.key, c.text, c.mods);
    EXPECT_EQ(Text(c.row), QString::fromUtf8(c.after)) << c.row << " " << c.text.toStdString();
  }
  view.Box(kRowDec)->setText(QStringLiteral("300"));
  QTest::keyClick(view.Box(kRowDec), Qt::Key_Enter, Qt::KeypadModifier);
  ASSERT_EQ(view.focusWidget(), view.Button(Buttons::Update, kRowDec));
  // The ring shows, as after Tab.
  EXPECT_TRUE(view.testAttribute(Qt::WA_KeyboardFocusChange));
  QTest::keyClick(view.focusWidget(), Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_EQ(Text(kRowHex), QStringLiteral("2C01"));
}

TEST_F(Window, TabEntersAGroupAtTheOptionTheProgramChose) {
  QTest::keyClicks(view.Box(kRowDec), "300");
  view.Option(Options::Type, kAutomatic)->setFocus();  // the option focused last
  QTest::mouseClick(view.Button(Buttons::Update, kRowDec), Qt::LeftButton);
  ASSERT_TRUE(view.Option(Options::Type, kInteger)->isChecked());
  view.Box(kRowBin)->setFocus();
  for (int i = 0; i < 4; ++i) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), view.Option(Options::Type, kInteger));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
  EXPECT_EQ(QApplication::focusWidget(), view.Button(Buttons::Update, kRowBin));
}

// Opens a box's context menu and hands its entries to `inspect`, then
// triggers the entry whose text begins with `trigger` (none: closes it).
void WithContextMenu(QLineEdit* box, const std::function<void(QMenu&)>& inspect, const QString& trigger) {
  QTimer::singleShot(0, [&] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    inspect(*menu);
    for (QAction* a : menu->actions()) {
      if (!trigger.isEmpty() && a->text().remove(u'&').startsWith(trigger)) {
        a->trigger();
        break;
      }
    }
    menu->close();
  });
  QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(5, 5), box->mapToGlobal(QPoint(5, 5)));
  QApplication::sendEvent(box, &event);
}

TEST_F(Window, ContextMenuShowsOnlyWhatWorksAndPastesByTheRule) {
  view.Box(kRowDec)->setText(QStringLiteral("300"));
  WithContextMenu(
      view.Box(kRowDec),
      [](QMenu& menu) {
        QStringList shown;
        for (QAction* a : menu.actions()) {
          if (a->isSeparator()) continue;
          shown << a->text().remove(u'&');
          // No Ctrl+letter: the key filters refuse those codes.
          const QKeySequence k = a->shortcut();
          for (int i = 0; i < k.count(); ++i) {
            const QKeyCombination c = k[i];
            EXPECT_FALSE(c.keyboardModifiers() == Qt::ControlModifier && c.key() >= Qt::Key_A &&
                         c.key() <= Qt::Key_Z)
                << a->text().toStdString();
          }
        }
        EXPECT_EQ(shown, QStringList({"Undo", "Redo", "Cut", "Copy", "Paste", "Delete", "Select All"}));
      },
      {});
  for (const auto& [clip, after] : {std::pair{"12abc", "300"}, {"1,234", "1,234"}}) {
    QApplication::clipboard()->setText(QString::fromUtf8(clip));
    WithContextMenu(
        view.Box(kRowDec), [](QMenu&) {}, QStringLiteral("Paste"));
    EXPECT_EQ(Text(kRowDec), QString::fromUtf8(after)) << clip;
  }
  // Shift+Insert is the same command; an empty box cannot be pasted into.
  QApplication::clipboard()->setText(QStringLiteral("zz"));
  QTest::keyClick(view.Box(kRowHex), Qt::Key_Insert, Qt::ShiftModifier);
  EXPECT_EQ(Text(kRowHex), QString());
  view.Box(kRowHex)->setText(QStringLiteral("1"));
  QTest::keyClick(view.Box(kRowHex), Qt::Key_Insert, Qt::ShiftModifier);
  EXPECT_EQ(Text(kRowHex), QStringLiteral("zz"));
}

TEST_F(Window, ArrowKeysChooseOptionsThroughTheClickHandler) {
  view.Option(Options::Type, kAutomatic)->setFocus();
  QTest::keyClick(view.Option(Options::Type, kAutomatic), Qt::Key_Down);
  EXPECT_TRUE(view.Option(Options::Type, kByte)->isChecked());
  EXPECT_EQ(form.State().TypeBits, 8);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
  EXPECT_EQ(form.State().TypeBits, 16);
  view.Option(Options::Display, kLittle)->setFocus();
  QTest::keyClick(view.Option(Options::Display, kLittle), Qt::Key_Down);
  EXPECT_FALSE(form.State().LittleEndian);
}

TEST_F(Window, EnterMovesToUpdateAndEnterAgainConverts) {
  QTest::keyClicks(view.Box(kRowDec), "300");
  QTest::keyClick(view.Box(kRowDec), Qt::Key_Return);
  EXPECT_EQ(view.focusWidget(), view.Button(Buttons::Update, kRowDec));
  EXPECT_EQ(Text(kRowDec), QStringLiteral("300"));
  QTest::keyClick(view.focusWidget(), Qt::Key_Return);
  EXPECT_EQ(Text(kRowHex), QStringLiteral("2C01"));
  EXPECT_EQ(Text(kRowBin), QStringLiteral("0010110000000001"));
  EXPECT_TRUE(view.Option(Options::Type, kInteger)->isChecked());

  // Enter in an empty box keeps the focus there; Space presses a button.
  view.Box(kRowHex)->clear();
  view.Box(kRowHex)->setFocus();
  QTest::keyClick(view.Box(kRowHex), Qt::Key_Enter);
  EXPECT_EQ(view.focusWidget(), view.Box(kRowHex));
  QTest::keyClicks(view.Box(kRowHex), "ff");
  QTest::keyClick(view.Box(kRowHex), Qt::Key_Enter);
  QTest::keyClick(view.focusWidget(), Qt::Key_Space);
  EXPECT_EQ(Text(kRowDec), QStringLiteral("255"));
}

TEST_F(Window, CopyCopyAllAndPasteUseTheSystemClipboard) {
  QTest::keyClicks(view.Box(kRowDec), "300");
  QTest::mouseClick(view.Button(Buttons::Update, kRowDec), Qt::LeftButton);
  QTest::mouseClick(view.Button(Buttons::Copy, kCopyAll), Qt::LeftButton);
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("300<>2C01<>0010110000000001<>"));
  QTest::mouseClick(view.Button(Buttons::Copy, kRowHex), Qt::LeftButton);
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("2C01"));

  QApplication::clipboard()->setText(QStringLiteral("ff"));
  QTest::mouseClick(view.Button(Buttons::Paste, kRowHex), Qt::LeftButton);
  EXPECT_EQ(Text(kRowHex), QStringLiteral("ff"));
  QApplication::clipboard()->setText(QStringLiteral("12abc"));
  QTest::mouseClick(view.Button(Buttons::Paste, kRowDec), Qt::LeftButton);
  EXPECT_EQ(Text(kRowDec), QStringLiteral("300"));
  QApplication::clipboard()->clear();
  QTest::mouseClick(view.Button(Buttons::Paste, kRowBin), Qt::LeftButton);
  EXPECT_EQ(Text(kRowBin), QString());
  EXPECT_FALSE(view.Button(Buttons::Paste, kRowBin)->isEnabled());
}

TEST_F(Window, HugePastesArriveWholeAndConvert) {
  // A million characters of each kind, pasted into each box and converted
  // (how long each step takes: bench/paste_bench).
  const auto fill = [](const QString& piece) {
    QString out;
    out.reserve(1000000 + piece.size());
    while (out.size() < 1000000) out += piece;
    return out;
  };
  const std::vector<QString> contents = {
      fill(QStringLiteral("7")),
      fill(QStringLiteral("abcXYZ")),
      fill(QString(QChar(u'\x01')) + QChar(u'\x1b') + QChar(u'\t') + QChar(u'\x7f')),
      fill(QStringLiteral("\u00E9\u4E2D\U0001F600")),
      fill(QStringLiteral("\u0661\u066B\u0915\u093F\u05D0\U0010FFFF")),
      fill(QStringLiteral("\u202E12\u200F34\u202C")),
  };
  for (const QString& huge : contents) {
    for (int16_t row = 0; row < kRowCount; ++row) {
      SCOPED_TRACE(row);
      view.Box(row)->setText(QStringLiteral("1"));
      QApplication::clipboard()->setText(row == kRowDec ? QStringLiteral("1") + QString(999999, u'9') : huge);
      QTest::mouseClick(view.Button(Buttons::Paste, row), Qt::LeftButton);
      view.grab();  // lay out and paint the long text
      EXPECT_EQ(Text(row).size(), row == kRowDec ? 1000000 : huge.size());
      QTest::mouseClick(view.Button(Buttons::Update, row), Qt::LeftButton);
      view.grab();
    }
    EXPECT_EQ(Text(kRowDec), QStringLiteral("2147483647"));  // the huge decimal, limited
    EXPECT_EQ(Text(kRowHex), QString());                     // over 8 characters: cleared
    EXPECT_EQ(Text(kRowBin), QString());                     // over 32 characters: cleared
  }
}

TEST(QtClipboardOnThisPlatform, ASelectionThatDoesNotExistIsNoText) {
  QClipboard& system = *QApplication::clipboard();
  QtClipboard selection(system, QClipboard::Selection);
  if (system.supportsSelection()) GTEST_SKIP() << "this platform has a primary selection";
  // Otherwise the middle button would empty a Hex or Binary box.
  EXPECT_FALSE(selection.GetText().has_value());
  system.setText(QStringLiteral("7"));
  EXPECT_EQ(QtClipboard(system).GetText(), std::optional<std::u16string>(u"7"));
}

// The glyphs a box's text is drawn with, by font family.
std::map<QString, QList<quint32>> GlyphsOf(QLineEdit* box) {
  QTextLayout layout(box->text(), box->font());
  layout.beginLayout();
  layout.createLine();
  layout.endLayout();
  std::map<QString, QList<quint32>> glyphs;
  for (const QGlyphRun& run : layout.glyphRuns()) {
    const QRawFont font = run.rawFont();
    glyphs[font.fontTable("name").isEmpty() ? QString() : font.familyName()] << run.glyphIndexes();
  }
  return glyphs;
}

TEST_F(Window, CharactersTheBoxFontLacksAreDrawnFromAnotherFont) {
  // The test's font set (the package's) has DejaVu, which has the Arabic
  // decimal separator.
  ASSERT_FALSE(QFontDatabase::families().filter(QStringLiteral("DejaVu")).isEmpty());
  const QString boxFamily = view.Box(kRowDec)->font().family();
  const QString lastResort = QStringLiteral("Nombrelix Last Resort");
  // The Arabic decimal separator, as the program writes it in ar_EG: from
  // an installed font, not a missing-glyph box.
  view.SetText(kRowDec, u"1\u066B690906E+07");
  auto dec = GlyphsOf(view.Box(kRowDec));
  ASSERT_EQ(dec.size(), 2u);
  EXPECT_EQ(dec[boxFamily].size(), 11);
  dec.erase(boxFamily);
  EXPECT_NE(dec.begin()->first, lastResort);
  EXPECT_EQ(dec.begin()->second.size(), 1);
  EXPECT_NE(dec.begin()->second.front(), 0u);
  // A character that no installed font has is the last resort's box.
  const QFontMetrics anyFont{QFont()};
  for (char32_t missing : {U'\u4E2D', U'\U00018B00', U'\U0001E290', U'\U0001F600'}) {
    if (anyFont.inFontUcs4(missing)) continue;
    view.SetText(kRowHex, u"1" + QString::fromUcs4(&missing, 1).toStdU16String());
    auto hex = GlyphsOf(view.Box(kRowHex));
    EXPECT_EQ(hex[boxFamily].size(), 1);
    EXPECT_EQ(hex[lastResort].size(), 1);
    break;
  }
  // Back to plain digits: the box font alone again.
  view.SetText(kRowHex, u"1F");
  EXPECT_EQ(view.Box(kRowHex)->font().families(), QStringList{boxFamily});
}

}  // namespace
