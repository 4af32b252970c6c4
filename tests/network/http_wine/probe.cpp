// The web requests on Windows (WinHTTP), run under Wine by run.sh against
// the test server on loopback: prints what each command gave. Not part of
// the engine or the game.
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include "aerox/web_requests.h"

// The runtime's texts end the program on overflow; nothing here gets that far.
void EndProgram() { __builtin_trap(); }

namespace {

void Show(const std::string& what, double status, const RtString& body) {
    std::printf("%s: status %g, %u bytes, [%.16s]\n", what.c_str(), status, body.Length(), body.Text());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    const std::string base = argv[1];
    const char* gets[] = {"/hello",        "/missing",      "/redirect/5",     "/redirect/6", "/loop",
                          "/size/4194304", "/size/4194305", "/stream/4194305", "/bytes",      "/to?ftp://x/"};
    for (const char* path : gets) {
        const RtString body = HttpGet((base + path).c_str());
        Show(std::string("get ") + path, HttpStatus(), body);
    }
    const auto start = std::chrono::steady_clock::now();
    auto seconds = [&start] { return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(); };
    const char* slots[] = {"/stall", "/hello", "/redirect/1"};
    for (int slot = 0; slot < 3; ++slot) HttpRequest(slot, (base + slots[slot]).c_str());
    std::printf("requests started in %.0f ms\n", seconds() * 1000);
    while ((HttpState(0) == 0 || HttpState(1) == 0 || HttpState(2) == 0) && seconds() < 25) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    for (int slot = 0; slot < 3; ++slot) {
        Show(std::string("slot ") + slots[slot], HttpState(slot) == 1 ? HttpStatusOf(slot) : -1, HttpBody(slot));
    }
    std::printf("settled after %.0f s\n", seconds());
    return 0;
}
