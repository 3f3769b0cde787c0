// The Internet transfer control of a form: OpenURL fetches an address with an HTTP GET and waits
// for the answer on the calling thread, for at most RequestTimeout seconds.
#pragma once

#include <string>

namespace platform {

class InternetTransferControl {
public:
    int RequestTimeout = 15;  // seconds for the whole exchange

    // The body of the server's answer. "" when no answer came (no server, the time-out, an address
    // that is not http or https) or the server answered with an error status (4xx, 5xx): LastError
    // then says why. A successful answer may of course be empty too.
    std::string OpenURL(const std::string& url);
    const std::string& LastError() const { return lastError_; }

private:
    std::string lastError_;
};

}  // namespace platform
