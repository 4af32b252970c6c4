/// @file
/// @brief The one header a game includes: every command of the engine, the
/// start-up settings and RunGame.
///
/// Numbers are doubles and texts are RtStrings. A command never throws or
/// crashes toward the game on a bad number or a bad file: it returns its
/// empty result (a failed load leaves its slot empty, and drawing or
/// playing an empty slot does nothing). The engine log (AppendLogLine)
/// gets a line for what the player should know of, such as a saved file
/// that cannot be written. The engine's commands (frames, drawing, sound,
/// input) do nothing and return their empty results before RunGame started
/// the engine, with one log line naming the command; the texts, numbers and
/// arrays work at any time. Array misuse ends the program with a runtime
/// error (arrays.h).
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
// --- path planning over grids
#include "aerox/planning.h"
// --- 3D scenes: meshes, camera, lights and shadows
#include "aerox/scene3d.h"
// --- files: channels, INI files, folders, saved pictures
#include "aerox/files.h"
// --- networked games: hosting, joining, messages
#include "aerox/network.h"
// --- web requests
#include "aerox/web_requests.h"
// --- the system: other programs, web addresses, file dialogs, library calls
#include "aerox/system.h"
// --- video: Ogg Theora films with their sound
#include "aerox/video.h"
