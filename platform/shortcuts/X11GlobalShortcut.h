#pragma once

#include "core/ports/GlobalShortcut.h"

#include <QAbstractNativeEventFilter>
#include <QObject>

#include <cstdint>
#include <optional>
#include <vector>

struct xcb_connection_t;

// A global key on X11: a passive grab of the key on the root window of every screen, once for
// each combination of the lock modifiers (Caps Lock, Num Lock, Scroll Lock), so the key works
// whichever of them is on. A grab another client holds is reported as taken, and nothing of
// it is kept. Needs the xcb platform.
class X11GlobalShortcut : public QObject, public QAbstractNativeEventFilter, public GlobalShortcut
{
    Q_OBJECT

public:
    // An X key: a key symbol and the modifier mask that must be held with it.
    struct Key
    {
        std::uint32_t keysym = 0;
        std::uint16_t modifiers = 0;
    };

    explicit X11GlobalShortcut(QObject* parent = nullptr);
    ~X11GlobalShortcut() override;

    void setHandlers(ActivationHandler activated, ReportHandler report) override;
    void bind(const QString& keySequence) override;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

    // The X key of one Qt key combination (portable text); none for a key X cannot name or a
    // sequence of more than one combination.
    static std::optional<Key> keyFor(const QString& keySequence);

private:
    struct Grab
    {
        std::uint32_t root;
        std::uint8_t keycode;
        std::uint16_t modifiers;
    };

    void release();
    std::vector<std::uint16_t> lockCombinations() const;
    std::uint8_t keycodeFor(std::uint32_t keysym) const;
    std::uint16_t modifierMaskOf(std::uint32_t keysym) const;

    xcb_connection_t* m_connection = nullptr;
    std::vector<Grab> m_grabs;
    std::uint8_t m_keycode = 0;
    std::uint16_t m_modifiers = 0;
    std::uint16_t m_lockMask = 0;
    ActivationHandler m_activated;
    ReportHandler m_report;
};
