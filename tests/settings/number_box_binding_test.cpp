// A number box on a form: leaving the box cleans and stores its value, the buttons and the arrow
// keys step it, and nothing is stored while the page fills its controls.
#include "settings/number_box.h"

#include "../platform/forms/forms_test_support.h"
#include "tests/support/locale_scope.h"

namespace formtest {
namespace {

struct DelayPage : Form {
    DelayPage() : Form("frmDelayPage") {}
    TextBox txtDelay{this, "txtDelay"};
    CommandButton cmdDelayM{this, "cmdDelayM"};
    CommandButton cmdDelayP{this, "cmdDelayP"};
    CommandButton cmdOther{this, "cmdOther"};
    bool loading = false;
    std::vector<double> stored;
    // Seconds with one decimal, 0 to 10, stored in milliseconds as the pages do.
    settings::NumberBox delay{txtDelay, cmdDelayM, cmdDelayP, settings::NumberBoxRule{0, 10, 0.1, 1, 1},
                              [this](double seconds) { stored.push_back(seconds * 1000); }, [this] { return loading; }};

protected:
    void Design() override {
        ScaleMode = vbPixels;
        Move(0, 0, 6000, 3000);
        txtDelay.Move(10, 10, 80, 24);
        cmdDelayM.Move(100, 10, 24, 24);
        cmdDelayP.Move(130, 10, 24, 24);
        cmdOther.Move(10, 60, 80, 24);
    }
};

class NumberBoxOnAPage : public FormsTest {};

TEST_F(NumberBoxOnAPage, LeavingTheBoxCleansAndStoresTheButtonsAndArrowsStep) {
    testsupport::LocaleScope locale("C");  // the decimal sign is "."
    DelayPage page;
    page.Show();
    page.txtDelay.Text = "0.35";
    page.txtDelay.SetFocus();
    page.cmdOther.SetFocus();  // the box loses the focus
    EXPECT_EQ(std::string(page.txtDelay.Text), "0.3");
    ASSERT_EQ(page.stored.size(), 1u);
    EXPECT_DOUBLE_EQ(page.stored.back(), 300);

    Click(page.cmdDelayM.hWnd);
    EXPECT_EQ(std::string(page.txtDelay.Text), "0.2");
    EXPECT_DOUBLE_EQ(page.stored.back(), 200);
    Click(page.cmdDelayP.hWnd);
    Click(page.cmdDelayP.hWnd);
    EXPECT_EQ(std::string(page.txtDelay.Text), "0.4");

    page.txtDelay.SetFocus();
    InjectKey(VK_UP, true);
    InjectKey(VK_UP, false);
    Pump();
    EXPECT_EQ(std::string(page.txtDelay.Text), "0.5");
    InjectKey(VK_LEFT, true);
    InjectKey(VK_LEFT, false);
    Pump();
    EXPECT_EQ(std::string(page.txtDelay.Text), "0.4");

    // An empty box is cleaned before it steps; at the upper bound plus changes nothing.
    page.txtDelay.Text = "";
    Click(page.cmdDelayP.hWnd);
    EXPECT_EQ(std::string(page.txtDelay.Text), "0.1");
    page.txtDelay.Text = "10.0";
    Click(page.cmdDelayP.hWnd);
    EXPECT_EQ(std::string(page.txtDelay.Text), "10.0");
    EXPECT_DOUBLE_EQ(page.stored.back(), 10000);

    // While the page fills its controls nothing is cleaned or stored.
    const std::size_t count = page.stored.size();
    page.loading = true;
    page.txtDelay.SetFocus();
    page.txtDelay.Text = "abc";
    page.cmdOther.SetFocus();
    EXPECT_EQ(std::string(page.txtDelay.Text), "abc");
    EXPECT_EQ(page.stored.size(), count);
    page.Unload();
}

}  // namespace
}  // namespace formtest
