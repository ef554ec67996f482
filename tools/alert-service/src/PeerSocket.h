#pragma once

#include <httplib.h>

namespace galewarden::alertservice {

// cpp-httplib keeps the accepted socket to itself; these find it again by its two ports so that a
// handler can end the connection without writing an answer.

// The accepted socket carrying this request, or -1.
int requestSocket(const httplib::Request& request);

// Ends the connection at once: the client reads the end of the stream and no answer. cpp-httplib
// then fails to write its answer and closes the socket as usual.
void dropConnection(int socket);

// True when the client has closed its end of the connection.
bool peerHasClosed(int socket);

}  // namespace galewarden::alertservice
