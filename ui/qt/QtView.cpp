// SPDX-License-Identifier: MIT
#include "QtView.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFontDatabase>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QWindow>
#include <algorithm>
#include <initializer_list>
#include <limits>
#include <map>
#include <string_view>

#include "Layout.h"
#include "QtPictures.h"
#include "QtReleaseFixes.h"
#include "ReadableStyle.h"

namespace {

using Layout::Control;
using Layout::Kind;

// Makes a caption's font smaller until the caption fits its control: the
// layout is fixed, the fonts of a machine are not (DejaVu Sans is wider
// than the Liberation Sans the layout is drawn for).
void FitCaption(QWidget* widget, const QString& caption) {
  constexpr int kSmallest = 7;
  const auto fits = [&] {
    // A frame's title and a button's caption, by the text's own width: the
    // style asks a minimum width of a button that the layout does not give.
    if (qobject_cast<QGroupBox*>(widget) || qobject_cast<QPushButton*>(widget)) {
      return widget->fontMetrics().horizontalAdvance(caption) + 16 <= widget->width();
    }
    return widget->sizeHint().width() <= widget->width();
  };
  QFont font = widget->font();
  while (!fits() && font.pixelSize() > kSmallest) {
    font.setPixelSize(font.pixelSize() - 1);
    widget->setFont(font);
  }
}

QRect Geometry(const Control& c) {
  const Layout::Rect r = Layout::Pixels(c);
  return {r.left, r.top, r.width, r.height};
}

// The code a key press carries, as a character-based text box sees it:
// 0 for a key without a character (arrows, Home, Delete, F-keys, Shift+Insert
// ...). Ctrl with a letter is its control code 1 to 26; any other key that
// carries a printable character gives that character, whatever the
// modifiers (Ctrl+Alt+9 is a 9, keypad digits are digits).
int16_t CodeOf(const QKeyEvent& event) {
  const Qt::KeyboardModifiers mods = event.modifiers();
  const int key = event.key();
  if ((mods & Qt::ControlModifier) && !(mods & Qt::AltModifier) && key >= Qt::Key_A && key <= Qt::Key_Z) {
    return static_cast<int16_t>(key - Qt::Key_A + 1);  // Ctrl+A..Ctrl+Z
  }
  switch (key) {
    case Qt::Key_Backspace:
      return m_Helper::kBackspace;
    case Qt::Key_Tab:
      return m_Helper::kTab;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return m_Helper::kEnter;
    case Qt::Key_Escape:
      return m_Helper::kEscape;
    default:
      break;
  }
  const QString text = event.text();
  if (text.isEmpty() || !text.at(0).isPrint()) return 0;
  return static_cast<int16_t>(text.at(0).unicode());
}

// The first of the wanted families that is installed, else the system's
// font of that kind.
QString FirstOf(const QStringList& installed, std::initializer_list<QString> wanted,
                QFontDatabase::SystemFont otherwise) {
  for (const QString& family : wanted) {
    if (installed.contains(family)) return family;
  }
  return QFontDatabase::systemFont(otherwise).family();
}

// A button that Enter and Return press as well as Space, as users of a
// plain window expect.
class PushButton final : public QPushButton {
 public:
  using QPushButton::QPushButton;

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    // The keypad's Enter carries the keypad modifier; it presses as Return does.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
      click();
      return;
    }
    QPushButton::keyPressEvent(event);
  }
};

// What screen readers are told of a frame of options and of the layer its
// options sit in (QtView::OptionsIn). The layer: nothing, neither a name
// nor the frame as its label (which Qt gives any child of a frame), so that
// its options have no label but their own caption. The frame: its title,
// and the layer as its label, so that screen readers that name the group
// from the frame around an option take the frame for layout when they name
// what the focus entered (each says the name once, by one path or other).
class OptionsLayerAccessible final : public QAccessibleWidget {
 public:
  explicit OptionsLayerAccessible(QWidget* layer) : QAccessibleWidget(layer, QAccessible::Client) {}
  QString text(QAccessible::Text t) const override {
    return t == QAccessible::Name || t == QAccessible::Description ? QString() : QAccessibleWidget::text(t);
  }
  QList<QPair<QAccessibleInterface*, QAccessible::Relation>> relations(QAccessible::Relation) const override {
    return {};
  }
};

