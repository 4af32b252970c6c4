// The engine's commands: everything a game may use, and the only engine
// header the game includes. Numbers are doubles, texts are RtStrings; no
// command reports failure to the game (a failed load leaves its slot empty,
// drawing or playing an empty slot does nothing).
#pragma once
#include "runtime/numeric.h"
#include "runtime/rt_array.h"
#include "runtime/rt_string.h"

// --- program: SetErrorCode, EndProgram (and the engine log)
#include "runtime/errors.h"
// --- frames and time, the quit keys and pausing
#include "frame/frame_commands.h"
// --- sprites, drawing and text
#include "gfx/gfx_commands.h"
// --- sound
#include "sound/sound_commands.h"
// --- keyboard
#include "input/input_commands.h"
// --- settings kept between runs
#include "engine/settings_commands.h"
// --- saved data: the hi-score table
#include "userdata/userdata_commands.h"
