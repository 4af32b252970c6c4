// The web request commands against real servers on loopback: a Python
// server (plain and HTTPS, with an authority the test makes) that answers,
// redirects, loops, stalls and sends bodies at and over the limit.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "aerox/web_requests.h"
#include "runtime/errors.h"
#include "testkit/e2e_process.h"
#include "testkit/testkit.h"

namespace {

std::string ServerScript() {
    return std::string(std::getenv("AEROX_SOURCE_DIR")) + "/tests/network/http_test_server.py";
}
constexpr int kFourMiB = 4 * 1024 * 1024;

size_t LogSize() { return testkit::ReadFile(LogFilePath()).size(); }

std::string LogSince(size_t start) {
    const std::string log = testkit::ReadFile(LogFilePath());
    return start < log.size() ? log.substr(start) : std::string();
}

int LinesIn(const std::string& text) {
    int lines = 0;
    for (char c : text) lines += c == '\n';
    return lines;
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The test server as a child process; its port read from its first line.
class Server {
public:
    explicit Server(const std::vector<std::string>& extra = {}) {
        std::vector<std::string> args{ServerScript()};
        args.insert(args.end(), extra.begin(), extra.end());
        child_ = std::make_unique<testkit::ChildProgram>("/usr/bin/python3", args);
        if (!child_->WaitForLine("ready", 10)) return;
        const std::string& out = child_->output();
        port_ = std::stoi(out.substr(out.find("port ") + 5));
    }
    int port() const { return port_; }
    std::string Url(const std::string& scheme, const std::string& path) const {
        return scheme + "://127.0.0.1:" + std::to_string(port_) + path;
    }

private:
    std::unique_ptr<testkit::ChildProgram> child_;
    int port_ = 0;
};

// A certificate authority and a server certificate for 127.0.0.1 it signed,
// plus an authority that signed nothing here.
struct Authorities {
    testkit::TempFolder folder;
    bool made = false;
    Authorities() {
        const std::string d = testkit::ShellQuoted(folder.path());
        const std::string script =
            "cd " + d +
            " && openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj /CN=aerox-test-ca -keyout ca.key -out ca.pem"
            " && openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj /CN=other-ca -keyout other.key -out other.pem"
            " && openssl req -newkey rsa:2048 -nodes -subj /CN=127.0.0.1 -keyout server.key -out server.csr"
            " && printf 'subjectAltName=IP:127.0.0.1\\n' > san.ext"
            " && openssl x509 -req -in server.csr -CA ca.pem -CAkey ca.key -CAcreateserial -days 2"
            " -extfile san.ext -out server.pem";
        made = testkit::RunShell(script, 60).code == 0;
    }
};

class WebRequests : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        plain_ = new Server();
        authorities_ = new Authorities();
        secure_ =
            new Server({"--tls", authorities_->folder.File("server.pem"), authorities_->folder.File("server.key")});
    }
    static void TearDownTestSuite() {
        delete secure_;
        delete plain_;
        delete authorities_;
    }
    void SetUp() override {
        ASSERT_NE(plain_->port(), 0) << "the test server did not start";
        ASSERT_TRUE(authorities_->made) << "openssl could not make the certificates";
        ASSERT_NE(secure_->port(), 0) << "the HTTPS test server did not start";
        caBundle_.Set(authorities_->folder.File("ca.pem"));
    }
    static std::string Plain(const std::string& path) { return plain_->Url("http", path); }
    static std::string Secure(const std::string& path) { return secure_->Url("https", path); }
    static std::string AuthorityFile(const char* name) { return authorities_->folder.File(name); }

    testkit::KeptEnvironmentVariable caBundle_{"CURL_CA_BUNDLE"};
    static Server* plain_;
    static Server* secure_;
    static Authorities* authorities_;
};
Server* WebRequests::plain_ = nullptr;
Server* WebRequests::secure_ = nullptr;
Authorities* WebRequests::authorities_ = nullptr;

// What one HttpGet gave: its status, its body's length (and the body when
// short), and the log lines it wrote.
struct Got {
    double status;
    std::string body;
    std::string log;
};

Got Get(const std::string& url) {
    const size_t start = LogSize();
    const RtString body = HttpGet(RtString(url.c_str()));
    return {HttpStatus(), std::string(body.Text(), body.Length()), LogSince(start)};
}

struct Case {
    const char* path;
    double status;       // -1: the request fails
    const char* body;    // null: check the length only
    int length;          // the body's length when body is null
    const char* reason;  // a part of the failure's log line
};

