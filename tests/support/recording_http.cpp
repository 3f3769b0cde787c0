#include "tests/support/recording_http.h"

#include <utility>

#include "platform/window/loop.h"
#include "tests/support/install_double.h"

namespace testsupport {

platform::HttpAnswer RecordingHttp::Scripted(const platform::HttpRequest& request) const {
    return answer ? answer(request) : NoServer();
}

platform::HttpAnswer RecordingHttp::Exchange(const platform::HttpRequest& request) {
    requests.push_back(request);
    return Scripted(request);
}

void RecordingHttp::Start(const platform::HttpRequest& request, std::function<void(platform::HttpAnswer)> done) {
    if (holdAnswers) {
        requests.push_back(request);
        held_.push_back({request, std::move(done)});
        return;
    }
    platform::PostTask([done = std::move(done), answered = Exchange(request)] { done(answered); });
}

void RecordingHttp::Release() {
    for (Waiting& w : std::exchange(held_, {}))
        platform::PostTask([done = std::move(w.done), answered = Scripted(w.request)] { done(answered); });
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
