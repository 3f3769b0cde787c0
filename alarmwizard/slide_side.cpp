#include "alarmwizard/slide_side.h"

#include <charconv>
#include <cmath>
#include <initializer_list>

#include "core/popup_help.h"

namespace alarmwizard {

using namespace platform::forms;

namespace {

// Seconds with one decimal, 0.1 to 30, stepped by a tenth.
constexpr settings::NumberBoxRule kSecondsRule{.lower = 0.1, .upper = 30, .step = 0.1, .maxDecimals = 1,
                                               .minDecimals = 1};
constexpr int kLeastOpacity = 15, kMostOpacity = 255;
constexpr std::uint8_t kDirectionCodes[] = {10, 11, 12};  // horizontal, vertical, mixed

// Milliseconds as seconds, the shortest way and always with ".": 1500 gives 1.5, -1 gives -0.001.
std::string SecondsText(std::int16_t ms) {
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, ms / 1000.0).ptr;
    return std::string(buffer, end);
}

std::int16_t Milliseconds(double seconds) { return static_cast<std::int16_t>(std::lround(seconds * 1000)); }

void HelpOnMove(std::initializer_list<WindowedControl*> controls, const char* key) {
    for (WindowedControl* c : controls) c->MouseMove = [c, key](int, int, int, int) { core::ShowHelp(c->hWnd, key, false); };
}

}  // namespace

SlideSide::SlideSide(Frame& container, const SlideSideNames& names, const bool& updating)
    : frame(container, names.frame), lblDirection(frame, names.lblDirection), opt0(frame, names.opt0),
      opt1(frame, names.opt1), opt2(frame, names.opt2), lblTime(frame, names.lblTime), cmdTimeM(frame, names.cmdTimeM),
      txtTime(frame, names.txtTime), cmdTimeP(frame, names.cmdTimeP), chkFading(frame, names.chkFading),
      lblFadeTime(frame, names.lblFadeTime), cmdFadeM(frame, names.cmdFadeM), txtFade(frame, names.txtFade),
      cmdFadeP(frame, names.cmdFadeP), lblStart(frame, names.lblStart), scrStart(frame, names.scrStart),
      lblFinal(frame, names.lblFinal), scrFinal(frame, names.scrFinal),
      time(txtTime, cmdTimeM, cmdTimeP, kSecondsRule, updating), fade(txtFade, cmdFadeM, cmdFadeP, kSecondsRule, updating),
      names_(names) {
    chkFading.Click = [this] { chkFading_Click(); };
    scrStart.Change = [this] { scrStart_Change(); };
    scrFinal.Change = [this] { scrFinal_Change(); };
    BindHelp();
}

void SlideSide::BindHelp() {
    HelpOnMove({&opt0}, names_.helpOpt0);
    HelpOnMove({&opt1}, names_.helpOpt1);
    HelpOnMove({&opt2}, names_.helpOpt2);
    HelpOnMove({&chkFading}, names_.helpFading);
    HelpOnMove({&txtTime, &cmdTimeM, &cmdTimeP}, names_.helpTime);
    HelpOnMove({&txtFade, &cmdFadeM, &cmdFadeP}, names_.helpFade);
    scrStart.GotFocus = [this] { core::ShowHelp(scrStart.hWnd, names_.helpStart, true); };
    scrFinal.GotFocus = [this] { core::ShowHelp(scrFinal.hWnd, names_.helpFinal, true); };
}

void SlideSide::Design(int left, int top, int width) {
    constexpr int kRow = 270, kLabel = 1380, kButton = 225, kBox = 720;
    frame.Move(left, top, width, 2970);
    const int inner = width - 240;
    lblDirection.Move(120, 240, inner, 255);
    int y = 510;
    for (OptionButton* o : {&opt0, &opt1, &opt2}) {
        o->Move(240, y, inner - 120, 240);
        y += 255;
    }
    opt0.Value = true;
    auto row = [&](Label& label, CommandButton& minus, TextBox& box, CommandButton& plus, int rowTop) {
        label.Move(120, rowTop + 30, kLabel, 255);
        minus.Move(120 + kLabel, rowTop, kButton, 300);
        box.Move(120 + kLabel + kButton, rowTop, kBox, 300);
        plus.Move(120 + kLabel + kButton + kBox, rowTop, kButton, 300);
        box.MaxLength = 5;
    };
    row(lblTime, cmdTimeM, txtTime, cmdTimeP, 1305);
    chkFading.Move(120, 1665, inner, 255);
    row(lblFadeTime, cmdFadeM, txtFade, cmdFadeP, 1980);
    lblStart.Move(120, 2355, kLabel, 255);
    scrStart.Move(120 + kLabel, 2340, inner - kLabel, kRow - 15);
    lblFinal.Move(120, 2640, kLabel, 255);
    scrFinal.Move(120 + kLabel, 2625, inner - kLabel, kRow - 15);
    time.Design();
    fade.Design();
    txtTime.Text = "0.5";
    txtFade.Text = "0";
    for (HScrollBar* bar : {&scrStart, &scrFinal}) {
        bar->Min = kLeastOpacity;
        bar->Max = kMostOpacity;
        bar->SmallChange = 1;
        bar->LargeChange = 15;
        bar->Value = kLeastOpacity;
    }
    for (VisualControl* c : std::initializer_list<VisualControl*>{&lblFadeTime, &cmdFadeM, &txtFade, &cmdFadeP, &lblStart,
                                                                  &scrStart, &lblFinal, &scrFinal})
        c->Visible = false;
}

