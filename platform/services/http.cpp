#include "platform/services/http.h"

#include <curl/curl.h>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

#include "platform/window/loop.h"

namespace platform {
namespace {

struct Transfer {
    std::string body;
    bool tooLarge = false;
    const std::atomic<bool>* cancelled = nullptr;
};

std::size_t Collect(char* data, std::size_t size, std::size_t count, void* user) {
    auto& transfer = *static_cast<Transfer*>(user);
    const std::size_t bytes = size * count;
    if (transfer.body.size() + bytes > kLargestHttpAnswer) {
        transfer.tooLarge = true;
        return 0;  // ends the transfer
    }
    transfer.body.append(data, bytes);
    return bytes;
}

int Progress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    auto& transfer = *static_cast<Transfer*>(user);
    return transfer.cancelled && transfer.cancelled->load() ? 1 : 0;
}

HttpAnswer Perform(const HttpRequest& request, const std::atomic<bool>* cancelled) {
    HttpAnswer answer;
    CURL* curl = curl_easy_init();
    if (!curl) {
        answer.error = "the HTTP library could not start a transfer";
        return answer;
    }
    Transfer transfer;
    transfer.cancelled = cancelled;
    curl_slist* headers = nullptr;
    for (const std::string& h : request.headers) headers = curl_slist_append(headers, h.c_str());
    char why[CURL_ERROR_SIZE] = {};
    curl_easy_setopt(curl, CURLOPT_URL, request.url.c_str());
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 5L);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);  // time-outs without signals: other threads run
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, static_cast<long>(request.timeoutMs));
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(request.timeoutMs));
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, Collect);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, Progress);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, why);
    if (request.method == "POST") {
        curl_easy_setopt(curl, CURLOPT_POST, 1L);
        curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(request.body.size()));
        curl_easy_setopt(curl, CURLOPT_POSTFIELDS, request.body.data());
    }
    const CURLcode result = curl_easy_perform(curl);
    if (result == CURLE_OK) {
        curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &answer.status);
        answer.body = std::move(transfer.body);
    } else if (transfer.tooLarge) {
        answer.error = "the answer is larger than " + std::to_string(kLargestHttpAnswer) + " bytes";
    } else {
        answer.error = why[0] ? why : curl_easy_strerror(result);
    }
    curl_slist_free_all(headers);
    curl_easy_cleanup(curl);
    return answer;
}

// The background requests: one worker thread that takes them in order. Ending the service
// cancels the request under way and drops those not started.
class CurlHttp final : public HttpService {
public:
    CurlHttp() { curl_global_init(CURL_GLOBAL_DEFAULT); }
    ~CurlHttp() override {
        {
            std::lock_guard lock(mutex_);
            ending_ = true;
            cancelled_ = true;
        }
        wake_.notify_all();
        if (worker_.joinable()) worker_.join();
    }

    HttpAnswer Exchange(const HttpRequest& request) override { return Perform(request, nullptr); }

    void Start(const HttpRequest& request, std::function<void(HttpAnswer)> done) override {
        const int await = BeginAwait(request.timeoutMs + 1000);
        {
            std::lock_guard lock(mutex_);
            jobs_.push_back({request, std::move(done), await});
            if (!worker_.joinable()) worker_ = std::thread([this] { Work(); });
        }
        wake_.notify_all();
    }

private:
    struct Job {
        HttpRequest request;
        std::function<void(HttpAnswer)> done;
        int await;
    };

    void Work() {
        for (;;) {
            Job job;
            {
                std::unique_lock lock(mutex_);
                wake_.wait(lock, [this] { return ending_ || !jobs_.empty(); });
                if (ending_) return;
                job = std::move(jobs_.front());
                jobs_.pop_front();
            }
            HttpAnswer answer = Perform(job.request, &cancelled_);
            if (cancelled_) return;
            PostTask([job = std::move(job), answer = std::move(answer)]() mutable {
                EndAwait(job.await);
                job.done(std::move(answer));
            });
        }
    }

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Job> jobs_;
    bool ending_ = false;
    std::atomic<bool> cancelled_ = false;
    std::thread worker_;
};

}  // namespace

std::unique_ptr<HttpService> HttpService::MakeReal() { return std::make_unique<CurlHttp>(); }

}  // namespace platform
