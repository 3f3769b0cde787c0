// libFuzzer target: the label script parser and the label renderer. Scripts come from the settings
// file, and the label record itself lives in a section that other processes write, so both a
// script and a whole record may hold anything. For every input:
//   - storing a script keeps a start of it that fits the field, never cut inside a UTF-8 sequence;
//   - the parsed tokens, written back as their patterns and literal runs, give the stored script,
//     no two literal runs stand side by side, and parsing again gives the same tokens;
//   - a script without tokens renders as it stands;
//   - rendering any record at any time, calendar date or not, reads nothing outside the record.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "hooklib/bounded_text.h"
#include "hooklib/hook_label.h"
#include "hooklib/label_render.h"
#include "hooklib/label_tokens.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

platform::SYSTEMTIME AnyTime(FuzzedDataProvider& in) {
    platform::SYSTEMTIME t;
    t.wYear = in.ConsumeIntegral<platform::WORD>();
    t.wMonth = in.ConsumeIntegral<platform::WORD>();
    t.wDayOfWeek = in.ConsumeIntegral<platform::WORD>();
    t.wDay = in.ConsumeIntegral<platform::WORD>();
    t.wHour = in.ConsumeIntegral<platform::WORD>();
    t.wMinute = in.ConsumeIntegral<platform::WORD>();
    t.wSecond = in.ConsumeIntegral<platform::WORD>();
    t.wMilliseconds = in.ConsumeIntegral<platform::WORD>();
    return t;
}

// The script the tokens stand for.
std::string Reassembled(const hooklib::HookLabel& label) {
    std::string script;
    for (const hooklib::LabelToken& token : hooklib::LabelTokens(label)) {
        const hooklib::TokenRow* row = hooklib::TokenRowOf(token);
        script += row ? row->Pattern : hooklib::TokenLiteral(label, token);
    }
    return script;
}

// Every debug text of every index, and one on each side of the list.
void ReadDebugTexts(const hooklib::HookLabel& label) {
    for (int index = -1; index <= label.TokenCount; ++index) {
        (void)hooklib::TokenFormatText(label, index);
        (void)hooklib::TokenCodeText(label, index);
    }
}

void CheckScript(FuzzedDataProvider& in) {
    const platform::SYSTEMTIME time = AnyTime(in);
    const auto secondsToAlarm = in.ConsumeIntegral<std::int64_t>();
    const std::string script = in.ConsumeRemainingBytesAsString();

    auto label = std::make_unique<hooklib::HookLabel>();
    hooklib::SetLabelFormatText(*label, script);
    const std::string_view stored = hooklib::LabelFormatText(*label);
    Check(stored.size() <= hooklib::kLabelFormatMax && std::string_view(script).starts_with(stored));
    Check(stored == hooklib::FitText(script, hooklib::kLabelFormatMax));

    hooklib::ParseLabelFormat(*label);
    Check(label->TokenCount >= 0 && static_cast<std::size_t>(label->TokenCount) <= stored.size());
    Check(Reassembled(*label) == stored);
    bool hasTokens = false;
    bool lastWasLiteral = false;
    for (const hooklib::LabelToken& token : hooklib::LabelTokens(*label)) {
        const bool literal = hooklib::TokenRowOf(token) == nullptr;
        Check(!(literal && lastWasLiteral));
        Check(!literal || token.LiteralLength > 0);
        lastWasLiteral = literal;
        hasTokens = hasTokens || !literal;
    }
    const std::uint32_t flags = label->LabelFlags;
    Check((flags & ~(hooklib::kLabelAlignLeft | hooklib::kLabelAlignCentre | hooklib::kLabelAlignRight | hooklib::kLabelTooltipOnly)) == 0);

    auto again = std::make_unique<hooklib::HookLabel>(*label);
    hooklib::ParseLabelFormat(*again);
    Check(std::memcmp(again.get(), label.get(), sizeof(hooklib::HookLabel)) == 0);

    const std::string shown = hooklib::RenderLabel(*label, time, secondsToAlarm);
    if (!hasTokens) Check(shown == stored);
    ReadDebugTexts(*label);
}

// A record as another process may have left it: every field, token count and token as the bytes say.
void CheckRecord(FuzzedDataProvider& in) {
    const platform::SYSTEMTIME time = AnyTime(in);
    const auto secondsToAlarm = in.ConsumeIntegral<std::int64_t>();
    auto label = std::make_unique<hooklib::HookLabel>();
    const std::string bytes = in.ConsumeBytesAsString(sizeof(hooklib::HookLabel));
    std::memcpy(static_cast<void*>(label.get()), bytes.data(), bytes.size());
    (void)hooklib::LabelFormatText(*label);
    (void)hooklib::LabelFace(*label);
    (void)hooklib::RenderLabel(*label, time, secondsToAlarm);
    ReadDebugTexts(*label);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    // The first byte picks what the rest is: a script (most inputs) or a whole record.
    FuzzedDataProvider in(data + 1, size - 1);
    if (data[0] == 'R') {
        CheckRecord(in);
    } else {
        CheckScript(in);
    }
    return 0;
}
