#include "platform/tray/XEmbedTrayWatch.h"

#include <QGuiApplication>
#include <qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace {

struct FreeDeleter
{
    void operator()(void* pointer) const { std::free(pointer); }
};
template <typename T> using Reply = std::unique_ptr<T, FreeDeleter>;

xcb_atom_t atom(xcb_connection_t* c, const std::string& name)
{
    const auto cookie = xcb_intern_atom(c, 0, static_cast<uint16_t>(name.size()), name.c_str());
    const Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(c, cookie, nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

} // namespace

XEmbedTrayWatch::XEmbedTrayWatch(QObject* parent) : QObject(parent)
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection())
        return;
    m_connection = x11->connection();
    char* host = nullptr;
    int display = 0;
    int screen = 0;
    if (!xcb_parse_display(nullptr, &host, &display, &screen))
        screen = 0;
    std::free(host);
    xcb_screen_iterator_t roots = xcb_setup_roots_iterator(xcb_get_setup(m_connection));
    for (int index = 0; roots.rem > 0 && index < screen; ++index)
        xcb_screen_next(&roots);
    if (roots.rem <= 0)
        return;
    m_root = roots.data->root;
    m_selection = atom(m_connection, "_NET_SYSTEM_TRAY_S" + std::to_string(screen));
    m_manager = atom(m_connection, "MANAGER");
    // A starting tray's MANAGER message goes to the root window's structure listeners.
    selectStructureEvents(m_root);
    QCoreApplication::instance()->installNativeEventFilter(this);
    locate();
}

XEmbedTrayWatch::~XEmbedTrayWatch()
{
    if (m_connection && QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

void XEmbedTrayWatch::locate()
{
    const auto cookie = xcb_get_selection_owner(m_connection, m_selection);
    const Reply<xcb_get_selection_owner_reply_t> reply(
        xcb_get_selection_owner_reply(m_connection, cookie, nullptr));
    const xcb_window_t owner = reply ? reply->owner : xcb_window_t(XCB_WINDOW_NONE);
    if (owner != XCB_WINDOW_NONE)
        selectStructureEvents(owner); // its destruction is the tray going away
    if (owner == m_owner)
        return;
    m_owner = owner;
    emit changed();
}

void XEmbedTrayWatch::selectStructureEvents(std::uint32_t window) const
{
    // Added to what this client (Qt) already listens for on the window, not replacing it.
    const auto cookie = xcb_get_window_attributes(m_connection, window);
    const Reply<xcb_get_window_attributes_reply_t> reply(
        xcb_get_window_attributes_reply(m_connection, cookie, nullptr));
    if (!reply)
        return;
    const uint32_t mask = reply->your_event_mask | XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    if (mask != reply->your_event_mask)
        xcb_change_window_attributes(m_connection, window, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(m_connection);
}

bool XEmbedTrayWatch::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    switch (event->response_type & ~0x80) {
    case XCB_CLIENT_MESSAGE: {
        const auto* client = static_cast<const xcb_client_message_event_t*>(message);
        if (client->type == m_manager && client->format == 32 &&
            client->data.data32[1] == m_selection)
            locate();
        break;
    }
    case XCB_DESTROY_NOTIFY:
        if (static_cast<const xcb_destroy_notify_event_t*>(message)->window == m_owner &&
            m_owner != 0)
            locate();
        break;
    default:
        break;
    }
    return false; // Qt's own tray icon watches the same events
}
