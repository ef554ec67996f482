#pragma once

namespace galewarden {

// The system's requests to end the program (SIGTERM at log-out or from a service manager,
// SIGINT, SIGHUP) as a readable descriptor: it becomes readable when one arrives, so an event
// loop can end the program in order. -1 where the system has no such requests or the watch
// cannot be set up. Set up once per process.
int watchTerminationRequests();

// Takes the requests that arrived off the descriptor, so that it waits for the next.
void drainTerminationRequests();

}  // namespace galewarden
