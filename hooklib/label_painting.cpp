#include "hooklib/label_painting.h"

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

bool DescribeLabels(HDC hdc, std::vector<LabelDrawing>& labels) {
    const SharedHookState& s = Share();
    const bool onBackColour = !s.Transparent && !s.EasyTransparency;
    bool prepared = false;
    labels.clear();
    for (int i = 0; i < s.HookLabelCount; ++i) {
        HookLabel* label = ContextLabel(i);
        platform::HFONT* font = ContextLabelFont(i);
        if (!label || !font) break;
        if (!label->Shown || label->Size == 0) continue;
        if (!label->Prepared) {
            PrepareLabel(*label, *font, hdc);
            prepared = true;
        }
        labels.push_back(LabelDrawing{*font, label->X, label->Y, label->TextColor,
                                      onBackColour ? std::optional<platform::COLORREF>(label->BackColor) : std::nullopt,
                                      RenderLabelNow(*label)});
    }
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
