// SPDX-License-Identifier: MIT
#pragma once

#include <QFont>
#include <QGroupBox>
#include <QWidget>
#include <array>
#include <memory>
#include <vector>

#include "Clipboard.h"
#include "Controls.h"
#include "FontChain.h"
#include "Layout.h"
#include "View.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The "Dec to Hex to Bin" window on Qt widgets: every control of the layout
// table, and the View operations and events on them.
// A frame of options, and the plain layer in it that holds them (see
// QtView::OptionsIn): classes of their own for what screen readers are told.
class OptionsFrame final : public QGroupBox {
  Q_OBJECT
 public:
  using QGroupBox::QGroupBox;
};
class OptionsLayer final : public QWidget {
  Q_OBJECT
 public:
  using QWidget::QWidget;
};

class QtView final : public QWidget, public View {
 public:
  QtView();
  ~QtView() override;

  // View
  void SetEvents(ViewEvents* events) override { events_ = events; }
  std::u16string GetText(int16_t row) const override;
  void SetText(int16_t row, const std::u16string& text) override;
  void SetEnabled(Buttons array, int16_t index, bool enabled) override;
  void Select(Options array, int16_t index) override;
  bool IsSelected(Options array, int16_t index) const override;
  void SetFocus(Buttons array, int16_t index) override;
  int16_t Count(Buttons array) const override;
  void SetDescription(int16_t row, const std::u16string& text) override;
  void Announce(const std::u16string& text) override;

  // The widgets, for the program's start and for tests; null outside the
  // arrays.
  QLineEdit* Box(int16_t row) const;
  QPushButton* Button(Buttons array, int16_t index) const;
  QRadioButton* Option(Options array, int16_t index) const;

  // Where the middle button's text comes from (the primary selection);
  // null leaves the middle button without effect.
  void SetSelection(Clipboard* selection) { selection_ = selection; }

  // Client area at 96 dpi, in pixels.
  static constexpr int kWidth = Layout::kWidth;
  static constexpr int kHeight = Layout::kHeight;

 protected:
  // Tab walks the table's order; each option group is one stop, at its
  // chosen option, whoever chose it.
  bool focusNextPrevChild(bool next) override;
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  friend class KeyFilteringEdit;
  QRadioButton* ChosenIn(const QRadioButton* member) const;
  // A typed key with a character, as its code; returns the code the box is
  // to receive, 0 to discard it.
  int16_t KeyPressed(int16_t row, int16_t code);
  // The toolkit's own paths into a box, all by the row's Paste rule.
  bool CanPaste(int16_t row) const;
  void PasteCommand(int16_t row);
  void PasteSelection(int16_t row);
  void Offer(int16_t row, const QString& text);

  // The window's making, one concern each: the fonts (returns the boxes'
  // font), the controls of the table in its order, their signals, and the
  // tab order of those that take the focus.
  QFont ChooseFonts();
  std::vector<QWidget*> CreateControls(const QFont& boxFont);
  QWidget* OptionsIn(QWidget* frame);  // the layer that holds a frame's options
  void Connect();
  void OrderTabs(const std::vector<QWidget*>& created);

  void FitFont(QLineEdit* box, const QString& text);
  void FollowScale();
  void FitCaptions();   // each caption's font made as small as it needs to fit
  void FacePictures();  // the picture buttons' face, for the palette

  qreal drawnAt_ = 0;         // the device pixel ratio the window was made for
  bool closePutOff_ = false;  // a close on Wayland waits a turn of the event loop

  std::unique_ptr<FontChain> fonts_;  // the boxes' fonts, for their texts
  ViewEvents* events_ = nullptr;
  Clipboard* selection_ = nullptr;
  Controls<QLineEdit*, QPushButton*, QRadioButton*> arrays_;  // the controls by row and array
  std::vector<QWidget*> tabOrder_;  // the controls that take the focus, in table order
};
