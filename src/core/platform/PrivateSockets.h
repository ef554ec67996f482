#pragma once

#include <cstdint>
#include <string>

namespace galewarden {

// A directory in which only this user can make names, for local sockets that another user
// must not be able to take first: $XDG_RUNTIME_DIR when it is this user's own directory and
// nobody else may write to it, else /tmp/galewarden-<uid>, made with mode 0700 (or found so,
// owned by this user and no link). Empty where there is none, and on systems whose local
// sockets are named pipes with their own access rules.
std::string privateSocketDirectory();

// Whether the peer of a connected local socket runs as this user. True where the system
// cannot tell, because its local sockets admit only their owner's user.
bool peerIsThisUser(std::intptr_t socketDescriptor);

}  // namespace galewarden
