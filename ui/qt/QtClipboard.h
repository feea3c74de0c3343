// SPDX-License-Identifier: MIT
#pragma once

#include <QClipboard>
#include <chrono>
#include <memory>

#include "Clipboard.h"
#include "Platform.h"

class XSelection;
class WaylandSelection;

// The system clipboard (the CLIPBOARD selection on X11), or the primary
// selection that the middle button pastes, plain text only. Qt writes; on
// X11 and Wayland another program's text is read with a deadline, so that
// an owner that never answers fails the read within a fraction of a second.
class QtClipboard final : public Clipboard {
 public:
  explicit QtClipboard(QClipboard& clipboard, QClipboard::Mode mode = QClipboard::Clipboard);
  ~QtClipboard() override;

  bool Clear() override;
  bool SetText(const std::u16string& text) override;
  std::optional<std::u16string> GetText() override;

  // How long a read from another program may take.
  static constexpr std::chrono::milliseconds kReadBudget{600};

 private:
  bool Owned() const;

  QClipboard& clipboard_;
  QClipboard::Mode mode_;
  DisplayServer server_;
  std::unique_ptr<XSelection> reader_;          // X11 only, made at the first read
  std::unique_ptr<WaylandSelection> wlReader_;  // Wayland only, made with the clipboard
  QMetaObject::Connection settling_;            // the reader settled at each change
  std::unique_ptr<QMimeData> handed_;           // where the toolkit does not free what it was handed
};
