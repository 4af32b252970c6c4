// The URL check and the redirect rules the Windows client follows itself
// (libcurl keeps the same rules on Linux; the server tests cover those).
#include <gtest/gtest.h>

#include <string>

#include "network/http_url.h"

namespace {

TEST(HttpUrl, AcceptedUrlsAreSplitIntoHostPortAndTarget) {
    const struct {
        const char* text;
        bool secure;
        const char* host;
        int port;
        const char* target;
    } cases[] = {
        {"http://127.0.0.1/", false, "127.0.0.1", 80, "/"},
        {"HTTPS://Example.test", true, "Example.test", 443, "/"},
        {"http://a.test:8080/x/y?q=1#frag", false, "a.test", 8080, "/x/y?q=1"},
        {"http://a.test?q", false, "a.test", 80, "/?q"},
        {"https://[::1]:9/p", true, "::1", 9, "/p"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        HttpUrl url;
        std::string reason;
        ASSERT_TRUE(ParseHttpUrl(c.text, url, reason)) << reason;
        EXPECT_EQ(url.secure, c.secure);
        EXPECT_EQ(url.host, c.host);
        EXPECT_EQ(url.port, c.port);
        EXPECT_EQ(url.target, c.target);
        EXPECT_EQ(url.text.find('#'), std::string::npos);
    }
}

TEST(HttpUrl, RedirectsResolveAgainstTheAnsweringUrlAndNeverGoDownToHttp) {
    const struct {
        const char* from;
        const char* location;
        const char* to;  // null: refused
    } cases[] = {
        {"http://a.test/x/y?q", "/root", "http://a.test:80/root"},
        {"http://a.test/x/y?q", "z?w", "http://a.test:80/x/z?w"},
        {"https://[::1]:8443/x", "next", "https://[::1]:8443/next"},
        {"http://a.test/", "//b.test/p", "http://b.test/p"},
        {"http://a.test/", "https://b.test/p", "https://b.test/p"},
        {"https://a.test/", "https://b.test/p", "https://b.test/p"},
        {"https://a.test/", "http://b.test/p", nullptr},
        {"https://a.test/", "HTTP://b.test/p", nullptr},
        {"http://a.test/", "ftp://b.test/p", nullptr},
        {"http://a.test/", "javascript:alert(1)", nullptr},
        {"http://a.test/", "/a b", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.from) + " -> " + c.location);
        HttpUrl from;
        std::string reason;
        ASSERT_TRUE(ParseHttpUrl(c.from, from, reason));
        HttpUrl to;
        const bool followed = ResolveRedirect(from, c.location, to, reason);
        EXPECT_EQ(followed, c.to != nullptr) << reason;
        if (c.to == nullptr) {
            EXPECT_FALSE(reason.empty());
        } else if (followed) {
            EXPECT_EQ(to.text, c.to);
        }
    }
}

}  // namespace
