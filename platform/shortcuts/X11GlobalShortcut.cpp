#include "platform/shortcuts/X11GlobalShortcut.h"

#include <QGuiApplication>
#include <QKeySequence>
#include <qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

namespace {

struct FreeDeleter
{
    void operator()(void* pointer) const { std::free(pointer); }
};
template <typename T> using Reply = std::unique_ptr<T, FreeDeleter>;

// X key symbols (X11/keysymdef.h) of the keys that are not plain Latin-1 characters.
constexpr std::uint32_t keysymNumLock = 0xff7f;
constexpr std::uint32_t keysymScrollLock = 0xff14;

std::optional<std::uint32_t> keysymOf(int key)
{
    if (key >= Qt::Key_F1 && key <= Qt::Key_F35)
        return 0xffbe + static_cast<std::uint32_t>(key - Qt::Key_F1);
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return static_cast<std::uint32_t>(key - Qt::Key_A + 'a');
    if (key >= Qt::Key_Space && key <= Qt::Key_AsciiTilde)
        return static_cast<std::uint32_t>(key); // Latin-1 keys share their codes
    switch (key) {
    case Qt::Key_Escape:
        return 0xff1b;
    case Qt::Key_Tab:
        return 0xff09;
    case Qt::Key_Backspace:
        return 0xff08;
    case Qt::Key_Return:
        return 0xff0d;
    case Qt::Key_Enter:
        return 0xff8d;
    case Qt::Key_Insert:
        return 0xff63;
    case Qt::Key_Delete:
        return 0xffff;
    case Qt::Key_Pause:
        return 0xff13;
    case Qt::Key_Print:
        return 0xff61;
    case Qt::Key_Home:
        return 0xff50;
    case Qt::Key_End:
        return 0xff57;
    case Qt::Key_Left:
        return 0xff51;
    case Qt::Key_Up:
        return 0xff52;
    case Qt::Key_Right:
        return 0xff53;
    case Qt::Key_Down:
        return 0xff54;
    case Qt::Key_PageUp:
        return 0xff55;
    case Qt::Key_PageDown:
        return 0xff56;
    default:
        return std::nullopt;
    }
}

} // namespace

X11GlobalShortcut::X11GlobalShortcut(QObject* parent) : QObject(parent)
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection())
        return;
    m_connection = x11->connection();
    QCoreApplication::instance()->installNativeEventFilter(this);
}

