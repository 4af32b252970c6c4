/// @file
/// @brief The one header a game includes: every command of the engine, the
/// start-up settings and RunGame.
///
/// Numbers are doubles and texts are RtStrings. A command that fails never
/// throws or crashes toward the game: a failed load leaves its slot empty,
/// drawing or playing an empty slot does nothing, and each failure writes
/// one line to the engine log (AppendLogLine). A command called before
/// RunGame started the engine does nothing and returns its empty result.
#pragma once

// --- texts, numbers and arrays
#include "aerox/arrays.h"
#include "aerox/numbers.h"
#include "aerox/text.h"
// --- the program: start-up settings, RunGame, EndProgram, the log
#include "aerox/program.h"
// --- frames and time, the quit keys and pausing
#include "aerox/frames.h"
// --- sprites, drawing and text
#include "aerox/drawing.h"
// --- sound
#include "aerox/sound.h"
// --- keyboard
#include "aerox/input.h"
// --- saved data: settings kept between runs, the hi-score table
#include "aerox/saved_data.h"
