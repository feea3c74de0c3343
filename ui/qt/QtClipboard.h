#pragma once

#include "Clipboard.h"

class QClipboard;

// The system clipboard (the CLIPBOARD selection on X11), plain text only.
class QtClipboard final : public Clipboard {
 public:
  explicit QtClipboard(QClipboard& clipboard) : clipboard_(clipboard) {}

  bool Clear() override;
  bool SetText(const std::u16string& text) override;
  std::optional<std::u16string> GetText() override;

 private:
  QClipboard& clipboard_;
};
