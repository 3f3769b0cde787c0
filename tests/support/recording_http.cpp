#include "tests/support/recording_http.h"

#include "platform/window/loop.h"
#include "tests/support/install_double.h"

namespace testsupport {

platform::HttpAnswer RecordingHttp::Exchange(const platform::HttpRequest& request) {
    requests.push_back(request);
    return answer ? answer(request) : NoServer();
}

void RecordingHttp::Start(const platform::HttpRequest& request, std::function<void(platform::HttpAnswer)> done) {
    platform::PostTask([done = std::move(done), answered = Exchange(request)] { done(answered); });
}

platform::HttpAnswer RecordingHttp::Body(std::string body) {
    platform::HttpAnswer a;
    a.status = 200;
    a.body = std::move(body);
    return a;
}

platform::HttpAnswer RecordingHttp::NoServer() {
    platform::HttpAnswer a;
    a.error = "Could not connect to server";
    return a;
}

RecordingHttp& UseRecordingHttp() { return InstallDouble<platform::HttpService, RecordingHttp>(); }

}  // namespace testsupport
