// The one platform decision: a session read once, and every choice made from it.
#include "DesktopSession.h"
#include "ClipboardChoice.h"
#include "PickerPanel.h"
#include "PortalScreenSampler.h"
#include "ScreenSamplerChoice.h"
#include "TrayController.h"

#include <gtest/gtest.h>

namespace {

TEST(DesktopSession, IsReadFromThePlatformAndTheEnvironment)
{
    QProcessEnvironment environment;
    environment.insert("XDG_SESSION_TYPE", "wayland");
    environment.insert("WAYLAND_DISPLAY", "");
    environment.insert("XDG_CURRENT_DESKTOP", "ubuntu:GNOME");
    EXPECT_EQ(DesktopSession::from("xcb", environment),
              (DesktopSession{"xcb", "wayland", true, "ubuntu:GNOME"}));
    EXPECT_EQ(DesktopSession::from("offscreen", QProcessEnvironment()),
              (DesktopSession{"offscreen", "", false, ""}));
}

TEST(DesktopSession, EveryChoiceFollowsTheSession)
{
    struct Case
    {
        DesktopSession session;
        SamplerKind sampler;
        ClipboardKind clipboard;
        bool xwayland;
        bool popupPanel;
        bool x11ParentWindow;
    };
    const Case cases[] = {
        {{"wayland", "wayland", true, "KDE"},
         SamplerKind::portal,
         ClipboardKind::focusAware,
         false,
         false,
         false},
        {{"wayland-egl", "", true, ""},
         SamplerKind::portal,
         ClipboardKind::focusAware,
         false,
         false,
         false},
        // An X11 client on Xwayland sees no other client's pixels but keeps X11's clipboard.
        {{"xcb", "wayland", true, "GNOME"},
         SamplerKind::portal,
         ClipboardKind::plain,
         true,
         true,
         true},
        {{"xcb", "", true, ""}, SamplerKind::portal, ClipboardKind::plain, true, true, true},
        {{"xcb", "x11", false, "XFCE"},
         SamplerKind::x11Overlay,
         ClipboardKind::plain,
         false,
         true,
         true},
        {{"xcb", "", false, ""}, SamplerKind::x11Overlay, ClipboardKind::plain, false, true, true},
        {{"offscreen", "", false, ""},
         SamplerKind::unavailable,
         ClipboardKind::plain,
         false,
         true,
         false},
        {{"minimal", "tty", false, ""},
         SamplerKind::unavailable,
         ClipboardKind::plain,
         false,
         true,
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(qPrintable(c.session.platformName + "/" + c.session.sessionType));
        EXPECT_EQ(chooseSamplerKind(c.session), c.sampler);
        EXPECT_EQ(chooseClipboardKind(c.session), c.clipboard);
        EXPECT_EQ(c.session.isXwayland(), c.xwayland);
        EXPECT_EQ(PickerPanel::opensAsPopup(c.session), c.popupPanel);
        EXPECT_EQ(PortalScreenSampler::usesX11ParentWindow(c.session), c.x11ParentWindow);
    }
}

} // namespace
