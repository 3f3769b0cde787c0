// The label page's rules: classes, new names, removing records, offsets, fonts, alignment and the
// two script lists.
#include "settings/label_rules.h"

#include <gtest/gtest.h>

#include "core/floating_layout.h"

namespace {

using core::ClockLabel;
using settings::Alignment;

std::vector<ClockLabel> Named(std::initializer_list<const char*> names) {
    std::vector<ClockLabel> labels;
    for (const char* name : names) {
        labels.emplace_back();
        labels.back().LabelName = name;
    }
    return labels;
}

std::vector<std::string> NamesOf(const std::vector<ClockLabel>& labels) {
    std::vector<std::string> names;
    for (const ClockLabel& l : labels) names.push_back(l.LabelName);
    return names;
}

TEST(LabelClasses, ListTheLabelsByTheFlagsTheLibraryReported) {
    struct Case {
        std::int32_t flags;
        bool timeAndDate, tooltip, clipboard;
    };
    const Case cases[] = {
        {0, true, false, false},
        {core::kLabelAlignCentre, true, false, false},
        {core::kLabelAlignRight | core::kLabelAlignLeft, true, false, false},
        {core::kLabelTooltipOnly, false, true, false},
        {core::kLabelTooltipOnly | core::kLabelAlignCentre, false, true, false},
        {core::kLabelListedApart, false, false, true},
        {core::kLabelListedApart | core::kLabelTooltipOnly, false, true, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(settings::BelongsToClass(c.flags, settings::kTimeAndDateClass), c.timeAndDate) << c.flags;
        EXPECT_EQ(settings::BelongsToClass(c.flags, settings::kTooltipClass), c.tooltip) << c.flags;
        EXPECT_EQ(settings::BelongsToClass(c.flags, settings::kClipboardClass), c.clipboard) << c.flags;
        EXPECT_FALSE(settings::BelongsToClass(c.flags, 3));
        EXPECT_FALSE(settings::BelongsToClass(c.flags, -1));
    }
}

TEST(NewLabelNames, LoseTheirBracketsAndOuterBlanksAndMustBeFree) {
    EXPECT_EQ(settings::CleanLabelName("Seconds"), "Seconds");
    EXPECT_EQ(settings::CleanLabelName("  My [big] clock  "), "My big clock");  // inner blanks stay
    EXPECT_EQ(settings::CleanLabelName(" [ ] "), "");
    EXPECT_EQ(settings::CleanLabelName("[]]["), "");
    EXPECT_EQ(settings::CleanLabelName(""), "");

    const std::vector<ClockLabel> labels = Named({"Precise Time", "Japanese Date", "Spare"});
    EXPECT_TRUE(settings::LabelNameTaken(labels, 2, "Precise Time"));
    EXPECT_FALSE(settings::LabelNameTaken(labels, 2, "precise time")) << "names compare exactly, as sections do";
    EXPECT_FALSE(settings::LabelNameTaken(labels, 2, "Spare")) << "the spare record is no label";
    EXPECT_FALSE(settings::LabelNameTaken(labels, 0, "Precise Time"));
    EXPECT_FALSE(settings::LabelNameTaken(labels, 9, "Nowhere")) << "a count past the records reads none beyond";
}

TEST(NewLabelRecord, IsArialEightBlackOnWhiteShowingTheTimeOnTheSparesBase) {
    ClockLabel spare;
    spare.BaseX = 45;
    spare.BaseY = -30;
    spare.LabelFlags = core::kLabelAlignCentre;
    spare.Size = -1;
    spare.Italic = true;
    const ClockLabel l = settings::NewLabelRecord(spare, "Seconds", "KEY");
    EXPECT_EQ(l.LabelName, "Seconds");
    EXPECT_EQ(l.LabelKey, "KEY");
    EXPECT_EQ(l.X, 0);
    EXPECT_EQ(l.Y, 0);
    EXPECT_EQ(l.BaseX, 45);
    EXPECT_EQ(l.BaseY, -30);
    EXPECT_EQ(l.LabelFlags, core::kLabelAlignCentre);
    EXPECT_EQ(l.Face, "Arial");
    EXPECT_EQ(l.Size, 8);
    EXPECT_EQ(l.Bold, 400);
    EXPECT_FALSE(l.Italic || l.Underline || l.StrikeOut);
    EXPECT_EQ(l.Back, 0xFFFFFF);
    EXPECT_EQ(l.Fore, 0);
    EXPECT_EQ(l.SpawnString, "hh:mm:ss");
    EXPECT_TRUE(l.Visible);
}

TEST(RemoveLabelRecord, MovesTheLaterRecordsDownAndKeepsTheSpareLast) {
    std::vector<ClockLabel> labels = Named({"A", "B", "C", "spare"});
    settings::RemoveLabelRecord(labels, 1);
    EXPECT_EQ(NamesOf(labels), (std::vector<std::string>{"A", "C", "spare"}));
    settings::RemoveLabelRecord(labels, 0);
    settings::RemoveLabelRecord(labels, 0);
    EXPECT_EQ(NamesOf(labels), (std::vector<std::string>{"spare"}));
    settings::RemoveLabelRecord(labels, 5);
    EXPECT_EQ(labels.size(), 1u) << "an index past the records removes nothing";
    settings::RemoveLabelRecord(labels, 0);
    ASSERT_EQ(labels.size(), 1u) << "the list is never without a spare";
    EXPECT_EQ(labels[0].Size, -1);
}

TEST(LabelDeletion, CorrectsEachIndexByTheRecordsRemovedBeforeIt) {
    // Five labels listed in order, the second, third and fifth selected.
    settings::LabelDeletion plan = settings::PlanLabelDeletion({0, 1, 2, 3, 4}, {false, true, true, false, true});
    EXPECT_EQ(plan.recordIndices, (std::vector<int>{1, 1, 2}));
    EXPECT_EQ(plan.lastRemovedPosition, 2) << "the fifth entry stood at position 2 once two were gone";
    std::vector<ClockLabel> labels = Named({"A", "B", "C", "D", "E", "spare"});
    for (int index : plan.recordIndices) settings::RemoveLabelRecord(labels, index);
    EXPECT_EQ(NamesOf(labels), (std::vector<std::string>{"A", "D", "spare"}));

    // A list that leaves a record out (another class) still removes the right ones.
    plan = settings::PlanLabelDeletion({0, 2, 3}, {true, false, true});
    EXPECT_EQ(plan.recordIndices, (std::vector<int>{0, 2}));
    EXPECT_EQ(plan.lastRemovedPosition, 1);
    labels = Named({"A", "tooltip", "C", "D", "spare"});
    for (int index : plan.recordIndices) settings::RemoveLabelRecord(labels, index);
    EXPECT_EQ(NamesOf(labels), (std::vector<std::string>{"tooltip", "C", "spare"}));

    plan = settings::PlanLabelDeletion({0, 1}, {true, false});
    EXPECT_EQ(plan.lastRemovedPosition, 0) << "the first entry removed: nothing is selected afterwards";
    plan = settings::PlanLabelDeletion({0, 1}, {false, false});
    EXPECT_TRUE(plan.recordIndices.empty());
    EXPECT_EQ(plan.lastRemovedPosition, -1);
}

TEST(LabelOffsets, ShowPixelsFromTheBaseAndStoreTwipsWithinSixteenBits) {
    EXPECT_EQ(settings::OffsetText(0, 0), "0");
    EXPECT_EQ(settings::OffsetText(-1875, 0), "-125");
    EXPECT_EQ(settings::OffsetText(450, 150), "20");
    EXPECT_EQ(settings::OffsetText(10, 0), "0.666666666666667");
    EXPECT_EQ(settings::OffsetText(-25, 5), "-2");
    EXPECT_EQ(settings::OffsetText(-32768, 32767), "-4369");

    EXPECT_EQ(settings::OffsetTwips(-125, 0), -1875);
    EXPECT_EQ(settings::OffsetTwips(20, 150), 450);
    EXPECT_EQ(settings::OffsetTwips(2000, 3000), 32767) << "past the field's range: clamped, not wrapped";
    EXPECT_EQ(settings::OffsetTwips(-2000, -3000), -32768);
}

TEST(LabelOffsets, StepByOneWithinTheBoundsAndFromDecimalsToTheNextWholeNumber) {
    struct Case {
        const char* text;
        int direction;
        const char* stepped;
    };
    const Case cases[] = {
        {"0", 1, "1"},           {"0", -1, "-1"},          {"2000", 1, "2000"},  {"-2000", -1, "-2000"},
        {"", 1, "1"},            {"abc", -1, "-1"},        {"3000", -1, "1999"}, {"0.666666666666667", 1, "1"},
        {"0.666666666666667", -1, "0"}, {"-2.5", 1, "-2"}, {"-2.5", -1, "-3"},   {"1999.5", 1, "2000"},
        {"-12", 1, "-11"},       {" 7 ", -1, "6"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(settings::StepOffsetText(c.text, c.direction), c.stepped) << c.text << " " << c.direction;
}

TEST(LabelFonts, RoundHalvesToEvenAndSummariseTheStyles) {
    EXPECT_EQ(settings::FontPoints(10.5), 10);
    EXPECT_EQ(settings::FontPoints(11.5), 12);
    EXPECT_EQ(settings::FontPoints(8.25), 8);
    EXPECT_EQ(settings::FontPoints(0.2), 1);

    ClockLabel l;
    l.Face = "Arial";
    l.Size = 10;
    l.Bold = 700;
    EXPECT_EQ(settings::FontSummary(l), "Arial, 10, B");
    l.Bold = 400;
    EXPECT_EQ(settings::FontSummary(l), "Arial, 10");
    l.Bold = 401;
    l.Italic = l.Underline = l.StrikeOut = true;
    EXPECT_EQ(settings::FontSummary(l), "Arial, 10, B, I, U, S");
    l.Bold = 0;
    l.Underline = false;
    EXPECT_EQ(settings::FontSummary(l), "Arial, 10, I, S");
}

TEST(LabelAlignment, CyclesThroughThePrefixAndLeavesAMatchingScriptAlone) {
    EXPECT_EQ(settings::AlignmentOfScript("achh:mm"), Alignment::Centre);
    EXPECT_EQ(settings::AlignmentOfScript("arhh:mm"), Alignment::Right);
    EXPECT_EQ(settings::AlignmentOfScript("AChh:mm"), Alignment::Left) << "capitals are no prefix";
    EXPECT_EQ(settings::AlignmentOfScript("a"), Alignment::Left);
    EXPECT_EQ(settings::AlignmentOfScript(""), Alignment::Left);

    std::string script = "achh:mm:ss";
    script = settings::Realigned(script, Alignment::Right).value();
    EXPECT_EQ(script, "arhh:mm:ss");
    script = settings::Realigned(script, Alignment::Left).value();
    EXPECT_EQ(script, "hh:mm:ss");
    script = settings::Realigned(script, Alignment::Centre).value();
    EXPECT_EQ(script, "achh:mm:ss");
    EXPECT_FALSE(settings::Realigned("achh", Alignment::Centre));
    EXPECT_FALSE(settings::Realigned("hh", Alignment::Left));
    EXPECT_FALSE(settings::Realigned("al hh", Alignment::Left)) << "\"al\" is no prefix the page writes";
    EXPECT_EQ(settings::WithoutAlignment("arhh"), "hh");
    EXPECT_EQ(settings::WithoutAlignment("ahh"), "ahh");

    EXPECT_EQ(settings::AlignmentOfFlags(0), Alignment::Left);
    EXPECT_EQ(settings::AlignmentOfFlags(core::kLabelAlignCentre | core::kLabelAlignRight), Alignment::Centre);
    EXPECT_EQ(settings::AlignmentOfFlags(core::kLabelAlignRight), Alignment::Right);
    EXPECT_EQ(settings::AlignmentOfFlags(core::kLabelAlignLeft), Alignment::Left);
}

TEST(ScriptLists, TakeTheTokenOfAQuickInsertAndTheScriptInBracketsOfAPredefinedItem) {
    EXPECT_EQ(settings::QuickInsertToken("hh hour, 00 to 23"), "hh");
    EXPECT_EQ(settings::QuickInsertToken("  : colon "), ":");
    EXPECT_EQ(settings::QuickInsertToken("ETA"), "ETA");
    EXPECT_EQ(settings::QuickInsertToken("   "), "");

    EXPECT_EQ(settings::PredefinedScript("Precise time (achh:mm:ss)"), "achh:mm:ss");
    EXPECT_EQ(settings::PredefinedScript("  Long date (DDDD D MMMM YYYY)  "), "DDDD D MMMM YYYY");
    EXPECT_EQ(settings::PredefinedScript("Nested (a(b))"), "a(b)") << "from the first \"(\" to the last character";
    EXPECT_EQ(settings::PredefinedScript("no brackets!"), "no brackets") << "without \"(\": all but the last character";
    EXPECT_EQ(settings::PredefinedScript("Empty ()"), "");
    EXPECT_FALSE(settings::PredefinedScript("")) << "nothing to take";
    EXPECT_FALSE(settings::PredefinedScript("   "));
    EXPECT_FALSE(settings::PredefinedScript("Open ("));
}

}  // namespace