TEST_F(WebRequests, PlainAnswersRedirectsAndBodyLimits) {
    const Case cases[] = {
        {"/hello", 200, "hello", 0, nullptr},
        {"/missing", 404, "not here", 0, nullptr},
        {"/redirect/5", 200, "arrived", 0, nullptr},
        {"/redirect/6", -1, nullptr, 0, "more than 5 redirects"},
        {"/loop", -1, nullptr, 0, "more than 5 redirects"},
        {"/size/4194304", 200, nullptr, kFourMiB, nullptr},
        {"/size/4194305", -1, nullptr, 0, "over 4 MiB"},
        {"/stream/4194304", 200, nullptr, kFourMiB, nullptr},
        {"/stream/4194305", -1, nullptr, 0, "over 4 MiB"},
        {"/stream/40000000", -1, nullptr, 0, "over 4 MiB"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        const Got got = Get(Plain(c.path));
        EXPECT_EQ(got.status, c.status);
        if (c.status < 0) {
            EXPECT_EQ(got.body, "");
            EXPECT_EQ(LinesIn(got.log), 1) << got.log;
            EXPECT_NE(got.log.find(c.reason), std::string::npos) << got.log;
        } else {
            EXPECT_EQ(got.log, "");
            if (c.body != nullptr) {
                EXPECT_EQ(got.body, c.body);
            } else {
                EXPECT_EQ(got.body.size(), static_cast<size_t>(c.length));
            }
        }
    }
}

TEST_F(WebRequests, EveryByteOfTheBodyArrives) {
    const Got got = Get(Plain("/bytes"));
    ASSERT_EQ(got.status, 200);
    ASSERT_EQ(got.body.size(), 256u);
    for (int i = 0; i < 256; ++i) EXPECT_EQ(static_cast<unsigned char>(got.body[i]), i);
}

TEST_F(WebRequests, BadUrlsAndDeadServersFailWithOneLogLine) {
    const int closedPort = []() -> int {
        const int s = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof a;
        if (bind(s, reinterpret_cast<sockaddr*>(&a), size) != 0) return 0;
        getsockname(s, reinterpret_cast<sockaddr*>(&a), &size);
        close(s);  // nothing listens there now
        return ntohs(a.sin_port);
    }();
    const struct {
        std::string url;
        const char* reason;
    } cases[] = {
        {"", "only http: and https:"},
        {"ftp://127.0.0.1/", "only http: and https:"},
        {"file:///etc/passwd", "only http: and https:"},
        {"http://", "names no host"},
        {"http:///hello", "names no host"},
        {"http://127.0.0.1:0/", "port"},
        {"http://127.0.0.1:65536/", "port"},
        {"http://127.0.0.1:80x/", "port"},
        {"http://user@127.0.0.1/", "user name"},
        {"http://127.0.0.1/a b", "space or a control"},
        {"http://127.0.0.1/\r\nX: y", "space or a control"},
        {"http://[::1/", "bracket"},
        {"http://" + std::string(9000, 'a') + "/", "longer than 8192"},
        {"http://127.0.0.1:" + std::to_string(closedPort) + "/hello", "127.0.0.1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.url.substr(0, 60));
        const Got got = Get(c.url);
        EXPECT_EQ(got.status, -1);
        EXPECT_EQ(got.body, "");
        EXPECT_EQ(LinesIn(got.log), 1) << got.log;
        EXPECT_EQ(got.log.rfind("HttpGet: ", 0), 0u) << got.log;
        EXPECT_NE(got.log.find(c.reason), std::string::npos) << got.log;
    }
}

TEST_F(WebRequests, HttpsChecksTheCertificateAndNeverRedirectsDownToHttp) {
    EXPECT_EQ(Get(Secure("/hello")).body, "hello");
    EXPECT_EQ(HttpStatus(), 200);
    EXPECT_EQ(Get(Secure("/redirect/2")).body, "arrived") << "https: to https: is followed";
    const Got up = Get(Plain("/to?" + Secure("/hello")));
    EXPECT_EQ(up.body, "hello") << "http: up to https: is followed";

    const Got down = Get(Secure("/to?" + Plain("/hello")));
    EXPECT_EQ(down.status, -1);
    EXPECT_NE(down.log.find("never https: to http:"), std::string::npos) << down.log;

    const Got wrongName = Get("https://localhost:" + std::to_string(secure_->port()) + "/hello");
    EXPECT_EQ(wrongName.status, -1) << "the certificate names 127.0.0.1, not localhost";
    EXPECT_EQ(LinesIn(wrongName.log), 1) << wrongName.log;

    caBundle_.Set(AuthorityFile("other.pem"));
    const Got unknown = Get(Secure("/hello"));
    EXPECT_EQ(unknown.status, -1) << "an authority the check does not know";
    EXPECT_EQ(unknown.body, "");
    EXPECT_NE(unknown.log.find("certificate"), std::string::npos) << unknown.log;
}

// Polls a slot until it leaves the running state or the time runs out.
double WaitForSlot(int slot, double seconds) {
    const auto start = std::chrono::steady_clock::now();
    while (HttpState(slot) == 0 && SecondsSince(start) < seconds) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return HttpState(slot);
}

TEST_F(WebRequests, SlotsRunBesideTheGameAndAStalledServerRunsOutOfTime) {
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(HttpRequest(0, RtString(Plain("/stall").c_str())), 1);
    ASSERT_EQ(HttpRequest(1, RtString(Plain("/hello").c_str())), 1);
    ASSERT_EQ(HttpRequest(2, RtString(Secure("/missing").c_str())), 1);
    ASSERT_EQ(HttpRequest(3, RtString(Plain("/stall").c_str())), 1);
    ASSERT_EQ(HttpRequest(3, RtString(Plain("/redirect/1").c_str())), 1) << "a running request is replaced";
    EXPECT_LT(SecondsSince(start), 0.2) << "starting requests never waits for them";
    EXPECT_EQ(HttpState(0), 0);
    EXPECT_EQ(HttpStatusOf(0), 0);
    EXPECT_EQ(HttpBody(0).Length(), 0u);

    EXPECT_EQ(WaitForSlot(1, 5), 1);
    EXPECT_EQ(HttpStatusOf(1), 200);
    EXPECT_STREQ(HttpBody(1).Text(), "hello");
    EXPECT_EQ(WaitForSlot(2, 5), 1);
    EXPECT_EQ(HttpStatusOf(2), 404);
    EXPECT_STREQ(HttpBody(2).Text(), "not here");
    EXPECT_EQ(WaitForSlot(3, 5), 1);
    EXPECT_STREQ(HttpBody(3).Text(), "arrived");
    EXPECT_EQ(HttpState(0), 0) << "the stalled request still waits";

    const size_t logStart = LogSize();
    EXPECT_EQ(WaitForSlot(0, 20), -1);
    const double took = SecondsSince(start);
    EXPECT_GT(took, 14.0);
    EXPECT_LT(took, 17.0);
    EXPECT_EQ(HttpStatusOf(0), -1);
    EXPECT_EQ(HttpBody(0).Length(), 0u);
    const std::string log = LogSince(logStart);
    EXPECT_EQ(LinesIn(log), 1) << "the failure is logged once: " << log;
    EXPECT_NE(log.find("HttpRequest: slot 0: "), std::string::npos) << log;
    EXPECT_NE(log.find("out of time"), std::string::npos) << log;
}

TEST_F(WebRequests, ConnectingGivesUpAfterFiveSeconds) {
    // A listener whose queue is full and never accepted: the kernel drops
    // further connection attempts, as an unreachable host would.
    const int listener = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof a;
    ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&a), size), 0);
    ASSERT_EQ(listen(listener, 0), 0);
    getsockname(listener, reinterpret_cast<sockaddr*>(&a), &size);
    std::vector<int> fillers;
    for (int i = 0; i < 4; ++i) {
        const int s = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
        (void)connect(s, reinterpret_cast<sockaddr*>(&a), size);  // non-blocking: it stays pending
        fillers.push_back(s);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    const auto start = std::chrono::steady_clock::now();
    const Got got = Get("http://127.0.0.1:" + std::to_string(ntohs(a.sin_port)) + "/hello");
    const double took = SecondsSince(start);
    for (int s : fillers) close(s);
    close(listener);
    EXPECT_EQ(got.status, -1);
    EXPECT_GT(took, 4.5);
    EXPECT_LT(took, 7.0);
    EXPECT_NE(got.log.find("out of time"), std::string::npos) << got.log;
}