class OptionsFrameAccessible final : public QAccessibleWidget {
 public:
  explicit OptionsFrameAccessible(OptionsFrame* frame) : QAccessibleWidget(frame, QAccessible::Grouping) {}
  QString text(QAccessible::Text t) const override {
    return t == QAccessible::Name ? static_cast<QGroupBox*>(widget())->title() : QAccessibleWidget::text(t);
  }
  QList<QPair<QAccessibleInterface*, QAccessible::Relation>> relations(
      QAccessible::Relation match) const override {
    auto related = QAccessibleWidget::relations(match);
    if (match & QAccessible::Label) {
      if (auto* layer = widget()->findChild<OptionsLayer*>(QString(), Qt::FindDirectChildrenOnly)) {
        related.append({QAccessible::queryAccessibleInterface(layer), QAccessible::Label});
      }
    }
    return related;
  }
};

QAccessibleInterface* OptionsLayerFactory(const QString& className, QObject* object) {
  if (className == QLatin1String(OptionsLayer::staticMetaObject.className()) && object->isWidgetType()) {
    return new OptionsLayerAccessible(static_cast<QWidget*>(object));
  }
  if (className == QLatin1String(OptionsFrame::staticMetaObject.className())) {
    return new OptionsFrameAccessible(static_cast<OptionsFrame*>(object));
  }
  return nullptr;
}

}  // namespace

// A single-line box whose typed keys pass the row's key-press handler, and
// whose other ways in (Shift+Insert, the context menu, the middle button,
// drops) act as the row's Paste command.
class KeyFilteringEdit final : public QLineEdit {
 public:
  KeyFilteringEdit(QtView& view, int16_t row, QWidget* parent) : QLineEdit(parent), view_(view), row_(row) {
    // Typed text arrives as key presses only, so every character is filtered.
    setAttribute(Qt::WA_InputMethodEnabled, false);
  }

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    const int16_t code = CodeOf(*event);
    if (code == 0 && event->matches(QKeySequence::Paste)) {  // Shift+Insert
      event->accept();
      view_.PasteCommand(row_);
      return;
    }
    if (code == 0 && event->key() != Qt::Key_Escape) {
      QLineEdit::keyPressEvent(event);  // editing keys keep their effect
      return;
    }
    event->accept();
    const int16_t result = view_.KeyPressed(row_, code);
    switch (EffectOf(result)) {
      case KeyEffect::None:
        return;
      case KeyEffect::DeleteBack:
        if (event->key() == Qt::Key_Backspace) {
          QLineEdit::keyPressEvent(event);
        } else {
          backspace();
        }
        return;
      case KeyEffect::Insert:
        insert(QString(QChar(static_cast<char16_t>(result))));
        return;
    }
  }

  // The toolkit's menu lists shortcuts that the key filters refuse and
  // pastes unchecked: this one lists only what works.
  void contextMenuEvent(QContextMenuEvent* event) override {
    QMenu menu(this);
    const bool selected = hasSelectedText();
    Add(menu, tr("&Undo"), {}, isUndoAvailable(), &QLineEdit::undo);
    Add(menu, tr("&Redo"), {}, isRedoAvailable(), &QLineEdit::redo);
    menu.addSeparator();
    Add(menu, tr("Cu&t"), QKeySequence(Qt::SHIFT | Qt::Key_Delete), selected, &QLineEdit::cut);
    Add(menu, tr("&Copy"), QKeySequence(Qt::CTRL | Qt::Key_Insert), selected, &QLineEdit::copy);
    Add(menu, tr("&Paste"), QKeySequence(Qt::SHIFT | Qt::Key_Insert), view_.CanPaste(row_),
        [this] { view_.PasteCommand(row_); });
    Add(menu, tr("Delete"), {}, selected, &QLineEdit::del);
    menu.addSeparator();
    Add(menu, tr("Select &All"), {}, !text().isEmpty() && selectedText() != text(), &QLineEdit::selectAll);
    menu.exec(event->globalPos());
  }

  // The middle button pastes the primary selection, by the Paste rule.
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() == Qt::MiddleButton) {
      event->accept();
      view_.PasteSelection(row_);
      return;
    }
    QLineEdit::mouseReleaseEvent(event);
  }

  void dragEnterEvent(QDragEnterEvent* event) override {
    if (event->mimeData()->hasText() && view_.CanPaste(row_)) {
      event->setDropAction(Qt::CopyAction);  // the source keeps its text
      event->accept();
    } else {
      event->ignore();
    }
  }
  void dragMoveEvent(QDragMoveEvent* event) override {
    event->setDropAction(Qt::CopyAction);
    event->accept();
  }
  void dropEvent(QDropEvent* event) override {
    event->setDropAction(Qt::CopyAction);
    event->accept();
    view_.Offer(row_, event->mimeData()->text());
  }

 private:
  template <typename Slot>
  void Add(QMenu& menu, const QString& text, const QKeySequence& shortcut, bool enabled, Slot slot) {
    QAction* action = menu.addAction(text);
    action->setShortcut(shortcut);
    action->setEnabled(enabled);
    connect(action, &QAction::triggered, this, slot);
  }

  QtView& view_;
  int16_t row_;
};

