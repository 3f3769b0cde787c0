// Helpers shared by the label tests.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "hooklib/hook_label.h"
#include "hooklib/label_tokens.h"

namespace hooklib::test {

// A label is large; tests keep theirs on the heap.
inline std::unique_ptr<HookLabel> ParsedLabel(std::string_view script) {
    auto label = std::make_unique<HookLabel>();
    SetLabelFormatText(*label, script);
    ParseLabelFormat(*label);
    return label;
}

// Each token as "format|code", the two texts the library's debug lines show.
inline std::vector<std::string> DescribeTokens(const HookLabel& label) {
    std::vector<std::string> described;
    for (int i = 0; i < label.TokenCount; ++i) {
        described.push_back(TokenFormatText(label, i) + "|" + TokenCodeText(label, i));
    }
    return described;
}

}  // namespace hooklib::test
