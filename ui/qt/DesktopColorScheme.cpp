// SPDX-License-Identifier: MIT
#include "DesktopColorScheme.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>
#include <QDir>
#include <QFileInfo>

#include "Platform.h"
#include "ReadableStyle.h"

namespace {

const QString kPortal = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kSettings = QStringLiteral("org.freedesktop.portal.Settings");
const QString kGroup = QStringLiteral("org.freedesktop.appearance");
const QString kKey = QStringLiteral("color-scheme");
const QString kContrastKey = QStringLiteral("contrast");

// How long the start waits for the portal's first answer; a later one is
// still taken.
constexpr int kFirstAnswerMs = 250;

// The portal's value, under however many variants it comes (Read wraps it
// in one more than the signal does): 1 is "prefer dark", and for contrast
// "higher".
bool IsOne(QVariant value) {
  while (value.canConvert<QDBusVariant>()) value = value.value<QDBusVariant>().variant();
  return value.toUInt() == 1;
}

// A session bus without starting one: libdbus would launch a bus of its
// own for an X display that has none.
bool HasSessionBus() {
  if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")) return true;
  const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
  return !runtime.isEmpty() && QFileInfo::exists(QDir(runtime).filePath(QStringLiteral("bus")));
}

}  // namespace

bool DesktopColorScheme::LookChosenByUser(int argc, char* argv[]) {
  for (int i = 1; i < argc; ++i) {
    const QByteArray arg(argv[i]);
    if (arg == "-style" || arg == "--style" || arg.startsWith("-style=") || arg.startsWith("--style="))
      return true;
  }
  return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORMTHEME") ||
         !qEnvironmentVariableIsEmpty("QT_STYLE_OVERRIDE");
}

DesktopColorScheme::DesktopColorScheme(ReadableStyle& style)
    : style_(style), themes_(QApplication::palette()) {
  if (!HasSessionBus()) return;
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) return;
  bus.connect(kPortal, kPath, kSettings, QStringLiteral("SettingChanged"), this,
              SLOT(SettingChanged(QDBusMessage)));
  QDBusMessage read = QDBusMessage::createMethodCall(kPortal, kPath, kSettings, QStringLiteral("Read"));
  read << kGroup << kKey;
  const QDBusMessage reply = bus.call(read, QDBus::Block, kFirstAnswerMs);
  if (reply.type() == QDBusMessage::ReplyMessage ||
      reply.errorName() != u"org.freedesktop.DBus.Error.NoReply") {
    if (reply.type() == QDBusMessage::ReplyMessage) ReadContrast(bus);
    PortalAnswered(reply);
    return;
  }
  // A portal slow to start: its answer is taken when it comes.
  qCInfo(lcPlatform, "the settings portal is slow to answer");
  auto* late = new QDBusPendingCallWatcher(bus.asyncCall(read), this);
  connect(late, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* call) {
    PortalAnswered(call->reply());
    call->deleteLater();
  });
}

DesktopColorScheme::~DesktopColorScheme() = default;

void DesktopColorScheme::ReadContrast(QDBusConnection& bus) {
  QDBusMessage read = QDBusMessage::createMethodCall(kPortal, kPath, kSettings, QStringLiteral("Read"));
  read << kGroup << kContrastKey;
  const QDBusMessage reply = bus.call(read, QDBus::Block, kFirstAnswerMs);
  if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()) {
    highContrast_ = IsOne(reply.arguments().constFirst());
  } else {
    FollowGnomeContrast();  // a portal older than the contrast setting
  }
}

void DesktopColorScheme::PortalAnswered(const QDBusMessage& reply) {
  if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()) {
    Apply(IsOne(reply.arguments().constFirst()), highContrast_);
  } else {
    // No portal, or one without this setting.
    qCInfo(lcPlatform, "no settings portal: %s", qPrintable(reply.errorName()));
    FollowGnomeSetting();
  }
}

void DesktopColorScheme::FollowGnomeSetting() {
  static constexpr const char* kSchema = "org.gnome.desktop.interface";
  static constexpr const char* kName = "color-scheme";
  const auto read = [] { return GnomeSettings::Text(kSchema, kName).value_or("") == "prefer-dark"; };
  gnome_ =
      std::make_unique<GnomeSettings::Watch>(kSchema, kName, [this, read] { Apply(read(), highContrast_); });
  if (!gnomeContrast_) FollowGnomeContrast();
  if (gnome_->Watching()) Apply(read(), highContrast_);
}

void DesktopColorScheme::FollowGnomeContrast() {
  static constexpr const char* kSchema = "org.gnome.desktop.a11y.interface";
  static constexpr const char* kName = "high-contrast";
  const auto read = [] { return GnomeSettings::Text(kSchema, kName).value_or("") == "true"; };
  gnomeContrast_ =
      std::make_unique<GnomeSettings::Watch>(kSchema, kName, [this, read] { Apply(dark_, read()); });
  if (gnomeContrast_->Watching()) highContrast_ = read();
}

void DesktopColorScheme::SettingChanged(const QDBusMessage& signal) {
  const QVariantList args = signal.arguments();
  if (args.size() != 3 || args[0].toString() != kGroup) return;
  if (args[1].toString() == kKey) {
    gnome_.reset();  // the portal speaks from now on
    Apply(IsOne(args[2]), highContrast_);
  } else if (args[1].toString() == kContrastKey) {
    gnomeContrast_.reset();
    Apply(dark_, IsOne(args[2]));
  }
}

void DesktopColorScheme::Apply(bool dark, bool highContrast) {
  qCInfo(lcPlatform, "the desktop prefers %s%s", dark ? "dark" : "no dark",
         highContrast ? ", high contrast" : "");
  if (applied_ && dark == dark_ && highContrast == highContrast_) return;
  const bool first = !applied_;
  applied_ = true;
  dark_ = dark;
  highContrast_ = highContrast;
  style_.SetHighContrast(highContrast);
  if (first && !dark && !highContrast) return;  // the theme's palette is in place
  if (highContrast) {
    QApplication::setPalette(style_.HighContrastPalette(dark || ReadableStyle::IsDark(themes_)));
  } else if (ReadableStyle::IsDark(themes_)) {
    QApplication::setPalette(themes_);  // the theme is dark already
  } else {
    QApplication::setPalette(dark ? style_.DarkPalette() : themes_);
  }
}
