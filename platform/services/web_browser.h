// The web-browser control of a form. It shows nothing: it loads a local page (a "file://"
// address), reads its forms, and when the page submits a form as it loads, it posts that form's
// fields, form-encoded, to the form's address, as a browser does (web_page.h says what it reads of
// a page). The post goes in the background; the control tells how the navigation ended through
// its events on the message loop's thread.
#pragma once

#include <functional>
#include <memory>
#include <string>

namespace platform {

class WebBrowserControl {
public:
    WebBrowserControl() = default;
    WebBrowserControl(const WebBrowserControl&) = delete;
    WebBrowserControl& operator=(const WebBrowserControl&) = delete;
    ~WebBrowserControl();

    int RequestTimeout = 30;  // seconds for a post

    // The page, or the address its form was posted to, is done (the server's answer is not read).
    std::function<void(const std::string& url)> DocumentComplete;
    // The navigation failed: the page could not be read, or the post found no server or an error.
    std::function<void(const std::string& url, const std::string& why)> NavigateError;

    // Loads url, which must be a "file://" address of a page in UTF-8 (the path may be written
    // with "\" as the program's paths are). A file address takes no post data and no headers: a
    // browser does not send them to a file, and neither does this control; the form's post
    // carries its own. flags and targetFrameName are accepted for the same reason. The page is
    // read before Navigate returns: its file may be removed then.
    void Navigate(const std::string& url, long flags = 0, const std::string& targetFrameName = "",
                  const std::string& postData = "", const std::string& headers = "");
    // Posts started and not answered yet.
    int PendingPosts() const { return *pending_; }

private:
    void Tell(std::function<void()> event);
    std::shared_ptr<int> pending_ = std::make_shared<int>(0);
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace platform
