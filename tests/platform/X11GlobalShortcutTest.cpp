// The X11 global key on a private X server of two screens, with a second client playing
// "another program": it tries the same grabs, holds one first, and types the key via XTest.
#include "platform/shortcuts/X11GlobalShortcut.h"

#include <QTest>

#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <vector>

namespace {

constexpr std::uint16_t superShift = XCB_MOD_MASK_4 | XCB_MOD_MASK_SHIFT;

class OtherClient
{
public:
    OtherClient() : m_connection(xcb_connect(nullptr, nullptr)) {}
    ~OtherClient() { xcb_disconnect(m_connection); }

    std::vector<xcb_window_t> roots() const
    {
        std::vector<xcb_window_t> roots;
        for (auto it = xcb_setup_roots_iterator(xcb_get_setup(m_connection)); it.rem > 0;
             xcb_screen_next(&it))
            roots.push_back(it.data->root);
        return roots;
    }

    xcb_keycode_t keycode(xcb_keysym_t keysym) const
    {
        const xcb_setup_t* setup = xcb_get_setup(m_connection);
        const int count = setup->max_keycode - setup->min_keycode + 1;
        std::unique_ptr<xcb_get_keyboard_mapping_reply_t, decltype(&std::free)> mapping(
            xcb_get_keyboard_mapping_reply(
                m_connection,
                xcb_get_keyboard_mapping(m_connection, setup->min_keycode, uint8_t(count)),
                nullptr),
            &std::free);
        const xcb_keysym_t* keysyms = xcb_get_keyboard_mapping_keysyms(mapping.get());
        for (int i = 0; i < count * mapping->keysyms_per_keycode; ++i) {
            if (keysyms[i] == keysym)
                return xcb_keycode_t(setup->min_keycode + i / mapping->keysyms_per_keycode);
        }
        return 0;
    }

    // True when this client got the grab: no other client holds the key.
    bool grab(xcb_window_t root, xcb_keycode_t key, std::uint16_t modifiers)
    {
        const auto cookie = xcb_grab_key_checked(m_connection, 1, root, modifiers, key,
                                                 XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
        xcb_generic_error_t* error = xcb_request_check(m_connection, cookie);
        std::free(error);
        return !error;
    }

    void ungrab(xcb_window_t root, xcb_keycode_t key, std::uint16_t modifiers)
    {
        xcb_ungrab_key(m_connection, key, root, modifiers);
        xcb_flush(m_connection);
    }

    void type(const std::vector<xcb_keycode_t>& keys)
    {
        for (const xcb_keycode_t key : keys)
            xcb_test_fake_input(m_connection, XCB_KEY_PRESS, key, XCB_CURRENT_TIME, XCB_NONE, 0, 0,
                                0);
        for (auto key = keys.rbegin(); key != keys.rend(); ++key)
            xcb_test_fake_input(m_connection, XCB_KEY_RELEASE, *key, XCB_CURRENT_TIME, XCB_NONE, 0,
                                0, 0);
        xcb_flush(m_connection);
    }

private:
    xcb_connection_t* m_connection;
};

struct Recorder
{
    explicit Recorder(X11GlobalShortcut& shortcut)
    {
        shortcut.setHandlers(
            [this] { ++activations; },
            [this](const GlobalShortcut::Report& report) { reports.push_back(report); });
    }
    GlobalShortcut::Status last() const { return reports.back().status; }

