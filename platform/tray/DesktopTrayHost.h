#pragma once

#include "core/ports/TrayHost.h"

#include <QDBusConnection>
#include <QObject>

#include <optional>

class StatusNotifierHostWatch;
class XEmbedTrayWatch;

// The tray host as Qt's tray icon sees it. Qt decides once, when the icon is made, between a
// StatusNotifierItem (when a host is registered then) and an XEmbed tray icon (xcb only), and
// keeps that choice; so does this: the first answer about a StatusNotifierItem host picks the
// kind of host that counts from then on.
class DesktopTrayHost : public QObject, public TrayHost
{
    Q_OBJECT

public:
    // bus: where StatusNotifierItem hosts are looked for; xembed: whether XEmbed trays count
    // (the xcb platform).
    DesktopTrayHost(const QDBusConnection& bus, bool xembed, QObject* parent = nullptr);
    ~DesktopTrayHost() override;

    State state() const override { return m_state; }
    void setChangeHandler(ChangeHandler handler) override { m_handler = std::move(handler); }

    // The rule: unknown until the first StatusNotifierItem answer; then the kind chosen by it.
    static State combine(std::optional<bool> notifierChosen, std::optional<bool> notifierHost,
                         std::optional<bool> xembedTray);

private:
    void update();

    StatusNotifierHostWatch* m_notifier;
    XEmbedTrayWatch* m_xembed = nullptr;
    std::optional<bool> m_notifierChosen;
    State m_state = State::unknown;
    ChangeHandler m_handler;
};