QtView::QtView() {
  QAccessible::installFactory(OptionsLayerFactory);
  setWindowTitle(QString::fromUtf16(Layout::kTitle));
  setFixedSize(kWidth, kHeight);
  // A fixed layout has nothing to maximise: no such button, also where the
  // window draws its own title bar (Wayland without server decorations).
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  setWindowIcon(Pictures::AppIconSet());
  const QFont boxFont = ChooseFonts();
  const std::vector<QWidget*> created = CreateControls(boxFont);
  Connect();
  OrderTabs(created);
  arrays_.boxes[kRowDec]->setFocus();
}

QtView::~QtView() {
  // Before the layers go with the window; a second view has its own.
  QAccessible::removeFactory(OptionsLayerFactory);
}

QFont QtView::ChooseFonts() {
  // Courier New, or its metric twin where it is missing, then any monospace.
  // Naming a family that is installed spares the toolkit a search of every
  // font for a substitute. Characters the font lacks come from the other
  // installed fonts, by the chain that FitFont sets for each text; no
  // optional shaping, so that a million pasted characters lay out fast.
  const QStringList installed = QFontDatabase::families();
  QFont boxFont(FirstOf(
      installed,
      {QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"), QStringLiteral("DejaVu Sans Mono")},
      QFontDatabase::FixedFont));
  boxFont.setPointSizeF(Layout::kBoxPointSize);
  boxFont.setWeight(QFont::Normal);
  boxFont.setStyleHint(QFont::TypeWriter, QFont::PreferNoShaping);
  // One hinting at every scale (Qt 6.8 hints only at a scale of 1 by
  // default): after a change of scale text is laid out as at a start.
  boxFont.setHintingPreference(QFont::PreferVerticalHinting);
  fonts_ = std::make_unique<FontChain>(boxFont);
  // Captions in a small sans serif, so that each fits its control.
  QFont captionFont(FirstOf(installed, {QStringLiteral("Liberation Sans"), QStringLiteral("Arial")},
                            QFontDatabase::GeneralFont));
  // Captions are plain ASCII: no fallback fonts to prepare at start.
  captionFont.setStyleHint(QFont::SansSerif, QFont::NoFontMerging);
  captionFont.setPixelSize(Layout::kCaptionPixelSize);
  captionFont.setHintingPreference(QFont::PreferVerticalHinting);
  setFont(captionFont);
  return boxFont;
}

std::vector<QWidget*> QtView::CreateControls(const QFont& boxFont) {
  const QIcon copyIcon = Pictures::ButtonIcon(&Pictures::Copy);
  const QIcon pasteIcon = Pictures::ButtonIcon(&Pictures::Paste);

  std::map<std::string_view, QWidget*> frames;
  std::array<QLabel*, kRowCount> rowLabels{};
  std::vector<QWidget*> created;
  for (const Control& c : Layout::kControls) {
    QWidget* parent = *c.container ? frames.at(c.container) : this;
    const QString caption = QString::fromUtf8(c.caption);
    const auto index = static_cast<std::size_t>(c.index);
    QWidget* widget = nullptr;
    switch (c.kind) {
      case Kind::Box: {
        auto* box = new KeyFilteringEdit(*this, c.index, parent);
        box->setFont(boxFont);
        // No limit of its own: as far as the toolkit allows.
        box->setMaxLength(std::numeric_limits<int>::max());
        widget = arrays_.boxes[index] = box;
        break;
      }
      case Kind::Label: {
        // A frame's labels sit with its options, so that the frame holds
        // the one layer.
        auto* label = new QLabel(caption, *c.container ? OptionsIn(parent) : parent);
        label->setTextFormat(Qt::PlainText);
        if (c.index >= 0) rowLabels[index] = label;
        widget = label;
        break;
      }
      case Kind::Frame: {
        // A frame of options is told to screen readers as such.
        const bool options =
            std::any_of(std::begin(Layout::kControls), std::end(Layout::kControls), [&](auto& o) {
              return std::string_view(o.container) == c.name &&
                     (o.kind == Kind::TypeOption || o.kind == Kind::DisplayOption);
            });
        widget = frames[c.name] =
            options ? new OptionsFrame(caption, parent) : new QGroupBox(caption, parent);
        break;
      }
      case Kind::TypeOption:
        widget = arrays_.type[index] = new QRadioButton(caption, OptionsIn(parent));
        break;
      case Kind::DisplayOption:
        widget = arrays_.display[index] = new QRadioButton(caption, OptionsIn(parent));
        break;
      case Kind::Button:
      case Kind::CopyPicture:
      case Kind::PastePicture: {
        auto* button = new PushButton(caption, parent);
        if (c.kind == Kind::Button) arrays_.update[index] = button;
        if (c.kind == Kind::CopyPicture) arrays_.copy[index] = button;
        if (c.kind == Kind::PastePicture) arrays_.paste[index] = button;
        if (c.kind != Kind::Button) {
          button->setIcon(c.kind == Kind::CopyPicture ? copyIcon : pasteIcon);
          button->setIconSize(QSize(Pictures::kWidth, Pictures::kHeight));
        }
        // Screen readers tell the rows apart by the same words.
        button->setToolTip(QString::fromUtf8(c.tooltip));
        button->setAccessibleName(QString::fromUtf8(c.tooltip));
        widget = button;
        break;
      }
    }
    widget->setObjectName(QString::fromUtf8(c.name));
    widget->setGeometry(Geometry(c));
    created.push_back(widget);
  }
  FitCaptions();
  FacePictures();
  // Each label names its box for screen readers, as the box's buddy.
  for (std::size_t row = 0; row < rowLabels.size(); ++row) rowLabels[row]->setBuddy(arrays_.boxes[row]);
  return created;
}

QWidget* QtView::OptionsIn(QWidget* frame) {
  // A frame's options and labels sit in a plain layer that fills it. Were
  // the frame their parent, screen readers would say its name twice on
  // entering the group: as the group around the option, and as the
  // option's label (Qt makes a frame the label of its children).
  const QString name = frame->objectName() + QStringLiteral("Options");
  if (auto* layer = frame->findChild<OptionsLayer*>(name, Qt::FindDirectChildrenOnly)) return layer;
  auto* layer = new OptionsLayer(frame);
  layer->setObjectName(name);
  layer->setGeometry(frame->rect());
  return layer;
}

void QtView::Connect() {
  for (int16_t row = 0; row < kRowCount; ++row) {
    QLineEdit* box = Box(row);
    connect(box, &QLineEdit::textChanged, this, [this, box, row](const QString& text) {
      FitFont(box, text);        // edits, undo and the like; SetText fits it first
      SetDescription(row, u"");  // a note on the old value no longer holds
      if (events_) events_->TextChanged(row);
    });
  }
  for (const Options array : {Options::Type, Options::Display}) {
    for (int16_t index = 0; index < CountOf(array); ++index) {
      // A user's click (mouse, Space, arrow keys) runs the click handler.
      connect(Option(array, index), &QRadioButton::clicked, this, [this, array, index] {
        if (events_) events_->OptionClicked(array, index);
      });
    }
  }
  for (const Buttons array : {Buttons::Update, Buttons::Copy, Buttons::Paste}) {
    for (int16_t index = 0; index < CountOf(array); ++index) {
      connect(Button(array, index), &QPushButton::clicked, this, [this, array, index] {
        if (events_) events_->ButtonClicked(array, index);
      });
    }
  }
}

void QtView::OrderTabs(const std::vector<QWidget*>& created) {
  QWidget* previous = nullptr;
  for (QWidget* widget : created) {
    if (widget->focusPolicy() == Qt::NoFocus) continue;
    if (previous) setTabOrder(previous, widget);
    previous = widget;
    tabOrder_.push_back(widget);
  }
}

void QtView::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (drawnAt_ != 0 || !windowHandle()) return;
  drawnAt_ = windowHandle()->devicePixelRatio();
  // A scale comes with its screen's (Qt 6.8 tells the widget no change of
  // its own device pixel ratio).
  const auto watch = [this](QScreen* screen) {
    connect(screen, &QScreen::geometryChanged, this, &QtView::FollowScale);
    connect(screen, &QScreen::logicalDotsPerInchChanged, this, &QtView::FollowScale);
  };
  for (QScreen* screen : QGuiApplication::screens()) watch(screen);
  connect(qGuiApp, &QGuiApplication::screenAdded, this, watch);
}

