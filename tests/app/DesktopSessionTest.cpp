// The one platform decision: a session read once, and every choice made from it.
#include "core/DesktopSession.h"
#include "app/panel/PickerPanel.h"
#include "app/panel/TrayController.h"
#include "platform/clipboard/ClipboardChoice.h"
#include "platform/sampling/ScreenSamplerChoice.h"
#include "platform/sampling/portal/PortalScreenSampler.h"

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

TEST(DesktopSession, KnowsTheDesktopFromTheFirstNameItRecognises)
{
    const struct
    {
        const char* desktop;
        DesktopFamily family;
        const char* name;
    } cases[] = {
        {"ubuntu:GNOME", DesktopFamily::gnome, "GNOME"},
        {"sway", DesktopFamily::wlroots, "Sway"},
        {"Hyprland", DesktopFamily::other, ""},
        {"COSMIC", DesktopFamily::cosmic, "COSMIC"},
        {"LXQt", DesktopFamily::lxqt, "LXQt"},
        {"X-Cinnamon", DesktopFamily::other, ""},
        {"", DesktopFamily::other, ""},
    };
    for (const auto& c : cases) {
        const DesktopSession session{"wayland", "wayland", true, QString::fromUtf8(c.desktop)};
        EXPECT_EQ(session.family(), c.family) << c.desktop;
        EXPECT_EQ(session.desktopName(), QString::fromUtf8(c.name)) << c.desktop;
    }
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

// A Wayland compositor that offers both a layer shell and a screen copy gets the native
// overlay (an X11 client in its session too); one without either keeps the portal.
TEST(DesktopSession, TheWlrootsOverlayNeedsLayerShellAndScreenCopy)
{
    struct Case
    {
        DesktopSession session;
        CompositorOffers offers;
        SamplerKind sampler;
    };
    const Case cases[] = {
        {{"wayland", "wayland", true, "sway"}, {true, true}, SamplerKind::wlrootsOverlay},
        {{"xcb", "wayland", true, "sway"}, {true, true}, SamplerKind::wlrootsOverlay},
        {{"wayland", "wayland", true, "KDE"}, {true, false}, SamplerKind::portal},
        {{"wayland", "wayland", true, ""}, {false, true}, SamplerKind::portal},
        // Offers from a compositor count only in a Wayland session.
        {{"xcb", "x11", false, "XFCE"}, {true, true}, SamplerKind::x11Overlay},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(qPrintable(c.session.platformName + "/" + c.session.desktop));
        EXPECT_EQ(chooseSamplerKind(c.session, c.offers), c.sampler);
    }
}

} // namespace
