// The network worker: one thread that owns every socket, waits on them
// with poll, and trades messages with the game thread through NetShared.
#pragma once
#include "network/net_shared.h"

// Starts the worker for shared once (false, error, if it cannot).
bool StartNetWorker(NetShared& shared, std::string& error);
// Stops it: sets the stop flag under the mutex, waits in steps of 100 ms
// while it runs, says goodbye to each peer and frees every socket.
void StopNetWorker(NetShared& shared);
// Wakes the worker to look at new orders or messages. Call with the mutex
// held.
void WakeNetWorker(NetShared& shared);
