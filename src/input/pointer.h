// The mouse's buttons and wheel and the text typed, gathered from SDL's
// events as they are queued: the frame presenter drains the queue for
// window events, so the commands cannot wait to read them from it.
#pragma once
#include <cstddef>

#include "input/input_context.h"

// Text typed and not yet read is kept up to this many bytes; more is
// dropped (a game that never reads it does not grow without bound).
constexpr size_t kTypedTextMaxBytes = 4096;

// Starts and stops watching the events of input's window.
void WatchPointer(InputContext* input);
void StopWatchingPointer(InputContext* input);

// Appends text (whole UTF-8 characters, as SDL hands them over) when it
// fits within kTypedTextMaxBytes; false when it was dropped.
bool AppendTyped(PointerEvents& events, const char* text);

// Whether button (1..5) reads held: held now, or pressed since it was last
// read and no longer ago than the frame before frame (then the press is
// taken).
bool TakeButton(PointerEvents& events, int button, bool heldNow, uint32_t frame);
