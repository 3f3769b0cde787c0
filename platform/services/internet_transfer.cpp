#include "platform/services/internet_transfer.h"

#include "platform/services/http.h"

namespace platform {

InternetTransferControl::~InternetTransferControl() { *alive_ = false; }

void InternetTransferControl::Execute(const std::string& url, std::function<void(std::string body)> done) {
    HttpRequest request;
    request.url = url;
    request.timeoutMs = RequestTimeout * 1000;
    UseService<HttpService>().Start(request, [this, alive = alive_, done = std::move(done)](HttpAnswer answer) {
        if (!*alive) return;
        lastError_ = answer.Problem();
        done(lastError_.empty() ? std::move(answer.body) : std::string());
    });
}

}  // namespace platform
