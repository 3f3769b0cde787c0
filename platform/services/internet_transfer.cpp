#include "platform/services/internet_transfer.h"

#include "platform/services/http.h"

namespace platform {

std::string InternetTransferControl::OpenURL(const std::string& url) {
    HttpRequest request;
    request.url = url;
    request.timeoutMs = RequestTimeout * 1000;
    HttpAnswer answer = UseService<HttpService>().Exchange(request);
    lastError_ = answer.Problem();
    return lastError_.empty() ? std::move(answer.body) : std::string();
}

}  // namespace platform
