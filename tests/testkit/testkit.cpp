#include "testkit/testkit.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "runtime/errors.h"
#include "runtime/temp_dir.h"

namespace testkit {

namespace {
[[noreturn]] void ThrowEnd(int) { throw ProgramEnded{g_errorState.errorCode}; }
}  // namespace

EndCatcher::EndCatcher() { SetProgramExitHandler(&ThrowEnd); }
EndCatcher::~EndCatcher() { SetProgramExitHandler(nullptr); }

void IgnoreFocusLoss() {
    SDL_InitSubSystem(SDL_INIT_VIDEO);
    SDL_SetEventFilter(
        [](void*, SDL_Event* event) {
            return event->type == SDL_WINDOWEVENT && event->window.event == SDL_WINDOWEVENT_FOCUS_LOST ? 0 : 1;
        },
        nullptr);
}

KeptEnvironmentVariable::KeptEnvironmentVariable(const char* name) : name_(name) {
    if (const char* old = std::getenv(name)) {
        had_ = true;
        old_ = old;
    }
}

KeptEnvironmentVariable::~KeptEnvironmentVariable() {
    if (had_)
        setenv(name_.c_str(), old_.c_str(), 1);
    else
        unsetenv(name_.c_str());
}

void KeptEnvironmentVariable::Set(const std::string& value) const { setenv(name_.c_str(), value.c_str(), 1); }

double ExpectProgramEnd(const std::function<void()>& body) {
    EndCatcher catcher;
    try {
        body();
    } catch (const ProgramEnded& end) {
        return end.errorCode;
    }
    ADD_FAILURE() << "the program did not end";
    return -1;
}

VirtualClock::VirtualClock(double startMs) : now_(startMs) { SetClock(this); }
VirtualClock::~VirtualClock() { SetClock(nullptr); }
void VirtualClock::Sleep(double ms) {
    if (ms > 0) now_ += ms;
}
void VirtualClock::WaitToward(double deadlineMs) {
    if (now_ <= deadlineMs) now_ = std::nextafter(deadlineMs, INFINITY);
}

TempFolder::TempFolder() {
    // A number of its own in each name: where the C library draws mkdtemp's
    // letters from a millisecond clock and addresses (the browser's), two
    // folders made in the same millisecond drew the same letters on every
    // try, and the second failed.
    static std::atomic<unsigned> made{0};
    std::string pattern = TempDirectory() + "aerox-test-" + std::to_string(made++) + "-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) ADD_FAILURE() << "cannot make a temporary folder";
    path_ = pattern;
}
TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<std::string> LogLinesSince(size_t& from) {
    const std::string log = ReadFile(LogFilePath());
    std::vector<std::string> lines;
    size_t start = std::min(from, log.size());
    while (start < log.size()) {
        size_t end = log.find('\n', start);
        if (end == std::string::npos) end = log.size();
        std::string line = log.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) lines.push_back(line);
        start = end + 1;
    }
    from = log.size();
    return lines;
}

std::string SystemPath(std::string path) {
#ifdef _WIN32
    if (!path.empty() && path[0] == '/') {
        for (char& c : path) c = c == '/' ? '\\' : c;
        path = "Z:" + path;
    }
#endif
    return path;
}

}  // namespace testkit
