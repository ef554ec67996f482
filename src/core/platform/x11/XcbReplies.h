#pragma once

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

// What the X11 queries share: replies freed as xcb wants, and the screens of a connection.
namespace galewarden::xcb {

template <typename Reply>
using ReplyPointer = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply>
ReplyPointer<Reply> owned(Reply* reply) {
    return ReplyPointer<Reply>(reply, &std::free);
}

inline const xcb_screen_t* screenNumbered(xcb_connection_t* connection, int number) {
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (; screens.rem > 0; --number, xcb_screen_next(&screens)) {
        if (number == 0) {
            return screens.data;
        }
    }
    return nullptr;
}

}  // namespace galewarden::xcb
