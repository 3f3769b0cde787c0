// Events of controls: `cmdOk.Click = [this] { cmdOk_Click(); };`. An event without a handler does
// nothing when raised. The handler is copied before it runs, so that it may replace itself.
#pragma once

#include <functional>
#include <utility>

namespace platform::forms {

template <class... Args>
class Event {
public:
    using Handler = std::function<void(Args...)>;

    Event() = default;
    Event(const Event&) = delete;
    Event& operator=(const Event&) = delete;

    Event& operator=(Handler handler) {
        handler_ = std::move(handler);
        return *this;
    }
    explicit operator bool() const { return static_cast<bool>(handler_); }

    template <class... A>
    void operator()(A&&... args) const {
        if (!handler_) return;
        Handler copy = handler_;
        copy(std::forward<A>(args)...);
    }

private:
    Handler handler_;
};

// Wires an event to the form's member handler named after the control and the event, the way the
// classic toolkit binds `Private Sub cmdOk_Click()`:  OZR_HANDLE(cmdOk, Click);
#define OZR_HANDLE(control, event)                                                 \
    control.event = [this](auto&&... ozrEventArgs) {                              \
        this->control##_##event(std::forward<decltype(ozrEventArgs)>(ozrEventArgs)...); \
    }

}  // namespace platform::forms
