// Windows' fetch: the system's WinHTTP, used synchronously on the worker
// thread. Redirects are followed here, not by WinHTTP, so that their count
// and the https:-to-http: rule hold the same everywhere (Wine's WinHTTP
// does not keep its redirect limit). The total time is kept by giving each
// blocking call only what is left of it, and by a watchdog thread that
// closes the request when time is up or the game stopped it: closing a
// handle is how a blocking WinHTTP call is cut short (Wine's WinHTTP
// ignores the timeout of a server that accepts and never answers).
#include <windows.h>
#include <winhttp.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "network/http_client.h"
#include "network/http_limits.h"
#include "runtime/utf16_windows.h"

namespace {

struct HandleCloser {
    void operator()(void* handle) const { WinHttpCloseHandle(handle); }
};
using Handle = std::unique_ptr<void, HandleCloser>;

std::string ErrorText(DWORD error) {
    switch (error) {
        case ERROR_WINHTTP_TIMEOUT: return "out of time (5 s to connect, 15 s in all)";
        case ERROR_WINHTTP_NAME_NOT_RESOLVED: return "the host name is not known";
        case ERROR_WINHTTP_CANNOT_CONNECT: return "the server could not be reached";
        case ERROR_WINHTTP_CONNECTION_ERROR: return "the connection broke";
        case ERROR_WINHTTP_SECURE_FAILURE:
        case ERROR_WINHTTP_SECURE_INVALID_CA:
        case ERROR_WINHTTP_SECURE_CERT_CN_INVALID:
        case ERROR_WINHTTP_SECURE_CERT_DATE_INVALID: return "the server's certificate is not trusted";
        case ERROR_WINHTTP_SECURE_CHANNEL_ERROR: return "the secure connection failed (its certificate or TLS)";
        default: break;
    }
    return "WinHTTP error " + std::to_string(error);
}

// A header's text, or empty when the answer has none (or an overlong one).
std::string HeaderText(HINTERNET request, DWORD header) {
    DWORD size = 0;
    WinHttpQueryHeaders(request, header, WINHTTP_HEADER_NAME_BY_INDEX, WINHTTP_NO_OUTPUT_BUFFER, &size,
                        WINHTTP_NO_HEADER_INDEX);
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || size == 0 || size > 2 * kHttpMaxUrl + 2) return {};
    std::wstring text(size / sizeof(wchar_t), L'\0');
    if (!WinHttpQueryHeaders(request, header, WINHTTP_HEADER_NAME_BY_INDEX, text.data(), &size,
                             WINHTTP_NO_HEADER_INDEX)) {
        return {};
    }
    text.resize(size / sizeof(wchar_t));
    return Utf8FromWide(text);
}

// A header's value as a number, or -1 when the answer has none.
long long NumberHeader(HINTERNET request, DWORD header) {
    const std::string text = HeaderText(request, header);
    return text.empty() ? -1 : std::strtoll(text.c_str(), nullptr, 10);
}

bool IsRedirect(long long status) {
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

class Clock {
public:
    // The milliseconds left of the request's total, at least 1.
    DWORD Left() const {
        const auto used =
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start_).count();
        return used >= kHttpTotalMs ? 1 : static_cast<DWORD>(kHttpTotalMs - used);
    }
    bool Over() const { return Left() <= 1; }

private:
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

void SetNumberOption(HINTERNET handle, DWORD option, DWORD value) {
    WinHttpSetOption(handle, option, &value, sizeof value);
}

// Owns the request being waited on; its watchdog thread closes it once the
// total time is up or the request is stopped.
class Watchdog {
public:
    explicit Watchdog(const std::function<bool()>& stopped)
        : stopped_(stopped), deadline_(std::chrono::steady_clock::now() + std::chrono::milliseconds(kHttpTotalMs)) {
        thread_ = std::thread([this] { Run(); });
    }
    ~Watchdog() {
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            done_ = true;
        }
        wake_.notify_all();
        thread_.join();
        CloseRequest();
    }
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

    // Takes the next request, closing the one before.
    void Adopt(HINTERNET request) {
        const std::lock_guard<std::mutex> lock(mutex_);
        if (request_ != nullptr) WinHttpCloseHandle(request_);
        request_ = request;
        if (fired_ && request_ != nullptr) {
            WinHttpCloseHandle(request_);
            request_ = nullptr;
        }
    }
    // The request, or null once the watchdog closed it.
    HINTERNET Request() {
        const std::lock_guard<std::mutex> lock(mutex_);
        return request_;
    }
    bool Fired() {
        const std::lock_guard<std::mutex> lock(mutex_);
        return fired_;
    }

private:
    void Run() {
        std::unique_lock<std::mutex> lock(mutex_);
        while (!done_) {
            if (wake_.wait_for(lock, std::chrono::milliseconds(100), [this] { return done_; })) return;
            if (std::chrono::steady_clock::now() >= deadline_ || stopped_()) {
                fired_ = true;
                if (request_ != nullptr) WinHttpCloseHandle(request_);
                request_ = nullptr;
                return;
            }
        }
    }
    void CloseRequest() {
        const std::lock_guard<std::mutex> lock(mutex_);
        if (request_ != nullptr) WinHttpCloseHandle(request_);
        request_ = nullptr;
    }

    const std::function<bool()>& stopped_;
    const std::chrono::steady_clock::time_point deadline_;
    std::mutex mutex_;
    std::condition_variable wake_;
    HINTERNET request_ = nullptr;
    bool done_ = false;
    bool fired_ = false;
    std::thread thread_;
};

