// SPDX-License-Identifier: MIT
#pragma once

#include <QDBusMessage>
#include <QObject>
#include <QPalette>
#include <memory>

#include "GnomeSettings.h"

class ReadableStyle;

// Follows the desktop's light or dark preference while the program runs:
// the settings portal's org.freedesktop.appearance color-scheme, or
// GNOME's own color-scheme setting where no portal answers. Dark turns the
// application palette dark (unless the theme's palette is dark already),
// light gives back the palette the theme gave.
class DesktopColorScheme final : public QObject {
  Q_OBJECT
 public:
  explicit DesktopColorScheme(ReadableStyle& style);
  ~DesktopColorScheme() override;

  // Whether a user's own choice of look is there (a platform theme such as
  // qt6ct, a style by -style or QT_STYLE_OVERRIDE): then nothing is
  // followed.
  [[nodiscard]] static bool LookChosenByUser(int argc, char* argv[]);

  [[nodiscard]] bool Dark() const { return dark_; }

  // The portal's signal (QtDBus reaches public slots only).
 public slots:
  void SettingChanged(const QDBusMessage& signal);

 private:
  void PortalAnswered(const QDBusMessage& reply);
  void FollowGnomeSetting();
  void Apply(bool dark);

  ReadableStyle& style_;
  QPalette themes_;
  bool dark_ = false;
  std::unique_ptr<GnomeSettings::Watch> gnome_;
};
