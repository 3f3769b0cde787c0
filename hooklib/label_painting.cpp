#include "hooklib/label_painting.h"

#include "hooklib/clock_protocol.h"
#include "hooklib/context_labels.h"
#include "hooklib/label_text_now.h"
#include "hooklib/label_tokens.h"
#include "hooklib/program_bridge.h"
#include "hooklib/shared_state.h"

namespace hooklib {
namespace {

using platform::HDC;

platform::HFONT MakeLabelFont(const HookLabel& label, HDC hdc) {
    // The height is carried as a 16-bit value, as the label's size is.
    const auto height = static_cast<std::int16_t>(-platform::MulDiv(label.Size, platform::GetDeviceCaps(hdc, platform::LOGPIXELSY), 72));
    return platform::CreateFont(height, 0, 0, 0, label.Weight, label.Italic, label.Underline, label.StrikeOut,
                                platform::DEFAULT_CHARSET, platform::OUT_TT_ONLY_PRECIS, platform::CLIP_DEFAULT_PRECIS,
                                platform::ANTIALIASED_QUALITY, platform::DEFAULT_PITCH, std::string(LabelFace(label)));
}

void PrepareLabel(HookLabel& label, platform::HFONT& font, HDC hdc) {
    if (font) platform::DeleteObject(font);
    font = MakeLabelFont(label, hdc);
    label.LabelFlags = 0;
    ParseLabelFormat(label);
    for (int t = 0; t < label.TokenCount; ++t) {
        LogDebug(TokenFormatText(label, t));
        LogDebug(TokenCodeText(label, t));
    }
    label.Prepared = 1;
    // The labels are reported again with what the parse found.
    Share().LabelsReported = 0;
}

}  // namespace

bool DescribeLabels(HDC hdc, std::vector<LabelDrawing>& labels, const LabelMoment& moment, LabelMoment& textsMoment) {
    const SharedHookState& s = Share();
    const bool onBackColour = !s.Transparent && !s.EasyTransparency;
    const bool newMoment = !(moment == textsMoment);
    textsMoment = moment;
    bool prepared = false;
    std::size_t shown = 0;
    // Preparing sends nothing while the clock paints (its debug lines wait for the paint's end),
    // so the records stay where they are through the walk.
    const std::span<HookLabel> records = ContextLabels();
    const std::span<platform::HFONT> fonts = ContextLabelFonts();
    for (std::size_t i = 0; i < records.size() && i < fonts.size(); ++i) {
        HookLabel& label = records[i];
        if (!label.Shown || label.Size == 0) continue;
        const bool preparedNow = !label.Prepared;
        if (preparedNow) {
            PrepareLabel(label, fonts[i], hdc);
            prepared = true;
        }
        // Prepared all the same: the parse finds the flags the program is told.
        if (!PaintedOnClock(label.LabelFlags)) continue;
        if (shown == labels.size()) labels.emplace_back();
        LabelDrawing& drawing = labels[shown++];
        const int index = static_cast<int>(i);
        if (preparedNow || newMoment || drawing.index != index) drawing.text = RenderLabelAt(label, moment);
        drawing.index = index;
        drawing.font = fonts[i];
        drawing.x = label.X;
        drawing.y = label.Y;
        drawing.textColour = label.TextColor;
        drawing.backColour = onBackColour ? std::optional<platform::COLORREF>(label.BackColor) : std::nullopt;
    }
    labels.resize(shown);
    return prepared;
}

void DrawLabels(HDC hdc, const std::vector<LabelDrawing>& labels) {
    platform::HGDIOBJ originalFont;
    for (const LabelDrawing& label : labels) {
        const platform::HGDIOBJ replaced = platform::SelectObject(hdc, label.font);
        if (!originalFont) originalFont = replaced;
        if (label.backColour) platform::SetBkColor(hdc, *label.backColour);
        platform::SetTextColor(hdc, label.textColour);
        platform::TextOut(hdc, label.x, label.y, label.text);
    }
    if (originalFont) platform::SelectObject(hdc, originalFont);
}

platform::BOOL DeleteLabelFont(int index) {
    platform::HFONT* font = ContextLabelFont(index);
    if (!font || !*font) return 0;
    const platform::BOOL result = platform::DeleteObject(*font);
    *font = platform::HFONT{};
    return result;
}

}  // namespace hooklib