    int activations = 0;
    std::vector<GlobalShortcut::Report> reports;
};

constexpr xcb_keysym_t keysymC = 'c', superL = 0xffeb, shiftL = 0xffe1, numLock = 0xff7f;

TEST(X11GlobalShortcut, HoldsTheKeyWithEveryLockOnEveryScreenPicksWithNumLockAndFreesIt)
{
    OtherClient other;
    const xcb_keycode_t c = other.keycode(keysymC);
    ASSERT_NE(c, 0);
    ASSERT_EQ(other.roots().size(), 2u) << "the test's X server has two screens";
    X11GlobalShortcut shortcut;
    Recorder recorder(shortcut);

    shortcut.bind(QStringLiteral("Meta+Shift+C"));
    ASSERT_EQ(recorder.last(), GlobalShortcut::Status::active);
    // Caps Lock and Num Lock (Mod2 on this server) in every combination, on both screens.
    for (const xcb_window_t root : other.roots()) {
        for (const int locks :
             {0, int(XCB_MOD_MASK_LOCK), int(XCB_MOD_MASK_2), XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2})
            EXPECT_FALSE(other.grab(root, c, std::uint16_t(superShift | locks)))
                << "locks " << locks;
    }

    other.type({other.keycode(superL), other.keycode(shiftL), c});
    EXPECT_TRUE(QTest::qWaitFor([&] { return recorder.activations == 1; }, 5000));
    other.type({other.keycode(numLock)}); // Num Lock on
    other.type({other.keycode(superL), other.keycode(shiftL), c});
    EXPECT_TRUE(QTest::qWaitFor([&] { return recorder.activations == 2; }, 5000))
        << "the key did not pick with Num Lock on";
    other.type({other.keycode(numLock)});
    other.type({other.keycode(shiftL), c}); // not the key
    QTest::qWait(200);
    EXPECT_EQ(recorder.activations, 2);

    // Another key: the old one is free, the new one held.
    const xcb_keycode_t f5 = other.keycode(0xffc2);
    const std::uint16_t controlAlt = XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1;
    shortcut.bind(QStringLiteral("Ctrl+Alt+F5"));
    ASSERT_EQ(recorder.last(), GlobalShortcut::Status::active);
    EXPECT_FALSE(other.grab(other.roots().back(), f5, controlAlt));
    EXPECT_TRUE(other.grab(other.roots().back(), c, superShift)) << "the old key was kept";
    other.ungrab(other.roots().back(), c, superShift);

    shortcut.bind(QString());
    EXPECT_EQ(recorder.last(), GlobalShortcut::Status::off);
    for (const xcb_window_t root : other.roots()) {
        EXPECT_TRUE(other.grab(root, f5, controlAlt | XCB_MOD_MASK_2)) << "the key was not freed";
    }
}

TEST(X11GlobalShortcut, AKeyAnotherProgramHoldsIsReportedTakenAndNothingOfItIsKept)
{
    OtherClient other;
    const xcb_keycode_t c = other.keycode(keysymC);
    const xcb_window_t root = other.roots().front();
    // The other program holds the key only with Num Lock on.
    ASSERT_TRUE(other.grab(root, c, superShift | XCB_MOD_MASK_2));
    X11GlobalShortcut shortcut;
    Recorder recorder(shortcut);

    shortcut.bind(QStringLiteral("Meta+Shift+C"));
    EXPECT_EQ(recorder.last(), GlobalShortcut::Status::taken);
    EXPECT_TRUE(other.grab(root, c, superShift)) << "a partial grab was kept";
    other.ungrab(root, c, superShift);

    other.ungrab(root, c, superShift | XCB_MOD_MASK_2);
    shortcut.bind(QStringLiteral("Meta+Shift+C"));
    EXPECT_EQ(recorder.last(), GlobalShortcut::Status::active) << "once the key is free";
}

TEST(X11GlobalShortcut, NamesTheXKeyOfAQtKey)
{
    using Key = X11GlobalShortcut::Key;
    const struct
    {
        const char* sequence;
        std::optional<Key> key;
    } cases[] = {
        {"Meta+Shift+C", Key{'c', superShift}},
        {"Ctrl+Alt+F5", Key{0xffc2, XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1}},
        {"Print", Key{0xff61, 0}},
        {"Ctrl+1", Key{'1', XCB_MOD_MASK_CONTROL}},
        {"Ctrl+A, Ctrl+B", std::nullopt}, // a sequence of two
        {"", std::nullopt},
    };
    for (const auto& c : cases) {
        const auto key = X11GlobalShortcut::keyFor(QString::fromLatin1(c.sequence));
        ASSERT_EQ(key.has_value(), c.key.has_value()) << c.sequence;
        if (key) {
            EXPECT_EQ(key->keysym, c.key->keysym) << c.sequence;
            EXPECT_EQ(key->modifiers, c.key->modifiers) << c.sequence;
        }
    }
}

} // namespace
