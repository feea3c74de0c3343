#pragma once

#include <QClipboard>

#include "Clipboard.h"

// The system clipboard (the CLIPBOARD selection on X11), or the primary
// selection that the middle button pastes, plain text only.
class QtClipboard final : public Clipboard {
 public:
  explicit QtClipboard(QClipboard& clipboard, QClipboard::Mode mode = QClipboard::Clipboard)
      : clipboard_(clipboard), mode_(mode) {}

  bool Clear() override;
  bool SetText(const std::u16string& text) override;
  std::optional<std::u16string> GetText() override;

 private:
  QClipboard& clipboard_;
  QClipboard::Mode mode_;
};