void SlideSide::SetTexts(const std::function<std::string(const char*)>& text) {
    frame.Caption = text(names_.captionFrame);
    lblDirection.Caption = text(names_.captionDirection);
    lblTime.Caption = text(names_.captionTime);
    lblFadeTime.Caption = text(names_.captionFade);
    opt0.Caption = text("Horizontal");
    opt1.Caption = text("Vertical");
    opt2.Caption = text("Mixed");
    chkFading.Caption = text("Use Fading");
    lblStart.Caption = text("Start Opacity");
    lblFinal.Caption = text("Final Opacity");
}

void SlideSide::ShowFadeControls(bool show) {
    for (VisualControl* c : std::initializer_list<VisualControl*>{&lblFadeTime, &cmdFadeM, &txtFade, &cmdFadeP, &lblStart,
                                                                  &scrStart, &lblFinal, &scrFinal})
        c->Visible = show;
    // The box's own text counts, not its cleaned value: a stored 150 ms reads 0.15 and keeps
    // its tenth, where the clean-up's cut would make it 0.1 and so half a second.
    if (fade.TextNumber() <= 0.1) txtFade.Text = "0.5";
}

void SlideSide::chkFading_Click() {
    ShowFadeControls(chkFading.Value != vbUnchecked);
    (names_.rising ? scrFinal : scrStart).Value = kMostOpacity;
}

// The fade runs one way only: a bar moved past the other drags it along.
void SlideSide::scrStart_Change() {
    const bool crossed = names_.rising ? scrFinal.Value < scrStart.Value : scrFinal.Value > scrStart.Value;
    if (crossed) scrFinal.Value = scrStart.Value();
    core::ShowHelp(scrStart.hWnd, names_.helpStart, true);
}

void SlideSide::scrFinal_Change() {
    if (finalChanged) finalChanged(scrFinal.Value);
    const bool crossed = names_.rising ? scrStart.Value > scrFinal.Value : scrStart.Value < scrFinal.Value;
    if (crossed) scrStart.Value = scrFinal.Value();
    core::ShowHelp(scrFinal.hWnd, names_.helpFinal, true);
}

void SlideSide::Fill(const SlideFields& stored) {
    txtTime.Text = SecondsText(stored.time);
    txtFade.Text = SecondsText(stored.alphaTime);
    if (stored.alphaTime > 0) chkFading.Value = vbChecked;
    if (stored.alphaStart < kLeastOpacity) stored.alphaStart = kLeastOpacity;
    scrStart.Value = stored.alphaStart;
    if (stored.alphaStop < kLeastOpacity) stored.alphaStop = kLeastOpacity;
    scrFinal.Value = stored.alphaStop;
    OptionButton* options[] = {&opt0, &opt1, &opt2};
    for (int i = 0; i < 3; ++i)
        if (stored.direction == kDirectionCodes[i]) options[i]->Value = true;
}

void SlideSide::CleanTimes() {
    if (txtTime.Text() == "0") txtTime.Text = "0.5";
    time.CleanUp();
    fade.CleanUp();
}

void SlideSide::Store(const SlideFields& stored) {
    time.CleanUp();
    fade.CleanUp();
    stored.time = Milliseconds(time.Number());
    stored.alphaTime = chkFading.Value == vbUnchecked ? std::int16_t{-1} : Milliseconds(fade.Number());
    stored.alphaStart = scrStart.Visible ? static_cast<std::uint8_t>(scrStart.Value) : names_.hiddenStart;
    stored.alphaStop = scrFinal.Visible ? static_cast<std::uint8_t>(scrFinal.Value) : names_.hiddenFinal;
    const OptionButton* options[] = {&opt0, &opt1, &opt2};
    for (int i = 0; i < 3; ++i)
        if (options[i]->Value) {
            stored.direction = kDirectionCodes[i];
            break;
        }
}

}  // namespace alarmwizard
