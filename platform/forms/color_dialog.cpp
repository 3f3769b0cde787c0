#include "platform/forms/color_dialog.h"

#include <algorithm>
#include <cctype>

namespace platform::forms {

namespace {

constexpr SIZE kCompact{224, 290};
constexpr SIZE kFull{446, 290};

// Six rows of eight: light tints, full colours, darker and darkest shades, and greys.
const std::vector<COLORREF>& BasicColors() {
    static const std::vector<COLORREF> colors = {
        RGB(255, 128, 128), RGB(255, 255, 128), RGB(128, 255, 128), RGB(0, 255, 128),
        RGB(128, 255, 255), RGB(0, 128, 255),   RGB(255, 128, 192), RGB(255, 128, 255),
        RGB(255, 0, 0),     RGB(255, 255, 0),   RGB(128, 255, 0),   RGB(0, 255, 64),
        RGB(0, 255, 255),   RGB(0, 128, 192),   RGB(128, 128, 192), RGB(255, 0, 255),
        RGB(128, 64, 64),   RGB(255, 128, 64),  RGB(0, 255, 0),     RGB(0, 128, 128),
        RGB(0, 64, 128),    RGB(128, 128, 255), RGB(128, 0, 64),    RGB(255, 0, 128),
        RGB(128, 0, 0),     RGB(255, 128, 0),   RGB(0, 128, 0),     RGB(0, 128, 64),
        RGB(0, 0, 255),     RGB(0, 0, 160),     RGB(128, 0, 128),   RGB(128, 0, 255),
        RGB(64, 0, 0),      RGB(128, 64, 0),    RGB(0, 64, 0),      RGB(0, 64, 64),
        RGB(0, 0, 128),     RGB(0, 0, 64),      RGB(64, 0, 64),     RGB(64, 0, 128),
        RGB(0, 0, 0),       RGB(128, 128, 0),   RGB(128, 128, 64),  RGB(128, 128, 128),
        RGB(64, 128, 128),  RGB(192, 192, 192), RGB(224, 224, 224), RGB(255, 255, 255),
    };
    return colors;
}

// The custom colours live as long as the program, as the user defined them.
std::vector<COLORREF>& CustomColors() {
    static std::vector<COLORREF> colors(16, RGB(255, 255, 255));
    return colors;
}

}  // namespace

ColorDialogForm::ColorDialogForm(CommonDialogRequest request) : CommonDialogForm("frmColorDialog", std::move(request)) {
    cmdOk.Click = [this] { Confirm(CommonDialogAnswer::ChooseColor(current_)); };
    cmdCancel.Click = [this] { Dismiss(); };
    cmdDefine.Click = [this] {
        ShowFullPart(true);
        txtRed.SetFocus();
    };
    grdBasic.Click = [this] {
        grdCustom.Select(-1);
        SetCurrent(grdBasic.ColorAt(grdBasic.Selected()));
    };
    grdCustom.Click = [this] {
        grdBasic.Select(-1);
        SetCurrent(grdCustom.ColorAt(grdCustom.Selected()));
    };
    cmdAdd.Click = [this] {
        // Into the chosen custom box, or the first one; the next box is chosen for the next colour.
        int slot = std::max(0, grdCustom.Selected());
        CustomColors()[static_cast<std::size_t>(slot)] = current_;
        grdCustom.SetColorAt(slot, current_);
        grdCustom.Select((slot + 1) % grdCustom.Count());
    };
    for (int i = 0; i < 3; ++i) {
        Channels(i).text.Change = [this, i] {
            if (updating_) return;
            std::string t = Channels(i).text.Text;
            auto digit = [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; };
            if (t.empty() || t.size() > 3 || !std::all_of(t.begin(), t.end(), digit)) return;
            ChannelEdited(i, std::min(255, std::stoi(t)));
        };
        Channels(i).bar.Change = [this, i] {
            if (!updating_) ChannelEdited(i, Channels(i).bar.Value);
        };
    }
}

ColorDialogForm::Channel ColorDialogForm::Channels(int i) {
    if (i == 0) return {txtRed, scrRed, 0};
    if (i == 1) return {txtGreen, scrGreen, 8};
    return {txtBlue, scrBlue, 16};
}

void ColorDialogForm::Design() {
    DialogDesign("Color", kCompact);
    lblBasic.Move(8, 6, 208, 15);
    lblBasic.Caption = "&Basic colors:";
    grdBasic.Move(8, 22, 208, 132);
    lblCustom.Move(8, 160, 208, 15);
    lblCustom.Caption = "&Custom colors:";
    grdCustom.Move(8, 176, 208, 44);
    cmdDefine.Move(8, 228, 208, 23);
    cmdDefine.Caption = "&Define Custom Colors >>";
    cmdOk.Move(8, 258, 66, 23);
    cmdOk.Caption = "OK";
    cmdOk.Default = true;
    cmdCancel.Move(80, 258, 66, 23);
    cmdCancel.Caption = "Cancel";
    cmdCancel.Cancel = true;

    pctColor.Move(232, 22, 100, 64);
    lblColor.Move(232, 90, 100, 15);
    lblColor.Caption = "Color";
    const char* names[] = {"&Red:", "&Green:", "Bl&ue:"};
    forms::Label* labels[] = {&lblRed, &lblGreen, &lblBlue};
    for (int i = 0; i < 3; ++i) {
        int y = 116 + 28 * i;
        labels[i]->Move(232, y + 3, 44, 15);
        labels[i]->Caption = names[i];
        Channels(i).text.Move(278, y, 40, 21);
        Channels(i).text.MaxLength = 3;
        Channels(i).bar.Move(324, y + 2, 114, 17);
        Channels(i).bar.Min = 0;
        Channels(i).bar.Max = 255;
        Channels(i).bar.SmallChange = 1;
        Channels(i).bar.LargeChange = 16;
    }
    cmdAdd.Move(232, 228, 206, 23);
    cmdAdd.Caption = "&Add to Custom Colors";
}

void ColorDialogForm::Form_Load() {
    grdBasic.SetColors(BasicColors(), 8);
    grdCustom.SetColors(CustomColors(), 8);
    bool preventFull = (request_.flags & cdlCCPreventFullOpen) != 0;
    cmdDefine.Enabled = !preventFull;
    ShowFullPart((request_.flags & cdlCCFullOpen) && !preventFull);
    SetCurrent((request_.flags & cdlCCRGBInit) ? ResolveColor(request_.color) : RGB(0, 0, 0));
    grdBasic.Select(grdBasic.Find(current_));
}

void ColorDialogForm::ShowFullPart(bool full) {
    full_ = full;
    for (Control* c : Controls()) {
        auto* v = dynamic_cast<VisualControl*>(c);
        if (v && v->PixelRect().left >= kCompact.cx) v->Visible = full;
    }
    cmdDefine.Enabled = !full && !(request_.flags & cdlCCPreventFullOpen);
    client_ = full ? kFull : kCompact;
    FitClientArea();
}

void ColorDialogForm::ChannelEdited(int i, int value) {
    int shift = Channels(i).shift;
    COLORREF color = (current_ & ~(0xFFu << shift)) | (static_cast<COLORREF>(value) << shift);
    SetCurrent(color, i);
}

void ColorDialogForm::SetCurrent(COLORREF color, int from) {
    current_ = color & 0x00FFFFFFu;
    updating_ = true;
    pctColor.BackColor = current_;
    for (int i = 0; i < 3; ++i) {
        int value = static_cast<int>((current_ >> Channels(i).shift) & 0xFF);
        if (i != from) Channels(i).text.Text = std::to_string(value);
        Channels(i).bar.Value = value;
    }
    updating_ = false;
}

}  // namespace platform::forms
