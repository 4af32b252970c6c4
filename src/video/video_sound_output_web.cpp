// The page's sound runs once SDL's audio context is no longer suspended.
// ("==", not "===": this code is read as C++ tokens first.)
#include <emscripten.h>

#include "video/video_sound_output.h"

bool SoundOutputRunning() {
    return EM_ASM_INT({
               const sdl = Module["SDL2"];
               return sdl && sdl.audioContext && sdl.audioContext.state == "running" ? 1 : 0;
           }) != 0;
}
