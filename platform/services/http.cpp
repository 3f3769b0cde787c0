#include "platform/services/http.h"

#include <curl/curl.h>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

#include "platform/services/detail/lazy_library.h"
#include "platform/window/loop.h"

namespace platform {
namespace {

// libcurl's entry points. The library, with the TLS, name and authentication libraries it pulls
// in, is opened by the first request: a clock that never asks the web maps none of it.
struct CurlCalls {
    decltype(&curl_easy_init) init = nullptr;
    decltype(&curl_easy_setopt) setopt = nullptr;
    decltype(&curl_easy_strerror) strerror = nullptr;
    decltype(&curl_easy_getinfo) getinfo = nullptr;
    decltype(&curl_easy_cleanup) cleanup = nullptr;
    decltype(&curl_slist_append) slistAppend = nullptr;
    decltype(&curl_slist_free_all) slistFreeAll = nullptr;
    decltype(&curl_multi_init) multiInit = nullptr;
    decltype(&curl_multi_add_handle) multiAdd = nullptr;
    decltype(&curl_multi_perform) multiPerform = nullptr;
    decltype(&curl_multi_poll) multiPoll = nullptr;
    decltype(&curl_multi_wakeup) multiWakeup = nullptr;
    decltype(&curl_multi_info_read) multiInfoRead = nullptr;
    decltype(&curl_multi_remove_handle) multiRemove = nullptr;
    decltype(&curl_multi_cleanup) multiCleanup = nullptr;
};

const CurlCalls* Curl(std::string* error) {
    return detail::OpenCalls<CurlCalls>(
        "libcurl.so.4",
        [](detail::LazyLibrary& l, CurlCalls& c) {
            decltype(&curl_global_init) globalInit = nullptr;
            const bool bound =
                l.Bind(c.init, "curl_easy_init") && l.Bind(c.setopt, "curl_easy_setopt") &&
                l.Bind(c.strerror, "curl_easy_strerror") && l.Bind(c.getinfo, "curl_easy_getinfo") &&
                l.Bind(c.cleanup, "curl_easy_cleanup") && l.Bind(c.slistAppend, "curl_slist_append") &&
                l.Bind(c.slistFreeAll, "curl_slist_free_all") && l.Bind(c.multiInit, "curl_multi_init") &&
                l.Bind(c.multiAdd, "curl_multi_add_handle") && l.Bind(c.multiPerform, "curl_multi_perform") &&
                l.Bind(c.multiPoll, "curl_multi_poll") && l.Bind(c.multiWakeup, "curl_multi_wakeup") &&
                l.Bind(c.multiInfoRead, "curl_multi_info_read") && l.Bind(c.multiRemove, "curl_multi_remove_handle") &&
                l.Bind(c.multiCleanup, "curl_multi_cleanup") && l.Bind(globalInit, "curl_global_init");
            return bound && globalInit(CURL_GLOBAL_DEFAULT) == CURLE_OK;
        },
        error);
}

// Ends a transfer under way from another thread: its wait wakes at once, whatever the server does.
class Cancellation {
public:
    // The transfer's wait, while it runs; false when the cancellation came first.
    bool Attach(const CurlCalls& calls, CURLM* multi) {
        std::lock_guard lock(mutex_);
        calls_ = &calls;
        multi_ = multi;
        return !cancelled_;
    }
    void Detach() {
        std::lock_guard lock(mutex_);
        multi_ = nullptr;
    }
    void Cancel() {
        std::lock_guard lock(mutex_);
        cancelled_ = true;
        if (multi_) calls_->multiWakeup(multi_);
    }
    bool Cancelled() {
        std::lock_guard lock(mutex_);
        return cancelled_;
    }

private:
    std::mutex mutex_;
    const CurlCalls* calls_ = nullptr;
    CURLM* multi_ = nullptr;
    bool cancelled_ = false;
};

struct Transfer {
    std::string body;
    bool tooLarge = false;
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

// Runs the transfer to its end; CURLE_ABORTED_BY_CALLBACK when it was cancelled.
CURLcode Run(const CurlCalls& c, CURL* curl, Cancellation* cancellation) {
    CURLM* multi = c.multiInit();
    if (!multi) return CURLE_OUT_OF_MEMORY;
    CURLcode result = CURLE_ABORTED_BY_CALLBACK;
    if (c.multiAdd(multi, curl) == CURLM_OK && (!cancellation || cancellation->Attach(c, multi))) {
        for (int running = 1;;) {
            if (c.multiPerform(multi, &running) != CURLM_OK) {
                result = CURLE_FAILED_INIT;
                break;
            }
            if (running == 0) {
                int left = 0;
                const CURLMsg* message = c.multiInfoRead(multi, &left);
                result = message && message->msg == CURLMSG_DONE ? message->data.result : CURLE_RECV_ERROR;
                break;
            }
            if (cancellation && cancellation->Cancelled()) break;
            // Wakes for the transfer's sockets, its own time-outs, or a cancellation.
            c.multiPoll(multi, nullptr, 0, 1000, nullptr);
        }
    }
    if (cancellation) cancellation->Detach();
    c.multiRemove(multi, curl);
    c.multiCleanup(multi);
    return result;
}

HttpAnswer Perform(const HttpRequest& request, Cancellation* cancellation) {
    HttpAnswer answer;
    const CurlCalls* calls = Curl(&answer.error);
    if (!calls) return answer;
    const CurlCalls& c = *calls;
    CURL* curl = c.init();
    if (!curl) {
        answer.error = "the HTTP library could not start a transfer";
        return answer;
    }
    Transfer transfer;
    curl_slist* headers = nullptr;
    for (const std::string& h : request.headers) headers = c.slistAppend(headers, h.c_str());
    char why[CURL_ERROR_SIZE] = {};
    c.setopt(curl, CURLOPT_URL, request.url.c_str());
    c.setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    c.setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    c.setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    c.setopt(curl, CURLOPT_MAXREDIRS, 5L);
    c.setopt(curl, CURLOPT_NOSIGNAL, 1L);  // time-outs without signals: other threads run
    c.setopt(curl, CURLOPT_TIMEOUT_MS, static_cast<long>(request.timeoutMs));
    c.setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(request.timeoutMs));
    c.setopt(curl, CURLOPT_HTTPHEADER, headers);
    c.setopt(curl, CURLOPT_WRITEFUNCTION, Collect);
    c.setopt(curl, CURLOPT_WRITEDATA, &transfer);
    c.setopt(curl, CURLOPT_ERRORBUFFER, why);
    if (request.method == "POST") {
        c.setopt(curl, CURLOPT_POST, 1L);
        c.setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(request.body.size()));
        c.setopt(curl, CURLOPT_POSTFIELDS, request.body.data());
    }
    const CURLcode result = Run(c, curl, cancellation);
    if (result == CURLE_OK) {
        c.getinfo(curl, CURLINFO_RESPONSE_CODE, &answer.status);
        answer.body = std::move(transfer.body);
    } else if (result == CURLE_ABORTED_BY_CALLBACK) {
        answer.error = "the transfer was cancelled";
    } else if (transfer.tooLarge) {
        answer.error = "the answer is larger than " + std::to_string(kLargestHttpAnswer) + " bytes";
    } else {
        answer.error = why[0] ? why : c.strerror(result);
    }
    c.slistFreeAll(headers);
    c.cleanup(curl);
    return answer;
}

// The background requests: one worker thread that takes them in order. Ending the service
// cancels the request under way at once (a program that ends does not wait for a silent server)
// and drops those not started.
class CurlHttp final : public HttpService {
public:
    CurlHttp() = default;
    ~CurlHttp() override {
        {
            std::lock_guard lock(mutex_);
            ending_ = true;
        }
        cancellation_.Cancel();
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
            HttpAnswer answer = Perform(job.request, &cancellation_);
            if (cancellation_.Cancelled()) return;
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
    Cancellation cancellation_;
    std::thread worker_;
};

}  // namespace

std::unique_ptr<HttpService> HttpService::MakeReal() { return std::make_unique<CurlHttp>(); }

}  // namespace platform
