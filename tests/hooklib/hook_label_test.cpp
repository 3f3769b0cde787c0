#include <gtest/gtest.h>

#include <memory>

#include "hooklib/hook_label.h"

using namespace hooklib;

namespace {

struct FitCase {
    const char* name;
    std::string text;
    std::string stored;
};

TEST(HookLabelFields, TextsAreCutToTheFieldWithoutSplittingACharacter) {
    const std::string e = "\xC3\xA9";      // two bytes
    const std::string clef = "\xF0\x9D\x84\x9E";  // four bytes
    const FitCase formats[] = {
        {"fits", "achh:mm", "achh:mm"},
        {"exactly the limit", std::string(499, 'x'), std::string(499, 'x')},
        {"over the limit", std::string(600, 'x'), std::string(499, 'x')},
        {"two-byte character across the limit", std::string(498, 'x') + e, std::string(498, 'x')},
        {"two-byte character ending at the limit", std::string(497, 'x') + e + "y", std::string(497, 'x') + e},
        {"four-byte character across the limit", std::string(497, 'x') + clef, std::string(497, 'x')},
        {"embedded zero byte", std::string("hh\0mm", 5), "hh"},
        {"empty", "", ""},
    };
    auto label = std::make_unique<HookLabel>();
    for (const FitCase& c : formats) {
        SCOPED_TRACE(c.name);
        SetLabelFormatText(*label, c.text);
        EXPECT_EQ(LabelFormatText(*label), c.stored);
        EXPECT_EQ(label->FormatText[c.stored.size()], '\0');
    }
    SetLabelFace(*label, std::string(40, 'F'));
    EXPECT_EQ(LabelFace(*label), std::string(33, 'F'));
    EXPECT_EQ(label->Face[33], '\0');
    SetLabelFace(*label, "Tahoma");
    EXPECT_EQ(LabelFace(*label), "Tahoma");
}

}  // namespace
