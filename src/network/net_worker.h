// The network worker: one thread that owns every socket, waits on them
// with poll, and trades messages with the game thread through NetShared.
#pragma once
#include <string_view>

#include "network/net_shared.h"

// Starts the worker for shared once (false, error, if it cannot).
bool StartNetWorker(NetShared& shared, std::string& error);
// Stops it: sets the stop flag under the mutex, waits in steps of 100 ms
// while it runs, says goodbye to each peer and frees every socket.
void StopNetWorker(NetShared& shared);
// Whether the caller is the one to wake the worker for new orders or
// messages (one wake is enough until the worker has looked). Call with the
// mutex held.
bool ClaimNetWake(NetShared& shared);
// Wakes the worker. Best called after the mutex is let go: the woken
// worker wants it at once.
void WakeNetWorker(NetShared& shared);

// The game thread's short cuts past the worker, called with the mutex held.
// A hand-over to the worker costs a thread wake-up on each side, more than
// a loopback round trip; the worker still owns each connection's life.
enum class NetThrough {
    kQueue,     // not taken: queue the message for the worker
    kSent,      // written whole
    kSentWake,  // taken, part of it left for the worker: wake it
};
// Writes text to the peer's socket at once (never waiting) when nothing
// is queued or half-written before it.
NetThrough SendThrough(NetShared& shared, NetPeerShared& peer, std::string_view text);
// Reads what waits on the peers' sockets into the inbox, never waiting;
// true when the worker has work left by it (a link ended, bytes to write).
bool ReadThrough(NetShared& shared);
