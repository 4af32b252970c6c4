// The process-wide objects of the engine in one place: the start-up
// settings, the presenter's flags and caption, the engine context and the
// input context (each declared by the layer that owns it), and the command
// line, which only the assembly reads.
#pragma once
#include "frame/presenter.h"
#include "gfx/engine_context.h"
#include "gfx/window.h"
#include "input/input_context.h"
#include "aerox/text.h"
#include "runtime/startup_settings.h"

// The command-line text after the program name.
extern RtString g_commandLine;
