// Typing into text boxes that already hold a long text: one key press (its character typed, the
// box laid out, painted and brought to the screen) in a box of N characters, for the wizard's
// multi-line text box and its single-line name box, at their sizes on the headless screen.
// Target: a key press in a box of 20,000 characters costs what it costs in a short one.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/program/program_run.h"
#include "platform/forms/forms.h"
#include "platform/window/input.h"
#include "platform/window/loop.h"

namespace {

using namespace platform;
using namespace platform::forms;

struct BoxesForm : Form {
    BoxesForm() : Form("frmBoxes") {}
    TextBox txtText{this, "txtText"};
    TextBox txtName{this, "txtName"};
    void Design() override {
        BorderStyle = vbBSNone;
        Move(0, 0, 9000, 3000);
        txtText.Move(720, 600, 5010, 480);  // as the naming step's boxes
        txtText.MultiLine = true;
        txtText.ScrollBars = vbVertical;
        txtName.Move(720, 1200, 2100, 300);
    }
};

BoxesForm& Boxes() {
    static BoxesForm* form = [] {
        platform::PlatformOptions options;
        options.presenter = platform::PresenterKind::Headless;
        std::int64_t start = 0;
        platform::ParseLocalTimestamp("2026-03-01T13:04:05", &start);
        options.virtualStartUtcMs = start;
        platform::StartPlatform(options, bench::FreshProgramFolder("text-boxes", bench::kQuietSettings).string());
        auto* f = new BoxesForm;
        f->Show();
        return f;
    }();
    return *form;
}

// Words of seven letters and a blank, as a long text is typed.
char NthCharacter(std::size_t n) { return n % 8 == 7 ? ' ' : static_cast<char>('a' + n % 26); }

void TypeCharacter(char c) {
    const int vk = c == ' ' ? VK_SPACE : std::toupper(c);
    InjectKey(vk, true, static_cast<unsigned char>(c));
    InjectKey(vk, false);
    PumpPendingWork();
    PresentNow();
}

void Measure(benchmark::State& state, TextBox& box) {
    const auto held = static_cast<std::size_t>(state.range(0));
    std::string text;
    for (std::size_t i = 0; i < held; ++i) text += NthCharacter(i);
    box.Text = text;
    box.SetFocus();
    box.SelStart = static_cast<int>(held);
    PumpPendingWork();
    std::size_t n = held;
    for (auto _ : state) TypeCharacter(NthCharacter(n++));
    state.counters["characters"] = static_cast<double>(held);
}

void BM_KeyPressInTheTextBox(benchmark::State& state) { Measure(state, Boxes().txtText); }
BENCHMARK(BM_KeyPressInTheTextBox)->Arg(0)->Arg(2000)->Arg(20000)->Iterations(500)->Unit(benchmark::kMicrosecond);

void BM_KeyPressInTheNameBox(benchmark::State& state) { Measure(state, Boxes().txtName); }
BENCHMARK(BM_KeyPressInTheNameBox)->Arg(0)->Arg(2000)->Arg(20000)->Iterations(500)->Unit(benchmark::kMicrosecond);

}  // namespace