HttpOutcome Failed(const std::string& why) {
    HttpOutcome outcome;
    outcome.failure = why;
    return outcome;
}

// Sends one GET and waits for its answer's headers; false with the failure.
bool Ask(HINTERNET session, const HttpUrl& url, const Clock& clock, Handle& connection, Watchdog& watchdog,
         std::string& failure) {
    connection.reset(WinHttpConnect(session, WideFromUtf8(url.host).c_str(), static_cast<INTERNET_PORT>(url.port), 0));
    if (connection == nullptr) {
        failure = ErrorText(GetLastError());
        return false;
    }
    watchdog.Adopt(WinHttpOpenRequest(connection.get(), L"GET", WideFromUtf8(url.target).c_str(), nullptr,
                                      WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES,
                                      url.secure ? WINHTTP_FLAG_SECURE : 0));
    HINTERNET request = watchdog.Request();
    if (request == nullptr) {
        failure = ErrorText(GetLastError());
        return false;
    }
    SetNumberOption(request, WINHTTP_OPTION_REDIRECT_POLICY, WINHTTP_OPTION_REDIRECT_POLICY_NEVER);
    SetNumberOption(request, WINHTTP_OPTION_SEND_TIMEOUT, clock.Left());
    if (!WinHttpSendRequest(request, WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA, 0, 0, 0)) {
        failure = ErrorText(GetLastError());
        return false;
    }
    SetNumberOption(request, WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, clock.Left());
    SetNumberOption(request, WINHTTP_OPTION_RECEIVE_TIMEOUT, clock.Left());
    if (!WinHttpReceiveResponse(request, nullptr)) {
        failure = ErrorText(GetLastError());
        return false;
    }
    return true;
}

// Why a blocking call failed: the watchdog's doing, or WinHTTP's reason.
std::string CallFailure(Watchdog& watchdog, const std::function<bool()>& stopped, const std::string& failure) {
    if (!watchdog.Fired()) return failure;
    return stopped() ? "the request was stopped" : "out of time (5 s to connect, 15 s in all)";
}

}  // namespace

HttpOutcome FetchUrl(const HttpUrl& url, const std::function<bool()>& stopped) {
    const Clock clock;
    const Handle session(
        WinHttpOpen(L"Aerox", WINHTTP_ACCESS_TYPE_DEFAULT_PROXY, WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0));
    if (session == nullptr) return Failed(ErrorText(GetLastError()));
    WinHttpSetTimeouts(session.get(), kHttpConnectMs, kHttpConnectMs, kHttpTotalMs, kHttpTotalMs);

    Handle connection;  // outlives the watchdog, which closes the request first
    Watchdog watchdog(stopped);
    HttpUrl current = url;
    long long status = -1;
    for (int redirects = 0;; ++redirects) {
        std::string failure;
        if (!Ask(session.get(), current, clock, connection, watchdog, failure)) {
            return Failed(CallFailure(watchdog, stopped, failure));
        }
        status = NumberHeader(watchdog.Request(), WINHTTP_QUERY_STATUS_CODE);
        if (status < 0) return Failed("the answer has no status code");
        const std::string location = IsRedirect(status) ? HeaderText(watchdog.Request(), WINHTTP_QUERY_LOCATION) : "";
        if (location.empty()) break;
        if (redirects == kHttpMaxRedirects) return Failed("more than 5 redirects");
        HttpUrl next;
        if (!ResolveRedirect(current, location, next, failure)) return Failed(failure);
        current = next;
    }
    if (NumberHeader(watchdog.Request(), WINHTTP_QUERY_CONTENT_LENGTH) > static_cast<long long>(kHttpMaxBody)) {
        return Failed("the body is over 4 MiB");
    }
    HttpOutcome outcome;
    std::string buffer(64 * 1024, '\0');
    for (;;) {
        HINTERNET request = watchdog.Request();
        if (request == nullptr) return Failed(CallFailure(watchdog, stopped, "the request was closed"));
        SetNumberOption(request, WINHTTP_OPTION_RECEIVE_TIMEOUT, clock.Left());
        DWORD read = 0;
        if (!WinHttpReadData(request, buffer.data(), static_cast<DWORD>(buffer.size()), &read)) {
            return Failed(CallFailure(watchdog, stopped, ErrorText(GetLastError())));
        }
        if (read == 0) break;
        if (read > kHttpMaxBody - outcome.body.size()) return Failed("the body is over 4 MiB");
        outcome.body.append(buffer.data(), read);
    }
    outcome.status = static_cast<int>(status);
    return outcome;
}