X11GlobalShortcut::~X11GlobalShortcut()
{
    if (!m_connection)
        return;
    release();
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

void X11GlobalShortcut::setHandlers(ActivationHandler activated, ReportHandler report)
{
    m_activated = std::move(activated);
    m_report = std::move(report);
}

std::optional<X11GlobalShortcut::Key> X11GlobalShortcut::keyFor(const QString& keySequence)
{
    const QKeySequence sequence = QKeySequence::fromString(keySequence, QKeySequence::PortableText);
    if (sequence.count() != 1)
        return std::nullopt;
    const QKeyCombination combination = sequence[0];
    const std::optional<std::uint32_t> keysym = keysymOf(combination.key());
    if (!keysym)
        return std::nullopt;
    Key key{*keysym, 0};
    const Qt::KeyboardModifiers modifiers = combination.keyboardModifiers();
    if (modifiers & Qt::ShiftModifier)
        key.modifiers |= XCB_MOD_MASK_SHIFT;
    if (modifiers & Qt::ControlModifier)
        key.modifiers |= XCB_MOD_MASK_CONTROL;
    if (modifiers & Qt::AltModifier)
        key.modifiers |= XCB_MOD_MASK_1;
    if (modifiers & Qt::MetaModifier)
        key.modifiers |= XCB_MOD_MASK_4;
    return key;
}

void X11GlobalShortcut::bind(const QString& keySequence)
{
    release();
    const auto report = [this](Status status, const QString& detail = QString()) {
        if (m_report)
            m_report({status, detail});
    };
    if (keySequence.isEmpty())
        return report(Status::off);
    if (!m_connection)
        return report(Status::unsupported);
    const std::optional<Key> key = keyFor(keySequence);
    const std::uint8_t keycode = key ? keycodeFor(key->keysym) : 0;
    if (!key || keycode == 0)
        return report(Status::failed, tr("this keyboard has no such key"));

    m_keycode = keycode;
    m_modifiers = key->modifiers;
    m_lockMask =
        XCB_MOD_MASK_LOCK | modifierMaskOf(keysymNumLock) | modifierMaskOf(keysymScrollLock);
    std::vector<xcb_void_cookie_t> cookies;
    for (xcb_screen_iterator_t screen = xcb_setup_roots_iterator(xcb_get_setup(m_connection));
         screen.rem > 0; xcb_screen_next(&screen)) {
        for (const std::uint16_t locks : lockCombinations()) {
            const std::uint16_t modifiers = m_modifiers | locks;
            cookies.push_back(xcb_grab_key_checked(m_connection, 1, screen.data->root, modifiers,
                                                   keycode, XCB_GRAB_MODE_ASYNC,
                                                   XCB_GRAB_MODE_ASYNC));
            m_grabs.push_back({screen.data->root, keycode, modifiers});
        }
    }
    bool taken = false;
    for (const xcb_void_cookie_t cookie : cookies) {
        const Reply<xcb_generic_error_t> error(xcb_request_check(m_connection, cookie));
        taken = taken || error;
    }
    if (taken) {
        // A grab that half succeeded would pick only with some of the locks: none is kept.
        release();
        return report(Status::taken);
    }
    report(Status::active);
}

void X11GlobalShortcut::release()
{
    for (const Grab& grab : m_grabs)
        xcb_ungrab_key(m_connection, grab.keycode, grab.root, grab.modifiers);
    if (!m_grabs.empty()) {
        // A round trip: once this returns the server has let the key go, so a program that
        // grabs it next (or a rebind) never finds it still held.
        const Reply<xcb_get_input_focus_reply_t> roundTrip(
            xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
    }
    m_grabs.clear();
    m_keycode = 0;
}

std::vector<std::uint16_t> X11GlobalShortcut::lockCombinations() const
{
    // Every subset of the lock modifiers' bits.
    std::vector<std::uint16_t> combinations{0};
    for (std::uint16_t bit = 1; bit != 0 && bit <= m_lockMask;
         bit = static_cast<std::uint16_t>(bit << 1)) {
        if (!(m_lockMask & bit))
            continue;
        const std::size_t count = combinations.size();
        for (std::size_t index = 0; index < count; ++index)
            combinations.push_back(static_cast<std::uint16_t>(combinations[index] | bit));
    }
    return combinations;
}

std::uint8_t X11GlobalShortcut::keycodeFor(std::uint32_t keysym) const
{
    const xcb_setup_t* setup = xcb_get_setup(m_connection);
    const std::uint8_t first = setup->min_keycode;
    const int count = setup->max_keycode - first + 1;
    const Reply<xcb_get_keyboard_mapping_reply_t> mapping(xcb_get_keyboard_mapping_reply(
        m_connection,
        xcb_get_keyboard_mapping(m_connection, first, static_cast<std::uint8_t>(count)), nullptr));
    if (!mapping || mapping->keysyms_per_keycode == 0)
        return 0;
    const xcb_keysym_t* keysyms = xcb_get_keyboard_mapping_keysyms(mapping.get());
    const int perKeycode = mapping->keysyms_per_keycode;
    for (int index = 0; index < count; ++index) {
        for (int column = 0; column < perKeycode; ++column) {
            if (keysyms[index * perKeycode + column] == keysym)
                return static_cast<std::uint8_t>(first + index);
        }
    }
    return 0;
}

std::uint16_t X11GlobalShortcut::modifierMaskOf(std::uint32_t keysym) const
{
    const std::uint8_t keycode = keycodeFor(keysym);
    if (keycode == 0)
        return 0;
    const Reply<xcb_get_modifier_mapping_reply_t> mapping(xcb_get_modifier_mapping_reply(
        m_connection, xcb_get_modifier_mapping(m_connection), nullptr));
    if (!mapping)
        return 0;
    const xcb_keycode_t* keycodes = xcb_get_modifier_mapping_keycodes(mapping.get());
    const int perModifier = mapping->keycodes_per_modifier;
    for (int modifier = 0; modifier < 8; ++modifier) {
        for (int index = 0; index < perModifier; ++index) {
            if (keycodes[modifier * perModifier + index] == keycode)
                return static_cast<std::uint16_t>(1u << modifier);
        }
    }
    return 0;
}

bool X11GlobalShortcut::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
    if (eventType != "xcb_generic_event_t" || m_keycode == 0)
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & ~0x80) != XCB_KEY_PRESS)
        return false;
    const auto* press = static_cast<const xcb_key_press_event_t*>(message);
    if (press->detail != m_keycode || (press->state & ~m_lockMask & 0xff) != m_modifiers)
        return false;
    for (const Grab& grab : m_grabs) {
        if (grab.root == press->event) {
            if (m_activated)
                m_activated();
            return true;
        }
    }
    return false;
}
