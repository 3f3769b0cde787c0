// The Internet transfer control of a form: Execute fetches an address with an HTTP GET in the
// background, for at most RequestTimeout seconds, and hands the answer to the form on the message
// loop's thread; the form's own work goes on meanwhile.
#pragma once

#include <functional>
#include <memory>
#include <string>

namespace platform {

class InternetTransferControl {
public:
    InternetTransferControl() = default;
    InternetTransferControl(const InternetTransferControl&) = delete;
    InternetTransferControl& operator=(const InternetTransferControl&) = delete;
    ~InternetTransferControl();

    int RequestTimeout = 15;  // seconds for the whole exchange

    // Asks for url; done gets the body of the server's answer later, never after the control has
    // gone. The body is "" when no answer came (no server, the time-out, an address that is not
    // http or https) or the server answered with an error status (4xx, 5xx): LastError then says
    // why. A successful answer may of course be empty too.
    void Execute(const std::string& url, std::function<void(std::string body)> done);
    const std::string& LastError() const { return lastError_; }

private:
    std::string lastError_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace platform
