// SPDX-License-Identifier: MIT
#include "DesktopColorScheme.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QStyleHints>

#include "Platform.h"
#include "QtReleaseFixes.h"
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

bool DesktopColorScheme::StyleChosenByUser(int argc, char* argv[]) {
  for (int i = 1; i < argc; ++i) {
    const QByteArray arg(argv[i]);
    if (arg == "-style" || arg == "--style" || arg.startsWith("-style=") || arg.startsWith("--style="))
      return true;
  }
  return !qEnvironmentVariableIsEmpty("QT_STYLE_OVERRIDE");
}

bool DesktopColorScheme::LookChosenByUser(int argc, char* argv[]) {
  return StyleChosenByUser(argc, argv) || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORMTHEME");
}

bool DesktopColorScheme::ThemeFollowsDesktop() {
  // Qt's rule for its KDE theme: a KDE desktop of version 4 or later.
  const QList<QByteArray> desktops = qgetenv("XDG_CURRENT_DESKTOP").toLower().split(':');
  return desktops.contains("kde") && qEnvironmentVariableIntValue("KDE_SESSION_VERSION") >= 4;
}

DesktopColorScheme::DesktopColorScheme(ReadableStyle& style) : style_(style) {
  if (ThemeFollowsDesktop()) {
    qApp->installEventFilter(this);
    if (HasSessionBus()) plasma_ = QtReleaseFixes::FollowPlasmaColours();
    return;
  }
  if constexpr (!QtReleaseFixes::kNoColorSchemeHint) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 5, 0)
    // Qt tells the desktop's preference; only the contrast is read here.
    const auto dark = [] { return QGuiApplication::styleHints()->colorScheme() == Qt::ColorScheme::Dark; };
    connect(QGuiApplication::styleHints(), &QStyleHints::colorSchemeChanged, this,
            [this, dark] { Apply(dark(), highContrast_); });
    bool contrast = false;
    if (HasSessionBus() && QDBusConnection::sessionBus().isConnected()) {
      QDBusConnection bus = QDBusConnection::sessionBus();
      bus.connect(kPortal, kPath, kSettings, QStringLiteral("SettingChanged"), this,
                  SLOT(SettingChanged(QDBusMessage)));
      ReadContrast(bus);
      contrast = highContrast_;
    } else {
      FollowGnomeContrast();
      contrast = highContrast_;
    }
    highContrast_ = false;  // nothing applied yet
    Apply(dark(), contrast);
#endif
    return;
  }
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

bool DesktopColorScheme::eventFilter(QObject* watched, QEvent* event) {
  if (watched == qApp && event->type() == QEvent::ApplicationPaletteChange) {
    QPalette polished = QApplication::palette();
    style_.polish(polished);
    // Set once: the palette polished again is the same.
    if (polished != QApplication::palette()) QApplication::setPalette(polished);
  }
  return QObject::eventFilter(watched, event);
}

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
  if (!InGnomeSession()) return;
  static constexpr const char* kSchema = "org.gnome.desktop.interface";
  static constexpr const char* kName = "color-scheme";
  const auto read = [] { return GnomeSettings::Text(kSchema, kName).value_or("") == "prefer-dark"; };
  gnome_ =
      std::make_unique<GnomeSettings::Watch>(kSchema, kName, [this, read] { Apply(read(), highContrast_); });
  if (!gnomeContrast_) FollowGnomeContrast();
  if (gnome_->Watching()) Apply(read(), highContrast_);
}

void DesktopColorScheme::FollowGnomeContrast() {
  if (!InGnomeSession()) return;
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
  if (args[1].toString() == kKey && QtReleaseFixes::kNoColorSchemeHint) {
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
  // The theme's palette as it is now (a theme may have followed the
  // desktop already), then this program's only where it is needed.
  QApplication::setPalette(QPalette());
  const bool themeDark = ReadableStyle::IsDark(QApplication::palette());
  if (highContrast) {
    QApplication::setPalette(style_.HighContrastPalette(dark || themeDark));
  } else if (dark && !themeDark) {
    QApplication::setPalette(style_.DarkPalette());
  }
}
