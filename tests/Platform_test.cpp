// SPDX-License-Identifier: MIT
// The frame the window asks for on GNOME on Wayland, for each session.
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

}  // namespace
