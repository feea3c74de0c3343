// SPDX-License-Identifier: MIT
#include "GnomeSettings.h"

#include <gio/gio.h>

namespace GnomeSettings {
namespace {

// The settings of `schema`, or null where it is not installed (GLib would
// abort on an unknown schema).
GSettings* Open(const char* schema, const char* key) {
  GSettingsSchemaSource* source = g_settings_schema_source_get_default();
  if (!source) return nullptr;
  GSettingsSchema* found = g_settings_schema_source_lookup(source, schema, TRUE);
  if (!found) return nullptr;
  GSettings* settings =
      g_settings_schema_has_key(found, key) ? g_settings_new_full(found, nullptr, nullptr) : nullptr;
  g_settings_schema_unref(found);
  return settings;
}

}  // namespace

std::optional<std::string> Text(const char* schema, const char* key) {
  GSettings* settings = Open(schema, key);
  if (!settings) return std::nullopt;
  GVariant* value = g_settings_get_value(settings, key);
  std::string text;
  if (g_variant_is_of_type(value, G_VARIANT_TYPE_STRING)) {
    text = g_variant_get_string(value, nullptr);
  } else {
    gchar* printed = g_variant_print(value, FALSE);
    text = printed;
    g_free(printed);
  }
  g_variant_unref(value);
  g_object_unref(settings);
  return text;
}

Watch::Watch(const char* schema, const char* key, std::function<void()> changed)
    : changed_(std::make_unique<std::function<void()>>(std::move(changed))) {
  GSettings* settings = Open(schema, key);
  if (!settings) return;
  settings_ = settings;
  const std::string signal = std::string("changed::") + key;
  using Changed = void (*)(GSettings*, gchar*, gpointer);
  const Changed call = [](GSettings*, gchar*, gpointer changed) {
    (*static_cast<std::function<void()>*>(changed))();
  };
  handler_ = g_signal_connect(settings, signal.c_str(), G_CALLBACK(call), changed_.get());
  // GSettings only tells of changes to a key that has been read.
  g_variant_unref(g_settings_get_value(settings, key));
}

Watch::~Watch() {
  if (!settings_) return;
  g_signal_handler_disconnect(settings_, handler_);
  g_object_unref(settings_);
}

}  // namespace GnomeSettings
