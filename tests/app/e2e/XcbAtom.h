#pragma once

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

// The atom for a name, interned on the connection; XCB_ATOM_NONE when the server refuses.
inline xcb_atom_t internAtom(xcb_connection_t* connection, const char* name)
{
    const auto cookie =
        xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t result = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return result;
}
