#pragma once

#include <QWidget>
#include <array>

#include "View.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The "Dec to Hex to Bin" window on Qt widgets: every control of the layout
// table, and the View operations and events on them.
class QtView final : public QWidget, public View {
 public:
  QtView();

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

  // The widgets, for the program's start and for tests; null outside the
  // arrays.
  QLineEdit* Box(int16_t row) const;
  QPushButton* Button(Buttons array, int16_t index) const;
  QRadioButton* Option(Options array, int16_t index) const;

  // Client area at 96 dpi, in pixels.
  static constexpr int kWidth = 442;
  static constexpr int kHeight = 256;

 private:
  friend class KeyFilteringEdit;
  // A typed key with a character, as its code; returns the code the box is
  // to receive, 0 to discard it.
  int16_t KeyPressed(int16_t row, int16_t code);

  void Build();

  ViewEvents* events_ = nullptr;
  std::array<QLineEdit*, 3> boxes_{};
  std::array<QPushButton*, 3> update_{};
  std::array<QPushButton*, 4> copy_{};
  std::array<QPushButton*, 3> paste_{};
  std::array<QRadioButton*, 4> type_{};
  std::array<QRadioButton*, 2> display_{};
};
