// Helpers shared by the tests: catching the program's end, a virtual clock,
// scripted keys and temporary folders.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

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

}  // namespace testkit
