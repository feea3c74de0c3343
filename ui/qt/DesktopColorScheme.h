// SPDX-License-Identifier: MIT
#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>
#include <QPalette>
#include <memory>

#include "GnomeSettings.h"

class ReadableStyle;

// Follows the desktop's light or dark preference and its high contrast
// while the program runs, where the platform theme does not: Qt's own
// colour scheme hint (Qt 6.5 on), or before it the settings portal's
// org.freedesktop.appearance color-scheme; the portal's contrast; GNOME's
// own settings where the portal has none. Dark turns the application
// palette dark unless the theme's palette, as it is then, is dark already;
// light gives back the theme's; high contrast gives black on white, or
// white on black where dark. Where the theme follows the desktop itself
// (KDE Plasma's, which reads Plasma's colour scheme) it is left to it,
// mended where the Qt release needs it.
class DesktopColorScheme final : public QObject {
  Q_OBJECT
 public:
  explicit DesktopColorScheme(ReadableStyle& style);
  ~DesktopColorScheme() override;

  // Whether a user's own choice of look is there (a platform theme such as
  // qt6ct, a style by -style or QT_STYLE_OVERRIDE): then nothing is
  // followed.
  [[nodiscard]] static bool LookChosenByUser(int argc, char* argv[]);
  // A widget style the user named (-style, QT_STYLE_OVERRIDE).
  [[nodiscard]] static bool StyleChosenByUser(int argc, char* argv[]);
  // Whether Qt's platform theme follows the desktop's colours itself: Qt's
  // KDE theme (or Plasma's own) in a Plasma session, as Qt picks it.
  [[nodiscard]] static bool ThemeFollowsDesktop();

  [[nodiscard]] bool Dark() const { return dark_; }

 protected:
  // Where the theme follows the desktop: a palette it sets while the
  // program runs is polished by the style, as Qt does the theme's palette
  // at start (Plasma's platform theme sets it as is).
  bool eventFilter(QObject* watched, QEvent* event) override;

  [[nodiscard]] bool HighContrast() const { return highContrast_; }

  // The portal's signal (QtDBus reaches public slots only).
 public slots:
  void SettingChanged(const QDBusMessage& signal);

 private:
  void PortalAnswered(const QDBusMessage& reply);
  void ReadContrast(QDBusConnection& bus);
  void FollowGnomeSetting();
  void FollowGnomeContrast();
  void Apply(bool dark, bool highContrast);

  ReadableStyle& style_;
  bool dark_ = false;
  bool highContrast_ = false;
  bool applied_ = false;  // whether the desktop's wish was applied once
  std::unique_ptr<GnomeSettings::Watch> gnome_;
  std::unique_ptr<GnomeSettings::Watch> gnomeContrast_;
  std::unique_ptr<QObject> plasma_;
};
