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

// How long the start waits for the portal's first answer; a later one is
// still taken.
constexpr int kFirstAnswerMs = 250;

// The portal's value, under however many variants it comes (Read wraps it
// in one more than the signal does): 1 is "prefer dark".
bool PrefersDark(QVariant value) {
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

void DesktopColorScheme::PortalAnswered(const QDBusMessage& reply) {
  if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()) {
    Apply(PrefersDark(reply.arguments().constFirst()));
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
  gnome_ = std::make_unique<GnomeSettings::Watch>(kSchema, kName, [this, read] { Apply(read()); });
  if (gnome_->Watching()) Apply(read());
}

void DesktopColorScheme::SettingChanged(const QDBusMessage& signal) {
  const QVariantList args = signal.arguments();
  if (args.size() != 3 || args[0].toString() != kGroup || args[1].toString() != kKey) return;
  gnome_.reset();  // the portal speaks from now on
  Apply(PrefersDark(args[2]));
}

void DesktopColorScheme::Apply(bool dark) {
  qCInfo(lcPlatform, "the desktop prefers %s", dark ? "dark" : "no dark");
  if (dark == dark_) return;
  dark_ = dark;
  if (ReadableStyle::IsDark(themes_)) return;  // the theme is dark already
  QApplication::setPalette(dark ? style_.DarkPalette() : themes_);
}