void QtView::closeEvent(QCloseEvent* event) {
  if (QtReleaseFixes::PutOffClose(*this, *event, closePutOff_)) return;
  QWidget::closeEvent(event);
}

void QtView::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::PaletteChange) FacePictures();
  QtReleaseFixes::UndoMaximizeOfFixedWindow(*this, *event);
}

void QtView::FollowScale() {
  QWindow* window = windowHandle();
  if (!window || !isVisible() || !window->screen()) return;
  const qreal scale = window->screen()->devicePixelRatio();
  if (scale == drawnAt_) return;
  drawnAt_ = scale;
  // Text is measured anew at a new scale (at fractional ones it is laid
  // out unhinted): the captions are fitted as a fresh start fits them, and
  // the whole window is drawn again.
  FitCaptions();
  update();
  QtReleaseFixes::RemakeSurfaceAtNewScale(*this);
}

void QtView::FacePictures() {
  // The classic grey face behind the pictures in a light palette; in a dark
  // one the palette's own, on which the pictures' white sheets stand out.
  const bool dark = ReadableStyle::IsDark(palette());
  for (const Buttons array : {Buttons::Copy, Buttons::Paste}) {
    for (int16_t index = 0; index < CountOf(array); ++index) {
      QPushButton* button = Button(array, index);
      if (dark) {
        button->setPalette(QPalette());  // the window's, as it changes
      } else {
        QPalette face = palette();
        face.setColor(QPalette::Button, QColor::fromRgba(Pictures::kButtonFace));
        button->setPalette(face);
      }
    }
  }
}

