#pragma once

#include "core/DesktopSession.h"
#include "core/Log.h"
#include "core/ports/ScreenSampler.h"

#include <QDBusConnection>
#include <QObject>
#include <QVariantMap>

#include <functional>

class QDBusServiceWatcher;

// The Wayland sampler: the desktop portal's Screenshot.PickColor. The portal shows its own
// picker; its Request.Response signal carries the colour (response 0) or a cancel (any other
// response). No bus, no portal, a portal older than version 2, a failed call or a portal
// that leaves the bus mid-pick all end the pick as a cancel at once, so a pick never stays
// stuck; each is logged with the portal's answer and named in unavailableReason(). There is no time
// limit on the user. One pick runs at a time: a showSampler() while one waits ends the new request
// as a cancel. Main thread only; the handler is called on the main thread.
class PortalScreenSampler : public QObject, public ScreenSampler
{
    Q_OBJECT

public:
    static inline const QString service = QStringLiteral("org.freedesktop.portal.Desktop");
    static inline const QString objectPath = QStringLiteral("/org/freedesktop/portal/desktop");
    static inline const QString interface = QStringLiteral("org.freedesktop.portal.Screenshot");
    static constexpr uint minimumVersion = 2;

    // The portal's identifier of the window the picker belongs to: "x11:<hex id>",
    // "wayland:<handle>" or empty. Asked when showSampler() is called, while the window that
    // started the pick still has the focus.
    using ParentWindow = std::function<QString()>;

    // parentWindow: empty for none.
    explicit PortalScreenSampler(QDBusConnection bus = QDBusConnection::sessionBus(),
                                 ParentWindow parentWindow = {}, QObject* parent = nullptr,
                                 Log log = Log("sampler"));
    // A pick still waiting ends as a cancel.
    ~PortalScreenSampler() override;

    void showSampler(SelectionHandler handler) override;
    std::string unavailableReason() const override { return m_unavailable; }

    bool isWaiting() const { return static_cast<bool>(m_handler); }
    // The session whose desktop the words of unavailableReason() name.
    void setSession(const DesktopSession& session) { m_session = session; }

    // An X11 client names its focused window ("x11:<hex id>"); others name none.
    static bool usesX11ParentWindow(const DesktopSession& session);
    static ParentWindow parentWindowFor(const DesktopSession& session);
    static QString focusedX11Window();
    // The request object the portal creates for a call with this handle_token.
    static QString requestPath(const QString& uniqueBusName, const QString& token);

private slots:
    void onResponse(uint response, const QVariantMap& results);

private:
    void queryVersion();
    void callPickColor();
    bool subscribe(const QString& path);
    void unsubscribe();
    // Ends the pick as a cancel: `logLine` for the journal, the session's words for the user.
    void fail(const QString& logLine, PortalPickFailure failure, uint version = 0);
    void finish(std::optional<SrgbComponents> components);

    QDBusConnection m_bus;
    ParentWindow m_parentWindow;
    SelectionHandler m_handler;
    QString m_subscribedPath;
    quint64 m_pickSerial = 0; // replies of an ended pick are recognised and dropped
    std::string m_unavailable;
    QString m_parentHandle; // of the pick that runs
    QDBusServiceWatcher* m_watcher;
    DesktopSession m_session;
    Log m_log;
};
