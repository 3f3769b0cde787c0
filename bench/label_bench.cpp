// Label scripts: parsing happens once per change of a label, rendering at every paint.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "hooklib/label_render.h"
#include "hooklib/label_tokens.h"

namespace {

constexpr const char* kScript = "acDDDD hh:mm:ss AMPM";  // 20 characters
static_assert(std::char_traits<char>::length(kScript) == 20);

platform::SYSTEMTIME Morning() {
    platform::SYSTEMTIME t;
    t.wYear = 2026;
    t.wMonth = 3;
    t.wDay = 7;
    t.wHour = 9;
    t.wMinute = 5;
    t.wSecond = 3;
    return t;
}

void BM_ParseLabelFormat(benchmark::State& state) {
    auto label = std::make_unique<hooklib::HookLabel>();
    hooklib::SetLabelFormatText(*label, kScript);
    for (auto _ : state) {
        label->LabelFlags = 0;
        hooklib::ParseLabelFormat(*label);
        benchmark::DoNotOptimize(label->TokenCount);
    }
}
BENCHMARK(BM_ParseLabelFormat);

// The longest script the field holds, tokens and literals mixed: parsing stays linear.
void BM_ParseLongestScript(benchmark::State& state) {
    std::string script;
    while (script.size() < hooklib::kLabelFormatMax) {
        script += "Time hh:mm:ss AMPM, DDDD ";
    }
    auto label = std::make_unique<hooklib::HookLabel>();
    hooklib::SetLabelFormatText(*label, script);
    for (auto _ : state) {
        label->LabelFlags = 0;
        hooklib::ParseLabelFormat(*label);
        benchmark::DoNotOptimize(label->TokenCount);
    }
}
BENCHMARK(BM_ParseLongestScript);

void BM_RenderLabel(benchmark::State& state) {
    auto label = std::make_unique<hooklib::HookLabel>();
    hooklib::SetLabelFormatText(*label, kScript);
    hooklib::ParseLabelFormat(*label);
    const platform::SYSTEMTIME now = Morning();
    for (auto _ : state) {
        benchmark::DoNotOptimize(hooklib::RenderLabel(*label, now, 3725));
    }
}
BENCHMARK(BM_RenderLabel);

void BM_RenderLabelWithCountdown(benchmark::State& state) {
    auto label = std::make_unique<hooklib::HookLabel>();
    hooklib::SetLabelFormatText(*label, "MMMM DD, YYYY ETA");
    hooklib::ParseLabelFormat(*label);
    const platform::SYSTEMTIME now = Morning();
    for (auto _ : state) {
        benchmark::DoNotOptimize(hooklib::RenderLabel(*label, now, 183845));
    }
}
BENCHMARK(BM_RenderLabelWithCountdown);

}  // namespace