void QtView::FitCaptions() {
  for (const Control& c : Layout::kControls) {
    if (!*c.caption) continue;
    QWidget* widget = findChild<QWidget*>(QString::fromUtf8(c.name));
    if (!widget) continue;
    widget->setFont(QFont());  // back to the window's caption font
    FitCaption(widget, QString::fromUtf8(c.caption));
  }
}

QLineEdit* QtView::Box(int16_t row) const { return arrays_.BoxOf(row); }

QPushButton* QtView::Button(Buttons array, int16_t index) const { return arrays_.ButtonOf(array, index); }

QRadioButton* QtView::Option(Options array, int16_t index) const { return arrays_.OptionOf(array, index); }

std::u16string QtView::GetText(int16_t row) const {
  const QLineEdit* box = Box(row);
  return box ? box->text().toStdU16String() : std::u16string();
}

void QtView::SetText(int16_t row, const std::u16string& text) {
  QLineEdit* box = Box(row);
  if (!box) return;
  const QString value = QString::fromStdU16String(text);
  if (box->text() == value) return;
  // The new text's font first, so that each text is laid out once with
  // its own font; the old text goes quietly before the font changes. Not
  // by clear(), which keeps every character it removes for an undo: a
  // 100,000-character text left 1.6 MB in the box's undo history, whose
  // room the box keeps for the rest of the run.
  const QFont font = fonts_->For(value);
  if (!value.isEmpty() && font != box->font()) {
    const QSignalBlocker quiet(box);
    box->setText(QString());
    box->setFont(font);
  }
  box->setText(value);  // textChanged runs the change handler inside this call
}

