#include "platform/services/web_browser.h"

#include "platform/services/http.h"
#include "platform/services/paths.h"
#include "platform/services/web_page.h"
#include "platform/services/whole_file.h"
#include "platform/window/loop.h"

namespace platform {

WebBrowserControl::~WebBrowserControl() { *alive_ = false; }

// Events come later on the loop, as a browser's do, and never after the control has gone.
void WebBrowserControl::Tell(std::function<void()> event) {
    PostTask([alive = alive_, event = std::move(event)] {
        if (*alive) event();
    });
}

void WebBrowserControl::Navigate(const std::string& url, long, const std::string&, const std::string&,
                                 const std::string&) {
    auto fail = [this, url](std::string why) {
        Tell([this, url, why] {
            if (NavigateError) NavigateError(url, why);
        });
    };
    constexpr std::string_view kFileScheme = "file://";
    if (!url.starts_with(kFileScheme)) return fail("only local pages (file://) are loaded");
    const std::string path = MapPath(std::string_view(url).substr(kFileScheme.size()));
    std::optional<std::string> html = ReadWholeFile(path);
    if (!html) return fail("the page " + path + " could not be read");

    WebPage page = ReadWebPage(*html);
    if (page.submittedOnLoad < 0) {
        Tell([this, url] {
            if (DocumentComplete) DocumentComplete(url);
        });
        return;
    }
    const WebForm& form = page.forms[static_cast<std::size_t>(page.submittedOnLoad)];
    if (form.method != "post") return fail("the page's form is not posted (method \"" + form.method + "\")");
    HttpRequest request;
    request.method = "POST";
    request.url = form.action;
    request.headers = {"Content-Type: application/x-www-form-urlencoded"};
    request.body = FormEncode(form.fields);
    request.timeoutMs = RequestTimeout * 1000;
    ++*pending_;
    UseService<HttpService>().Start(request, [this, alive = alive_, pending = pending_, action = form.action](HttpAnswer answer) {
        --*pending;
        if (!*alive) return;
        const std::string problem = answer.Problem();
        if (!problem.empty()) {
            if (NavigateError) NavigateError(action, problem);
        } else if (DocumentComplete) {
            DocumentComplete(action);
        }
    });
}

}  // namespace platform
