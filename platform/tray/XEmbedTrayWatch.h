#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>

#include <cstdint>

struct xcb_connection_t;

// Watches the XEmbed tray of the X screen this process shows on: the owner of its
// _NET_SYSTEM_TRAY_Sn selection. A tray that starts announces itself with a MANAGER message
// on the root window; one that stops destroys its window. Needs the xcb platform.
class XEmbedTrayWatch : public QObject, public QAbstractNativeEventFilter
{
    Q_OBJECT

public:
    explicit XEmbedTrayWatch(QObject* parent = nullptr);
    ~XEmbedTrayWatch() override;

    bool trayPresent() const { return m_owner != 0; }

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

signals:
    void changed();

private:
    void locate();
    void selectStructureEvents(std::uint32_t window) const;

    xcb_connection_t* m_connection = nullptr;
    std::uint32_t m_root = 0;
    std::uint32_t m_selection = 0;
    std::uint32_t m_manager = 0;
    std::uint32_t m_owner = 0;
};
