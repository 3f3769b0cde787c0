// A form with one control of most kinds whose every event writes itself into a trace:
// "txtLeft.LostFocus", "txtLeft.KeyDown 39 1", "cmdOk.MouseDown 1 0 150 90".
#pragma once

#include "forms_test_support.h"

namespace formtest {

class SampleForm : public Form {
public:
    explicit SampleForm(Trace& trace) : Form("frmSample"), trace_(trace) {
        Watch(txtLeft);
        Watch(txtRight);
        Watch(cmdOk);
        Watch(cmdCancel);
        Watch(chFlag);
        Watch(optA);
        Watch(optB);
        Watch(lstItems);
        Watch(ddlMonth);
        Watch(scrOpacity);
        lblInfo.Click = [this] { trace_("lblInfo.Click"); };
        lblInfo.DblClick = [this] { trace_("lblInfo.DblClick"); };
        lblInfo.MouseDown = [this](int b, int s, int x, int y) { trace_("lblInfo.MouseDown " + Args(b, s, x, y)); };
    }

    TextBox txtLeft{this, "txtLeft"};
    TextBox txtRight{this, "txtRight"};
    CommandButton cmdOk{this, "cmdOk"};
    CommandButton cmdCancel{this, "cmdCancel"};
    CheckBox chFlag{this, "chFlag"};
    OptionButton optA{this, "optA"};
    OptionButton optB{this, "optB"};
    ListBox lstItems{this, "lstItems"};
    ComboBox ddlMonth{this, "ddlMonth"};
    HScrollBar scrOpacity{this, "scrOpacity"};
    Label lblInfo{this, "lblInfo"};

    int keyDownStopsOn = 0;  // a KeyCode that txtLeft's KeyDown handler sets to 0

protected:
    void Design() override {
        BorderStyle = vbBSNone;
        Move(1500, 1500, 6000, 4500);  // 100, 100 pixels; 400 x 300
        txtLeft.Move(150, 150, 1500, 315);
        txtRight.Move(150, 600, 1500, 315);
        cmdOk.Move(1800, 150, 1125, 375);
        cmdOk.Caption = "OK";
        cmdOk.Default = true;
        cmdCancel.Move(1800, 600, 1125, 375);
        cmdCancel.Caption = "Cancel";
        cmdCancel.Cancel = true;
        chFlag.Move(150, 1050, 1800, 255);
        optA.Move(150, 1350, 1800, 255);
        optB.Move(150, 1650, 1800, 255);
        lstItems.Move(3150, 150, 1500, 1200);
        for (const char* item : {"one", "two", "three"}) lstItems.AddItem(item);
        ddlMonth.Move(3150, 1500, 1500, 315);
        for (const char* month : {"January", "February", "March"}) ddlMonth.AddItem(month);
        scrOpacity.Move(3150, 1950, 1500, 255);
        scrOpacity.Min = 15;
        scrOpacity.Max = 255;
        scrOpacity.LargeChange = 15;
        scrOpacity.Value = 15;
        lblInfo.Move(150, 2100, 1500, 255);
        lblInfo.Caption = "Info";
    }

private:
    static std::string Args(int a, int b) { return std::to_string(a) + " " + std::to_string(b); }
    static std::string Args(int a, int b, int c, int d) { return Args(a, b) + " " + Args(c, d); }

    template <class C>
    void Watch(C& c) {
        std::string n = c.Name() + ".";
        c.GotFocus = [this, n] { trace_(n + "GotFocus"); };
        c.LostFocus = [this, n] { trace_(n + "LostFocus"); };
        c.KeyDown = [this, n, &c](int& key, int shift) {
            trace_(n + "KeyDown " + Args(key, shift));
            if (&c == static_cast<void*>(&txtLeft) && key == keyDownStopsOn) key = 0;
        };
        c.KeyUp = [this, n](int& key, int shift) { trace_(n + "KeyUp " + Args(key, shift)); };
        c.MouseDown = [this, n](int b, int s, int x, int y) { trace_(n + "MouseDown " + Args(b, s, x, y)); };
        c.MouseUp = [this, n](int b, int s, int x, int y) { trace_(n + "MouseUp " + Args(b, s, x, y)); };
        c.Click = [this, n] { trace_(n + "Click"); };
        if constexpr (requires { c.Change; }) c.Change = [this, n] { trace_(n + "Change"); };
    }

    Trace& trace_;
};

}  // namespace formtest
