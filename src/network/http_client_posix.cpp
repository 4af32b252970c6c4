// Linux's fetch: libcurl's easy interface on the worker thread. The body
// limit is kept in the write callback, because curl's own size limit only
// sees a length the server announced.
#include <curl/curl.h>

#include <cstdlib>
#include <mutex>
#include <string>

#include "network/http_client.h"
#include "network/http_limits.h"

namespace {

struct Transfer {
    std::string body;
    bool tooBig = false;
    const std::function<bool()>* stopped = nullptr;
    bool wasStopped = false;
};

size_t WriteBody(char* data, size_t size, size_t count, void* user) {
    auto* transfer = static_cast<Transfer*>(user);
    const size_t bytes = size * count;
    if (bytes > kHttpMaxBody - transfer->body.size()) {
        transfer->tooBig = true;
        return 0;  // anything but bytes ends the transfer with a write error
    }
    transfer->body.append(data, bytes);
    return bytes;
}

int Progress(void* user, curl_off_t /*dlTotal*/, curl_off_t /*dlNow*/, curl_off_t /*ulTotal*/, curl_off_t /*ulNow*/) {
    auto* transfer = static_cast<Transfer*>(user);
    if ((*transfer->stopped)()) transfer->wasStopped = true;
    return transfer->wasStopped ? 1 : 0;
}

// The authorities file curl's own tool would take from the environment.
const char* AuthoritiesFile() {
    for (const char* name : {"CURL_CA_BUNDLE", "SSL_CERT_FILE"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && value[0] != '\0') return value;
    }
    return nullptr;
}

std::string FailureText(CURLcode code, const Transfer& transfer, const char* detail) {
    if (transfer.tooBig || code == CURLE_FILESIZE_EXCEEDED) return "the body is over 4 MiB";
    if (transfer.wasStopped) return "the request was stopped";
    switch (code) {
        case CURLE_TOO_MANY_REDIRECTS: return "more than 5 redirects";
        case CURLE_UNSUPPORTED_PROTOCOL:
            return "a redirect to a scheme not followed (only http: and https:, never https: to http:)";
        case CURLE_OPERATION_TIMEDOUT: return std::string("out of time (5 s to connect, 15 s in all): ") + detail;
        case CURLE_PEER_FAILED_VERIFICATION: return std::string("the server's certificate is not trusted: ") + detail;
        default: break;
    }
    return detail[0] != '\0' ? std::string(detail) : std::string(curl_easy_strerror(code));
}

}  // namespace

HttpOutcome FetchUrl(const HttpUrl& url, const std::function<bool()>& stopped) {
    static std::once_flag started;
    std::call_once(started, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
    HttpOutcome outcome;
    CURL* curl = curl_easy_init();
    if (curl == nullptr) {
        outcome.failure = "libcurl could not make a request";
        return outcome;
    }
    Transfer transfer;
    transfer.stopped = &stopped;
    char detail[CURL_ERROR_SIZE] = "";
    curl_easy_setopt(curl, CURLOPT_URL, url.text.c_str());
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, url.secure ? "https" : "http,https");
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, kHttpMaxRedirects);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, kHttpConnectMs);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, kHttpTotalMs);
    curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(kHttpMaxBody));
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);  // signals belong to the game, and this is a thread
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 2L);
    if (const char* authorities = AuthoritiesFile()) curl_easy_setopt(curl, CURLOPT_CAINFO, authorities);
    curl_easy_setopt(curl, CURLOPT_USERAGENT, "Aerox");
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, WriteBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, Progress);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, detail);
    const CURLcode code = curl_easy_perform(curl);
    if (code == CURLE_OK) {
        long status = 0;
        curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
        outcome.status = static_cast<int>(status);
        outcome.body = std::move(transfer.body);
    } else {
        outcome.failure = FailureText(code, transfer, detail);
    }
    curl_easy_cleanup(curl);
    return outcome;
}
