// Helpers shared by the tests: catching the program's end, a virtual clock,
// scripted keys and temporary folders.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "frame/clock.h"

namespace testkit {

// Thrown in place of the process exit once EndProgram has released
// everything. Holds the error code of that end.
struct ProgramEnded {
    double errorCode;
};

// While alive, EndProgram throws ProgramEnded instead of exiting.
class EndCatcher {
public:
    EndCatcher();
    ~EndCatcher();
};

// Runs body and returns the error code of the EndProgram it reached; fails
// the test when body returns normally.
double ExpectProgramEnd(const std::function<void()>& body);

// Drops every window's focus-loss events from here on. A test that runs the
// whole game on the shared X server must not pause when another test's
// window takes the focus: start-up switches pausing on before its first
// frame, and on a clock that never waits the pause would never end.
void IgnoreFocusLoss();

// Remembers an environment variable's value (or its absence) and gives it
// back when it goes out of scope, so that the tests after this one in the
// same program see what they would alone.
class KeptEnvironmentVariable {
public:
    explicit KeptEnvironmentVariable(const char* name);
    ~KeptEnvironmentVariable();
    void Set(const std::string& value) const;

private:
    std::string name_;
    std::string old_;
    bool had_ = false;
};

// A clock that never waits: sleeping advances it, and waiting for a frame
// deadline jumps to just past the deadline. Installed for its lifetime.
class VirtualClock final : public Clock {
public:
    explicit VirtualClock(double startMs = 1000.0);
    ~VirtualClock() override;
    double Now() override { return now_; }
    void Sleep(double ms) override;
    void WaitToward(double deadlineMs) override;
    void Advance(double ms) { now_ += ms; }
    void Set(double ms) { now_ = ms; }

private:
    double now_;
};

// A fresh folder under the temporary directory, removed with its contents
// when the object goes.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    const std::string& path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);

// The engine log's lines from byte from on, without their line ends (empty
// ones left out); from then points at the log's end.
std::vector<std::string> LogLinesSince(size_t& from);

// A path a child program understands: under Wine, a path of this machine
// is reached through drive Z:.
std::string SystemPath(std::string path);

}  // namespace testkit
