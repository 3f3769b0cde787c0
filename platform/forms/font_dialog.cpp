#include "platform/forms/font_dialog.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "platform/draw/font_families.h"

namespace platform::forms {

namespace {

constexpr SIZE kClient{440, 246};
const char* const kStyles[] = {"Regular", "Italic", "Bold", "Bold Italic"};
const int kSizes[] = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string Trimmed(const std::string& s) {
    std::size_t a = s.find_first_not_of(' '), b = s.find_last_not_of(' ');
    return a == std::string::npos ? std::string() : s.substr(a, b - a + 1);
}

std::string SizeText(double size) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", size);
    return text;
}

// A size as typed: a number from 1 to 1638 points, or 0.
double ParseSize(const std::string& text) {
    std::string t = Trimmed(text);
    if (t.empty()) return 0;
    char* end = nullptr;
    double v = std::strtod(t.c_str(), &end);
    if (!end || *end || !std::isfinite(v) || v < 1 || v > 1638) return 0;
    return v;
}

}  // namespace

FontDialogForm::FontDialogForm(CommonDialogRequest request) : CommonDialogForm("frmFontDialog", std::move(request)) {
    cmdOk.Click = [this] { OkClicked(); };
    cmdCancel.Click = [this] { Dismiss(); };
    lstFont.Click = [this] { TakeFromList(lstFont, txtFont); };
    lstStyle.Click = [this] { TakeFromList(lstStyle, txtStyle); };
    lstSize.Click = [this] { TakeFromList(lstSize, txtSize); };
    txtFont.Change = [this] { FollowText(txtFont, lstFont); };
    txtStyle.Change = [this] { FollowText(txtStyle, lstStyle); };
    txtSize.Change = [this] { FollowText(txtSize, lstSize); };
    chStrikeout.Click = [this] { UpdateSample(); };
    chUnderline.Click = [this] { UpdateSample(); };
}

void FontDialogForm::Design() {
    DialogDesign("Font", kClient);
    struct Column {
        forms::Label& label;
        const char* caption;
        TextBox& text;
        ListBox& list;
        int x, width;
    } columns[] = {
        {lblFont, "&Font:", txtFont, lstFont, 8, 160},
        {lblStyle, "Font st&yle:", txtStyle, lstStyle, 176, 110},
        {lblSize, "&Size:", txtSize, lstSize, 294, 56},
    };
    for (Column& c : columns) {
        c.label.Move(c.x, 6, c.width, 15);
        c.label.Caption = c.caption;
        c.text.Move(c.x, 22, c.width, 21);
        c.list.Move(c.x, 44, c.width, 122);
    }
    cmdOk.Move(360, 22, 72, 23);
    cmdOk.Caption = "OK";
    cmdOk.Default = true;
    cmdCancel.Move(360, 50, 72, 23);
    cmdCancel.Caption = "Cancel";
    cmdCancel.Cancel = true;
    fraEffects.Move(8, 174, 160, 64);
    fraEffects.Caption = "Effects";
    chStrikeout.Move(150, 300, 2100, 255);  // twips, inside the frame
    chStrikeout.Caption = "Stri&keout";
    chUnderline.Move(150, 600, 2100, 255);
    chUnderline.Caption = "&Underline";
    fraSample.Move(176, 174, 256, 64);
    fraSample.Caption = "Sample";
    lblSample.Move(120, 240, 3600, 660);
    lblSample.Alignment = vbCenter;
    lblSample.Caption = "AaBbYyZz";
}

void FontDialogForm::Form_Load() {
    std::vector<std::string> families = InstalledFontFamilies();
    const std::string& preset = request_.font.name;
    auto isPreset = [&](const std::string& f) { return Lower(f) == Lower(preset); };
    if (!preset.empty() && std::none_of(families.begin(), families.end(), isPreset)) {
        families.push_back(preset);
        std::sort(families.begin(), families.end(), [](const std::string& a, const std::string& b) { return Lower(a) < Lower(b); });
    }
    updating_ = true;
    for (const std::string& f : families) lstFont.AddItem(f);
    for (const char* s : kStyles) lstStyle.AddItem(s);
    for (int s : kSizes) lstSize.AddItem(std::to_string(s));
    updating_ = false;
    fraEffects.Visible = (request_.flags & cdlCFEffects) != 0;
    txtFont.Text = preset;
    txtStyle.Text = kStyles[(request_.font.bold ? 2 : 0) + (request_.font.italic ? 1 : 0)];
    txtSize.Text = SizeText(request_.font.size);
    chStrikeout.Value = request_.font.strikethru ? vbChecked : vbUnchecked;
    chUnderline.Value = request_.font.underline ? vbChecked : vbUnchecked;
    UpdateSample();
    FitClientArea();
}

void FontDialogForm::TakeFromList(ListBox& list, TextBox& box) {
    if (updating_ || list.ListIndex < 0) return;
    updating_ = true;
    box.Text = list.Text();
    updating_ = false;
    UpdateSample();
}

void FontDialogForm::FollowText(TextBox& box, ListBox& list) {
    if (updating_) return;
    std::string typed = Lower(Trimmed(box.Text));
    int found = -1;
    for (int i = 0; i < list.ListCount && found < 0 && !typed.empty(); ++i)
        if (Lower(list.List(i)).rfind(typed, 0) == 0) found = i;
    updating_ = true;
    if (found >= 0) {
        list.ListIndex = found;
    } else if (list.ListIndex >= 0) {
        list.Selected(list.ListIndex) = false;
    }
    updating_ = false;
    UpdateSample();
}

FontDescription FontDialogForm::Chosen() const {
    FontDescription f;
    f.name = Trimmed(txtFont.Text);
    std::string style = Lower(txtStyle.Text);
    f.bold = style.find("bold") != std::string::npos;
    f.italic = style.find("italic") != std::string::npos;
    f.size = ParseSize(txtSize.Text);
    f.underline = chUnderline.Value == vbChecked;
    f.strikethru = chStrikeout.Value == vbChecked;
    return f;
}

void FontDialogForm::UpdateSample() {
    if (!IsLoaded()) return;
    FontDescription f = Chosen();
    if (!f.name.empty()) lblSample.FontName = f.name;
    if (f.size > 0) lblSample.FontSize = std::min(f.size, 24.0);  // the sample box shows the look, not the full size
    lblSample.FontBold = f.bold;
    lblSample.FontItalic = f.italic;
    lblSample.FontUnderline = f.underline;
    lblSample.FontStrikethru = f.strikethru;
}

void FontDialogForm::Refuse(const std::string& message, TextBox& box) {
    MessageBox(Window(), message.c_str(), Caption().c_str(), MB_OK | MB_ICONEXCLAMATION);
    box.SetFocus();
    box.SelStart = 0;
    box.SelLength = static_cast<int>(std::string(box.Text).size());
}

void FontDialogForm::OkClicked() {
    FontDescription f = Chosen();
    if (f.name.empty()) return Refuse("Choose a font from the list of fonts.", txtFont);
    std::string style = Lower(Trimmed(txtStyle.Text));
    if (std::none_of(std::begin(kStyles), std::end(kStyles), [&](const char* s) { return Lower(s) == style; }))
        return Refuse("Choose a font style from the list of styles.", txtStyle);
    if (f.size <= 0) return Refuse("The size must be a number from 1 to 1638 points.", txtSize);
    Confirm(CommonDialogAnswer::ChooseFont(f));
}

}  // namespace platform::forms
