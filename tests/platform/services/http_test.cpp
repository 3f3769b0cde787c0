// The real HTTP service (libcurl) and the Internet transfer control against a small server of the
// test's own on 127.0.0.1: answers, error statuses, the time-out, the size limit, the addresses it
// refuses, and background posts answered on the loop in the order they were started.
#include "platform/services/http.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <mutex>
#include <optional>
#include <thread>

#include "platform/services/internet_transfer.h"
#include "platform/window/loop.h"
#include "tests/support/mapped_libraries.h"
#include "tests/support/test_services.h"

using namespace platform;

namespace {

// Answers each connection with what answerFor gives for the request's text (empty: never answers
// and holds the connection until the server ends).
class LoopbackServer {
public:
    explicit LoopbackServer(std::function<std::string(const std::string&)> answerFor) : answerFor_(std::move(answerFor)) {
        listen_ = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(listen_, reinterpret_cast<sockaddr*>(&a), sizeof a);
        socklen_t n = sizeof a;
        getsockname(listen_, reinterpret_cast<sockaddr*>(&a), &n);
        port_ = ntohs(a.sin_port);
        listen(listen_, 8);
        thread_ = std::thread([this] { Serve(); });
    }
    ~LoopbackServer() {
        shutdown(listen_, SHUT_RDWR);
        close(listen_);
        thread_.join();
        for (int fd : held_) close(fd);
    }
    std::string Url(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(port_) + path; }
    std::vector<std::string> Requests() {
        std::lock_guard lock(mutex_);
        return requests_;
    }

private:
    void Serve() {
        for (;;) {
            int fd = accept(listen_, nullptr, nullptr);
            if (fd < 0) return;
            std::string request;
            char buffer[4096];
            std::size_t headerEnd = std::string::npos, length = 0;
            while (headerEnd == std::string::npos || request.size() < headerEnd + 4 + length) {
                ssize_t got = recv(fd, buffer, sizeof buffer, 0);
                if (got <= 0) break;
                request.append(buffer, static_cast<std::size_t>(got));
                headerEnd = request.find("\r\n\r\n");
                auto at = request.find("Content-Length: ");
                if (at != std::string::npos && at < headerEnd) length = std::stoul(request.substr(at + 16));
            }
            {
                std::lock_guard lock(mutex_);
                requests_.push_back(request);
            }
            std::string answer = answerFor_(request);
            if (answer.empty()) {
                held_.push_back(fd);
                continue;
            }
            for (std::size_t sent = 0; sent < answer.size();) {
                ssize_t n = send(fd, answer.data() + sent, answer.size() - sent, MSG_NOSIGNAL);
                if (n <= 0) break;
                sent += static_cast<std::size_t>(n);
            }
            close(fd);
        }
    }
    std::function<std::string(const std::string&)> answerFor_;
    int listen_ = -1;
    std::uint16_t port_ = 0;
    std::thread thread_;
    std::mutex mutex_;
    std::vector<std::string> requests_;
    std::vector<int> held_;
};

std::string Answer(const std::string& status, const std::string& body) {
    return "HTTP/1.1 " + status + "\r\nContent-Length: " + std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
}

TEST(Http, TheTransferControlGetsTheBodyOrTellsWhyNot) {
    testsupport::ServiceScope services;
    LoopbackServer server([](const std::string& request) {
        if (request.starts_with("GET /Retrieve.php?user=a%26b&pass=x ")) return Answer("200 OK", "2026-03-01 12:00:00\r\nbody");
        return Answer("404 Not Found", "no such page");
    });
    InternetTransferControl inet;
    // The answer comes on the loop, after the request has returned.
    auto fetch = [&inet](const std::string& url) {
        std::optional<std::string> body;
        inet.Execute(url, [&body](std::string b) { body = std::move(b); });
        EXPECT_FALSE(body);
        for (int i = 0; i < 500 && !body; ++i) RunFor(10);
        return body.value_or("(no answer)");
    };
    EXPECT_EQ(fetch(server.Url("/Retrieve.php?user=a%26b&pass=x")), "2026-03-01 12:00:00\r\nbody");
    EXPECT_EQ(inet.LastError(), "");
    EXPECT_EQ(fetch(server.Url("/other")), "");
    EXPECT_EQ(inet.LastError(), "the server answered with status 404");
    EXPECT_EQ(fetch("file:///etc/hostname"), "") << "only http and https";
    EXPECT_NE(inet.LastError(), "");
}

// Every test runs in a process of its own, so this one starts with no request made yet.
TEST(Http, TheLibraryIsMappedByTheFirstRequestAndNotBefore) {
    testsupport::ServiceScope services;
    LoopbackServer server([](const std::string&) { return Answer("200 OK", "here"); });
    EXPECT_FALSE(testsupport::LibraryMapped("libcurl")) << "a process that asked nothing maps the HTTP library";
    HttpRequest request;
    request.url = server.Url("/first");
    EXPECT_EQ(UseService<HttpService>().Exchange(request).body, "here");
    EXPECT_TRUE(testsupport::LibraryMapped("libcurl"));
}

TEST(Http, ASilentServerEndsInTheTimeOutAndAHugeAnswerIsRefused) {
    testsupport::ServiceScope services;
    LoopbackServer server([](const std::string& request) {
        if (request.starts_with("GET /huge ")) return Answer("200 OK", std::string(kLargestHttpAnswer + 1, 'x'));
        return std::string();  // never answers
    });
    HttpRequest request;
    request.url = server.Url("/silent");
    request.timeoutMs = 300;
    const auto start = std::chrono::steady_clock::now();
    HttpAnswer answer = UseService<HttpService>().Exchange(request);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_FALSE(answer.Answered());
    EXPECT_NE(answer.Problem(), "");

    request.url = server.Url("/huge");
    request.timeoutMs = 20000;
    answer = UseService<HttpService>().Exchange(request);
    EXPECT_NE(answer.error.find("larger than"), std::string::npos) << answer.error;
    EXPECT_TRUE(answer.body.empty());
}

TEST(Http, BackgroundPostsAreAnsweredOnTheLoopInTheirOrder) {
    testsupport::ServiceScope services;
    LoopbackServer server([](const std::string&) { return Answer("200 OK", "ok"); });
    std::vector<std::string> done;
    for (std::string body : {"first=1", "second=2"}) {
        HttpRequest post;
        post.method = "POST";
        post.url = server.Url("/Submit.php");
        post.headers = {"Content-Type: application/x-www-form-urlencoded"};
        post.body = body;
        UseService<HttpService>().Start(post, [&done, body](HttpAnswer a) { done.push_back(body + " " + a.body); });
    }
    EXPECT_TRUE(done.empty()) << "nothing is answered before the loop runs";
    for (int i = 0; i < 500 && done.size() < 2; ++i) {
        PumpPendingWork();
        RunFor(10);
    }
    EXPECT_EQ(done, (std::vector<std::string>{"first=1 ok", "second=2 ok"}));
    auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_TRUE(requests[0].starts_with("POST /Submit.php HTTP/1.1\r\n")) << requests[0];
    EXPECT_NE(requests[0].find("Content-Type: application/x-www-form-urlencoded\r\n"), std::string::npos);
    EXPECT_TRUE(requests[0].ends_with("\r\n\r\nfirst=1"));
    EXPECT_TRUE(requests[1].ends_with("\r\n\r\nsecond=2"));
}

}  // namespace
