// The web request commands: HttpGet waits, HttpRequest runs in slots 0..15
// beside the game. They need no window, so they work before the engine
// starts. Everything the log hears is written from the game thread.
#include <chrono>
#include <cstring>
#include <memory>
#include <string>

#include "aerox/program.h"
#include "aerox/web_requests.h"
#include "network/http_limits.h"
#include "network/http_transfer.h"
#include "network/http_url.h"

namespace {

constexpr int kHttpSlots = 16;
// The commands' own bound on a request: its limit and a margin for its
// worker to report it. A platform whose blocking call overstays (Wine's
// WinHTTP with a server that never answers) still fails the request here.
constexpr long kHttpGiveUpMs = kHttpTotalMs + 2000;
// How much of a URL the log repeats.
constexpr size_t kLoggedUrlBytes = 160;

struct Slot {
    std::unique_ptr<HttpTransfer> transfer;
    std::string url;
    int state = -1;   // 0 running, 1 done, -1 failed or empty
    int status = -1;  // the status code once done
    std::string body;
    std::chrono::steady_clock::time_point started;
};

Slot g_slots[kHttpSlots];
int g_lastStatus = 0;

// A URL as the log may show it: cut short, control bytes made visible.
std::string LoggedUrl(const std::string& url) {
    std::string shown = url.substr(0, kLoggedUrlBytes);
    for (char& c : shown) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) c = '?';
    }
    if (url.size() > kLoggedUrlBytes) shown += "...";
    return shown;
}

void Log(const std::string& line) { AppendLogLine(line.c_str()); }

// Every byte of the body, NUL bytes too.
RtString BytesText(const std::string& bytes) {
    RtString text;
    if (bytes.empty()) return text;
    const auto length = static_cast<uint32_t>(bytes.size());
    char* buffer = text.WritableBuffer(length);
    std::memset(buffer, 'x', length);
    buffer[length] = '\0';
    text.FixLength();
    std::memcpy(text.WritableBuffer(length), bytes.data(), length);
    return text;
}

// The slot number with its fraction cut off, or -1 (logged).
int SlotNumber(const char* command, double slot) {
    if (!(slot >= 0 && slot < kHttpSlots)) {
        Log(std::string(command) + ": slot " + RtString(slot).Text() + " is not 0..15");
        return -1;
    }
    return static_cast<int>(slot);
}

// Takes a finished request's outcome into its slot; a failure is logged
// here, once.
void Collect(int n) {
    Slot& slot = g_slots[n];
    if (slot.transfer == nullptr) return;
    HttpOutcome outcome;
    if (slot.transfer->Finished()) {
        outcome = slot.transfer->TakeOutcome();
    } else if (std::chrono::steady_clock::now() - slot.started >= std::chrono::milliseconds(kHttpGiveUpMs)) {
        outcome.failure = "no answer within 15 s";
    } else {
        return;
    }
    slot.transfer.reset();
    if (outcome.status >= 0) {
        slot.state = 1;
        slot.status = outcome.status;
        slot.body = std::move(outcome.body);
    } else {
        slot.state = -1;
        Log("HttpRequest: slot " + std::to_string(n) + ": " + LoggedUrl(slot.url) + ": " + outcome.failure);
    }
}

// The slot, its finished request taken in, or null for a bad number.
Slot* LookAt(const char* command, double slot) {
    const int n = SlotNumber(command, slot);
    if (n < 0) return nullptr;
    Collect(n);
    return &g_slots[n];
}

}  // namespace

RtString HttpGet(const RtString& url) {
    const std::string text(url.Text(), url.Length());
    g_lastStatus = -1;
    HttpUrl parsed;
    std::string reason;
    std::unique_ptr<HttpTransfer> transfer;
    if (ParseHttpUrl(text, parsed, reason)) transfer = StartHttpTransfer(parsed, reason);
    if (transfer == nullptr) {
        Log("HttpGet: " + LoggedUrl(text) + ": " + reason);
        return RtString();
    }
    if (!transfer->WaitFinished(kHttpGiveUpMs)) {
        Log("HttpGet: " + LoggedUrl(text) + ": no answer within 15 s");
        return RtString();
    }
    HttpOutcome outcome = transfer->TakeOutcome();
    if (outcome.status < 0) {
        Log("HttpGet: " + LoggedUrl(text) + ": " + outcome.failure);
        return RtString();
    }
    g_lastStatus = outcome.status;
    return BytesText(outcome.body);
}

double HttpStatus() { return g_lastStatus; }

double HttpRequest(double slot, const RtString& url) {
    const int n = SlotNumber("HttpRequest", slot);
    if (n < 0) return 0;
    Slot& target = g_slots[n];
    target = Slot{};  // drops (and so stops) a request still running there
    target.url.assign(url.Text(), url.Length());
    HttpUrl parsed;
    std::string reason;
    if (ParseHttpUrl(target.url, parsed, reason)) target.transfer = StartHttpTransfer(parsed, reason);
    if (target.transfer == nullptr) {
        Log("HttpRequest: slot " + std::to_string(n) + ": " + LoggedUrl(target.url) + ": " + reason);
        return 0;
    }
    target.state = 0;
    target.started = std::chrono::steady_clock::now();
    return 1;
}

double HttpState(double slot) {
    const Slot* s = LookAt("HttpState", slot);
    return s == nullptr ? -1 : s->state;
}

RtString HttpBody(double slot) {
    const Slot* s = LookAt("HttpBody", slot);
    return s != nullptr && s->state == 1 ? BytesText(s->body) : RtString();
}

double HttpStatusOf(double slot) {
    const Slot* s = LookAt("HttpStatusOf", slot);
    if (s == nullptr) return -1;
    if (s->state == 0) return 0;
    return s->state == 1 ? s->status : -1;
}
