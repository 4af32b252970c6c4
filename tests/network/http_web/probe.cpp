// The web requests in the browser: built with emscripten into a page that
// check.js loads from the test server (one origin), which prints what each
// command gave on the console. Not part of the engine or the game.
#include <emscripten/emscripten.h>

#include <cstdio>
#include <string>

#include "aerox/web_requests.h"

// The runtime's texts end the program on overflow; nothing here gets that far.
void EndProgram() { __builtin_trap(); }

namespace {

void Show(const char* what, double status, const RtString& body) {
    std::printf("%s: status %g, %u bytes, [%.16s]\n", what, status, body.Length(), body.Text());
}

}  // namespace

int main() {
    // The page's own origin: the browser lets the page read only that.
    const std::string origin = emscripten_run_script_string("location.origin");
    auto url = [&origin](const char* path) { return RtString((origin + path).c_str()); };
    const RtString hello = HttpGet(url("/hello"));
    Show("get /hello", HttpStatus(), hello);
    const char* paths[] = {"/missing", "/redirect/2", "/bytes", "/size/4194305", "/stream/4194305"};
    for (int slot = 0; slot < 5; ++slot) HttpRequest(slot, url(paths[slot]));
    // Started, not done: the page has not had the thread back yet, so no
    // answer can have arrived unless HttpRequest waited for it.
    int waiting = 0;
    for (int slot = 0; slot < 5; ++slot) waiting += HttpState(slot) == 0 ? 1 : 0;
    std::printf("requests started, %d waiting\n", waiting);
    for (int round = 0; round < 3000; ++round) {
        bool waiting = false;
        for (int slot = 0; slot < 5; ++slot) waiting = waiting || HttpState(slot) == 0;
        if (!waiting) break;
        emscripten_sleep(10);
    }
    for (int slot = 0; slot < 5; ++slot) {
        Show(paths[slot], HttpState(slot) == 1 ? HttpStatusOf(slot) : -1, HttpBody(slot));
    }
    const RtString refused = HttpGet("ftp://127.0.0.1/");
    Show("get ftp", HttpStatus(), refused);
    std::printf("web requests: done\n");
    return 0;
}
