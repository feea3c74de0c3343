// SPDX-License-Identifier: MIT
#include "GnomeSettings.h"

#include <dlfcn.h>
#include <gio/gio.h>

#include <type_traits>

namespace GnomeSettings {
namespace {

// GIO, loaded where GNOME's settings are read: a start on another desktop
// does not load it and the libraries it needs (about 1 MiB). Kept loaded
// once loaded (GLib's types cannot be unloaded).
struct Gio {
  Gio() {
    void* lib = dlopen("libgio-2.0.so.0", RTLD_LAZY | RTLD_LOCAL | RTLD_NODELETE);
    if (!lib) return;
    all = true;
    const auto take = [lib, this](auto& function, const char* name) {
      function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(dlsym(lib, name));
      all = all && function;
    };
    take(sourceDefault, "g_settings_schema_source_get_default");
    take(lookup, "g_settings_schema_source_lookup");
    take(hasKey, "g_settings_schema_has_key");
    take(schemaUnref, "g_settings_schema_unref");
    take(settingsNew, "g_settings_new_full");
    take(getValue, "g_settings_get_value");
    take(isOfType, "g_variant_is_of_type");
    take(getString, "g_variant_get_string");
    take(print, "g_variant_print");
    take(variantUnref, "g_variant_unref");
    take(free, "g_free");
    take(objectUnref, "g_object_unref");
    take(connect, "g_signal_connect_data");
    take(disconnect, "g_signal_handler_disconnect");
    dlclose(lib);
  }
  bool all = false;  // every function found
  decltype(&g_settings_schema_source_get_default) sourceDefault = nullptr;
  decltype(&g_settings_schema_source_lookup) lookup = nullptr;
  decltype(&g_settings_schema_has_key) hasKey = nullptr;
  decltype(&g_settings_schema_unref) schemaUnref = nullptr;
  decltype(&g_settings_new_full) settingsNew = nullptr;
  decltype(&g_settings_get_value) getValue = nullptr;
  decltype(&g_variant_is_of_type) isOfType = nullptr;
  decltype(&g_variant_get_string) getString = nullptr;
  decltype(&g_variant_print) print = nullptr;
  decltype(&g_variant_unref) variantUnref = nullptr;
  decltype(&g_free) free = nullptr;
  decltype(&g_object_unref) objectUnref = nullptr;
  decltype(&g_signal_connect_data) connect = nullptr;
  decltype(&g_signal_handler_disconnect) disconnect = nullptr;
};

// The settings of `schema`, or null where it or GIO is not installed (GLib
// would abort on an unknown schema).
GSettings* Open(const Gio& gio, const char* schema, const char* key) {
  if (!gio.all) return nullptr;
  GSettingsSchemaSource* source = gio.sourceDefault();
  if (!source) return nullptr;
  GSettingsSchema* found = gio.lookup(source, schema, TRUE);
  if (!found) return nullptr;
  GSettings* settings = gio.hasKey(found, key) ? gio.settingsNew(found, nullptr, nullptr) : nullptr;
  gio.schemaUnref(found);
  return settings;
}

}  // namespace

std::optional<std::string> Text(const char* schema, const char* key) {
  const Gio gio;
  GSettings* settings = Open(gio, schema, key);
  if (!settings) return std::nullopt;
  GVariant* value = gio.getValue(settings, key);
  std::string text;
  if (gio.isOfType(value, G_VARIANT_TYPE_STRING)) {
    text = gio.getString(value, nullptr);
  } else {
    gchar* printed = gio.print(value, FALSE);
    text = printed;
    gio.free(printed);
  }
  gio.variantUnref(value);
  gio.objectUnref(settings);
  return text;
}

Watch::Watch(const char* schema, const char* key, std::function<void()> changed)
    : changed_(std::make_unique<std::function<void()>>(std::move(changed))) {
  const Gio gio;
  GSettings* settings = Open(gio, schema, key);
  if (!settings) return;
  settings_ = settings;
  const std::string signal = std::string("changed::") + key;
  using Changed = void (*)(GSettings*, gchar*, gpointer);
  const Changed call = [](GSettings*, gchar*, gpointer changed) {
    (*static_cast<std::function<void()>*>(changed))();
  };
  handler_ =
      gio.connect(settings, signal.c_str(), G_CALLBACK(call), changed_.get(), nullptr, GConnectFlags{});
  // GSettings only tells of changes to a key that has been read.
  gio.variantUnref(gio.getValue(settings, key));
}

Watch::~Watch() {
  if (!settings_) return;
  const Gio gio;
  gio.disconnect(settings_, handler_);
  gio.objectUnref(settings_);
}

}  // namespace GnomeSettings
