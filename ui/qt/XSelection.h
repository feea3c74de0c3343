// SPDX-License-Identifier: MIT
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

struct xcb_connection_t;

// Reads the text of an X selection (CLIPBOARD or PRIMARY) on a connection
// of its own, waiting at most a set time: an owner that never answers, or
// a transfer that stops half-way, is a failure instead of a frozen window.
// The toolkit's own read waits five seconds per request and reports a
// failure as an empty text.
class XSelection {
 public:
  enum class Which { Clipboard, Primary };

  // Connects to the named display (the one Qt opened); a failed connection
  // makes every read fail.
  XSelection(const char* display, Which which);
  ~XSelection();
  XSelection(const XSelection&) = delete;
  XSelection& operator=(const XSelection&) = delete;

  // The selection's text: empty when it has no owner or holds no text;
  // nothing when the owner did not answer in time or the transfer broke.
  std::optional<std::u16string> Read(std::chrono::milliseconds budget);

 private:
  uint32_t Atom(const char* name);

  xcb_connection_t* connection_ = nullptr;
  uint32_t root_ = 0;
  uint32_t selection_ = 0;
  uint32_t property_ = 0;
  uint32_t incr_ = 0;
};
