// The recording HTTP service: reaches no server. Every request is kept in order; the answer is the
// one the test scripts (by default: no server answered). A background request is answered through
// the message loop, as a real answer comes, or held until the test releases it.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/services/http.h"

namespace testsupport {

class RecordingHttp final : public platform::HttpService {
public:
    platform::HttpAnswer Exchange(const platform::HttpRequest& request) override;
    void Start(const platform::HttpRequest& request, std::function<void(platform::HttpAnswer)> done) override;

    std::function<platform::HttpAnswer(const platform::HttpRequest&)> answer;
    std::vector<platform::HttpRequest> requests;

    // While set, background requests get no answer until Release: a server still thinking.
    bool holdAnswers = false;
    std::size_t Held() const { return held_.size(); }
    void Release();

    // Helpers for scripting: a 200 answer with this body, and no answer at all.
    static platform::HttpAnswer Body(std::string body);
    static platform::HttpAnswer NoServer();

private:
    platform::HttpAnswer Scripted(const platform::HttpRequest& request) const;
    struct Waiting {
        platform::HttpRequest request;
        std::function<void(platform::HttpAnswer)> done;
    };
    std::vector<Waiting> held_;
};

RecordingHttp& UseRecordingHttp();

}  // namespace testsupport
