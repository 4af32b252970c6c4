// The network worker: one thread that owns every socket, waits on them
// with poll, and trades messages with the game thread through NetShared.
#pragma once
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
