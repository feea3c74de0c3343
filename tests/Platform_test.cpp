// SPDX-License-Identifier: MIT
// The frame the window asks for on GNOME on Wayland, and its scale for the
// desktop's text size, for each session.
#include "Platform.h"

#include <gtest/gtest.h>

namespace {

TEST(FrameOnGnome, FollowsTheSessionAndTheUser) {
  struct Case {
    const char* what;
    GnomeSession session;
    GnomeFrame frame;
  };
  // gnomeOnWayland, platformChosen, decorationChosen, xDisplay,
  // adwaitaInstalled, layoutHasMaximize, xWindowsScaled
  const Case cases[] = {
      {"not GNOME on Wayland", {false, false, false, true, true, false, false}, GnomeFrame::AsItIs},
      {"a platform the user chose", {true, true, false, true, true, false, false}, GnomeFrame::AsItIs},
      {"a title bar the user chose", {true, false, true, true, false, false, false}, GnomeFrame::AsItIs},
      {"adwaita, close alone", {true, false, false, true, true, false, false}, GnomeFrame::Adwaita},
      {"adwaita would show a maximize", {true, false, false, true, true, true, false}, GnomeFrame::X11},
      {"no adwaita (Qt 6.4)", {true, false, false, true, false, false, false}, GnomeFrame::X11},
      {"no adwaita, X11 blurred", {true, false, false, true, false, false, true}, GnomeFrame::AsItIs},
      {"no adwaita, no Xwayland", {true, false, false, false, false, false, false}, GnomeFrame::AsItIs},
      {"a maximize, X11 blurred", {true, false, false, true, true, true, true}, GnomeFrame::Adwaita},
  };
  for (const Case& c : cases) EXPECT_EQ(FrameOnGnome(c.session), c.frame) << c.what;
}

TEST(ScaleForTextSize, OnlyWhereNothingElseScalesTheWindow) {
  struct Case {
    const char* what;
    TextSizeSession session;
    std::optional<QByteArray> scale;
  };
  // gnome, wayland, platform, scaleChosen, gnomeFactor, forcedDpi
  const Case cases[] = {
      {"GNOME's Large Text on Wayland", {true, true, "", false, "1.5", ""}, "1.5"},
      {"the user's own Wayland", {true, true, "wayland", false, "1.25", ""}, "1.25"},
      {"the normal size", {true, true, "", false, "1.0", ""}, std::nullopt},
      {"X11 reads it as Xft.dpi", {true, true, "xcb;wayland", false, "1.5", ""}, std::nullopt},
      {"a scale the user chose", {true, true, "", true, "1.5", ""}, std::nullopt},
      {"GNOME's setting off GNOME", {false, true, "", false, "1.5", ""}, std::nullopt},
      {"no Wayland", {true, false, "", false, "1.5", ""}, std::nullopt},
      {"no setting", {true, true, "", false, "", ""}, std::nullopt},
      {"out of GNOME's range", {true, true, "", false, "7", ""}, std::nullopt},
      {"Plasma 5's font DPI", {false, true, "", false, "", "144"}, "1.5"},
      {"Plasma 5's font DPI, normal", {false, true, "", false, "", "96"}, std::nullopt},
      {"a forced DPI on X11", {false, true, "xcb", false, "", "144"}, std::nullopt},
      {"a forced DPI of nonsense", {false, true, "", false, "", "big"}, std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ScaleForTextSize(c.session), c.scale) << c.what;
}

}  // namespace