TEST(WebRequestSlots, BadSlotsGiveTheFailureValueAndOneLogLine) {
    const RtString url("http://127.0.0.1:1/");
    const struct {
        const char* name;
        double (*call)(const RtString&);
        double failure;
    } calls[] = {
        {"HttpRequest(16)", [](const RtString& u) { return HttpRequest(16, u); }, 0},
        {"HttpRequest(-1)", [](const RtString& u) { return HttpRequest(-1, u); }, 0},
        {"HttpState(16)", [](const RtString&) { return HttpState(16); }, -1},
        {"HttpState(NaN)", [](const RtString&) { return HttpState(std::nan("")); }, -1},
        {"HttpStatusOf(99)", [](const RtString&) { return HttpStatusOf(99); }, -1},
        {"HttpBody(-0.5)", [](const RtString&) { return static_cast<double>(HttpBody(-0.5).Length()); }, 0},
        {"HttpRequest(5, ftp)", [](const RtString&) { return HttpRequest(5, "ftp://127.0.0.1/"); }, 0},
    };
    for (const auto& c : calls) {
        SCOPED_TRACE(c.name);
        const size_t start = LogSize();
        EXPECT_EQ(c.call(url), c.failure);
        EXPECT_EQ(LinesIn(LogSince(start)), 1);
    }
    EXPECT_EQ(HttpState(5), -1) << "a refused URL leaves its slot failed";
    EXPECT_EQ(HttpState(15), -1) << "a slot never used";
    EXPECT_EQ(HttpStatusOf(15), -1);
}

}  // namespace
