// HTTP: the one way the program talks to a web server. The real service runs on libcurl; tests
// install the recording double (tests/support), which reaches no server: it records each request
// and answers as the test scripts it.
//
// Only http and https addresses are asked, redirects included. Every request has a bounded time
// (the request's timeoutMs for the whole exchange, connecting included), and an answer larger than
// kLargestHttpAnswer is refused rather than held in memory.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/services/registry.h"

namespace platform {

inline constexpr std::size_t kLargestHttpAnswer = 16 * 1024 * 1024;

struct HttpRequest {
    std::string method = "GET";  // "GET" or "POST"
    std::string url;
    std::vector<std::string> headers;  // "Name: value", without line ends
    std::string body;                  // sent with a POST
    int timeoutMs = 15000;
};

struct HttpAnswer {
    std::string error;  // "" when the server answered; otherwise why no answer came
    long status = 0;    // the HTTP status of the answer (after redirects)
    std::string body;
    bool Answered() const { return error.empty(); }
    // "" when the server answered with a success (below 400); otherwise why it did not.
    std::string Problem() const {
        if (!Answered()) return error;
        return status >= 400 ? "the server answered with status " + std::to_string(status) : "";
    }
};

class HttpService : public Service {
public:
    static std::unique_ptr<HttpService> MakeReal();  // libcurl
    // Asks and waits for the answer (or the time-out) on the calling thread.
    virtual HttpAnswer Exchange(const HttpRequest& request) = 0;
    // Asks in the background, one request after the other in the order started, and hands the
    // answer to done on the message loop's thread. A virtual clock stands still while it waits.
    virtual void Start(const HttpRequest& request, std::function<void(HttpAnswer)> done) = 0;
};

}  // namespace platform
