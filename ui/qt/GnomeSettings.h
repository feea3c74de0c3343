// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

// GNOME's own settings (GSettings, through GLib), where its schemas are
// installed; nothing anywhere else. No Qt here: GLib's headers and Qt's
// keywords do not mix.
namespace GnomeSettings {

// The key's value as text (a string, an enum's nick, or a list as GLib
// prints it), or nothing when the schema or the key is not installed.
std::optional<std::string> Text(const char* schema, const char* key);

// Calls `changed` whenever the key changes, while it lives (on the GLib
// main context, which Qt's event loop runs).
class Watch {
 public:
  Watch(const char* schema, const char* key, std::function<void()> changed);
  ~Watch();
  Watch(const Watch&) = delete;
  Watch& operator=(const Watch&) = delete;
  [[nodiscard]] bool Watching() const { return settings_ != nullptr; }

 private:
  void* settings_ = nullptr;
  unsigned long handler_ = 0;
  std::unique_ptr<std::function<void()>> changed_;
};

}  // namespace GnomeSettings
