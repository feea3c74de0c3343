// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>

// The system clipboard, plain text only. Every operation may fail (another
// program may hold the clipboard); a failure is reported, never thrown.
class Clipboard {
 public:
  virtual ~Clipboard() = default;

  // Empties the clipboard of every format. False when it failed.
  virtual bool Clear() = 0;
  // Puts the text on the clipboard as plain text. False when it failed.
  virtual bool SetText(const std::u16string& text) = 0;
  // The clipboard's plain text, empty when it holds none; nothing when it
  // could not be read.
  virtual std::optional<std::u16string> GetText() = 0;
};
