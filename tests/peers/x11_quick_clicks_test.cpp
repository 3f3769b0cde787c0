// Clicks that follow each other quickly on a real X server all reach the form: events that the
// X library has already read off the connection are taken before the loop waits again.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/forms/forms.h"
#include "platform/present/desktop_screen.h"
#include "platform/present/x11_presenter.h"
#include "platform/services/clock.h"
#include "platform/window/loop.h"
#include "xvfb_server.h"

using namespace platform;
using namespace platform::forms;

namespace {

// A choice that enables a button, both inside a frame, the way the first-run window asks.
class ChoiceForm : public Form {
public:
    ChoiceForm() : Form("ChoiceForm") {
        cmdGo.Click = [this] {
            ++clicks;
            Unload();
        };
        optChoice.Click = [this] { cmdGo.Enabled = true; };
    }
    Frame fraChoice{this, "fraChoice"};
    OptionButton optChoice{fraChoice, "optChoice"};
    CommandButton cmdGo{fraChoice, "cmdGo"};
    int clicks = 0;

protected:
    void Design() override {
        BorderStyle = vbBSNone;
        Move(1500, 1500, 6000, 3000);
        fraChoice.Move(0, 0, 5900, 2900);
        optChoice.Move(300, 300, 2000, 300);
        optChoice.Caption = "Choice";
        cmdGo.Move(3000, 2000, 1500, 450);
        cmdGo.Caption = "Go";
        cmdGo.Enabled = false;
        cmdGo.Default = true;
    }
};

TEST(X11QuickClicks, QuickClicksOnAModalFormAreHandledAsTheyCome) {
    XvfbServer server;
    ASSERT_TRUE(server.running());
    std::string error;
    ASSERT_TRUE(StartX11Presenter(&error)) << error;
    StartDesktopScreen();
    InstallService<Clock>(MakeSystemClock());
    ChoiceForm form;
    // A person's clicks while the form waits modally: the choice, half a second later the button,
    // and, 1.5 s after that, the button again in case the first press on it was lost.
    std::string d = "DISPLAY=" + server.display() + " ";
    std::system(("(sleep 1; " + d + "xdotool mousemove 130 120 click 1; sleep 0.5; " + d +
                 "xdotool mousemove 300 250 click 1; sleep 1.5; " + d + "xdotool mousemove 301 251 click 1) &")
                    .c_str());
    std::int64_t shown = CurrentClock().MonotonicMs();
    form.Show(vbModal);
    std::int64_t closed = CurrentClock().MonotonicMs();
    EXPECT_EQ(form.clicks, 1);
    EXPECT_LT(closed - shown, 2500) << "the first press on the button was not handled until the next one came";
    usleep(1'700'000);  // let the last click go by before the server stops
    StopX11Presenter();
}

}  // namespace