void QtView::SetEnabled(Buttons array, int16_t index, bool enabled) {
  if (QPushButton* button = Button(array, index)) button->setEnabled(enabled);
}

void QtView::Select(Options array, int16_t index) {
  QRadioButton* option = Option(array, index);
  if (!option) return;
  option->setChecked(true);  // clears the others of its frame
  if (events_) events_->OptionClicked(array, index);
}

bool QtView::IsSelected(Options array, int16_t index) const {
  const QRadioButton* option = Option(array, index);
  return option && option->isChecked();
}

void QtView::SetFocus(Buttons array, int16_t index) {
  QPushButton* button = Button(array, index);
  if (!button || !button->isEnabled()) return;
  // The focus moves from a key (Enter): draw its ring as Tab would.
  setAttribute(Qt::WA_KeyboardFocusChange);
  button->setFocus(Qt::TabFocusReason);
}

bool QtView::focusNextPrevChild(bool next) {
  const auto count = static_cast<std::ptrdiff_t>(tabOrder_.size());
  const auto at = std::find(tabOrder_.begin(), tabOrder_.end(), focusWidget());
  if (at == tabOrder_.end() || count == 0) return QWidget::focusNextPrevChild(next);
  const std::ptrdiff_t from = at - tabOrder_.begin();
  const QWidget* group = qobject_cast<QRadioButton*>(*at) ? (*at)->parentWidget() : nullptr;
  for (std::ptrdiff_t step = 1; step < count; ++step) {
    QWidget* w =
        tabOrder_[static_cast<std::size_t>(((from + (next ? step : -step)) % count + count) % count)];
    if (!w->isEnabled() || !w->isVisible()) continue;
    if (auto* option = qobject_cast<QRadioButton*>(w)) {
      // An option group is one stop, at its chosen option.
      if (option->parentWidget() == group || option != ChosenIn(option)) continue;
    }
    setAttribute(Qt::WA_KeyboardFocusChange);
    w->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
  }
  return true;
}

QRadioButton* QtView::ChosenIn(const QRadioButton* member) const {
  QRadioButton* first = nullptr;
  for (QRadioButton* option :
       member->parentWidget()->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly)) {
    if (option->isChecked()) return option;
    if (!first) first = option;
  }
  return first;
}

int16_t QtView::Count(Buttons array) const { return CountOf(array); }

void QtView::SetDescription(int16_t row, const std::u16string& text) {
  QLineEdit* box = Box(row);
  if (!box) return;
  const QString note = QString::fromStdU16String(text);
  // Unchanged notes are not sent again: each change is an event for
  // screen readers, and every typed key clears the note.
  if (box->accessibleDescription() == note) return;
  box->setToolTip(note);
  box->setAccessibleDescription(note);
}

void QtView::Announce(const std::u16string& text) {
  const QString words = QString::fromStdU16String(text);
  if constexpr (QtReleaseFixes::kNoAnnouncementEvent) {
    QtReleaseFixes::AnnounceAsDescriptionChange(*this, words);
  } else {
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QAccessibleAnnouncementEvent event(this, words);
    event.setPoliteness(QAccessible::AnnouncementPoliteness::Polite);
    QAccessible::updateAccessibility(&event);
#endif
  }
}

void QtView::FitFont(QLineEdit* box, const QString& text) {
  const QFont font = fonts_->For(text);
  if (font != box->font()) box->setFont(font);
}

bool QtView::CanPaste(int16_t row) const {
  const QPushButton* paste = Button(Buttons::Paste, row);
  return paste && paste->isEnabled();
}

void QtView::PasteCommand(int16_t row) {
  if (CanPaste(row) && events_) events_->ButtonClicked(Buttons::Paste, row);
}

void QtView::PasteSelection(int16_t row) {
  if (!selection_ || !CanPaste(row)) return;
  if (const std::optional<std::u16string> text = selection_->GetText()) {
    if (events_) events_->TextOffered(row, *text);
  }
}

void QtView::Offer(int16_t row, const QString& text) {
  if (events_) events_->TextOffered(row, text.toStdU16String());
}

int16_t QtView::KeyPressed(int16_t row, int16_t code) {
  int16_t key = code;
  if (events_) events_->KeyPress(row, key);
  return key;
}
