// The network as the program end sees it.
#pragma once

// Stops the worker (if it ever started): says goodbye to each peer and
// frees every socket. The commands work again afterwards.
void StopNetwork();
