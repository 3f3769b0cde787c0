// The floating clock's layout: label texts, fonts, stacking, alignment, clipping and the window's
// size. All positions and sizes are twips; the label controls keep them on the pixel grid, so the
// window's size is compared with its targets on that grid too.
#include "core/floating_layout.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "core/frm_main.h"
#include "core/globals.h"
#include "core/library_binding.h"
#include "core/rounding.h"
#include "platform/forms/constants.h"

namespace core {
namespace {

using LabelControl = platform::forms::Label;
using platform::forms::kKeep;

// The clock's borders, fixed size and global offset, in twips.
struct ClockFrame {
    std::int32_t BL, BT, CW, CH, PX, PY;
    bool autoSize, centred;
};

ClockFrame CurrentClockFrame() {
    const ProgramSettings& s = Settings;
    return ClockFrame{s.BorderLeft * 15, s.BorderTop * 15, s.ClockWidth * 15, s.ClockHeight * 15,
                      s.PositionX * 15,  s.PositionY * 15, s.AutoSize,        s.ClockCenter};
}

// A length in twips as the pixel grid of the window and its controls holds it.
std::int32_t OnPixelGrid(std::int32_t twips) {
    return platform::forms::PixelsToTwips(platform::forms::TwipsToPixels(twips));
}

// A label index has a record and a display record; any other index is left alone.
bool HasLabelSlot(int i) {
    auto n = static_cast<std::size_t>(i);
    return i >= 0 && i < LabelCount && n < Labels.size() && n < LabelDisplays.size();
}

// The filter every pass applies: the label is visible, has a size and is meant for the window.
bool IsLaidOut(int i) {
    if (!HasLabelSlot(i)) return false;
    const ClockLabel& l = Labels[static_cast<std::size_t>(i)];
    return l.Visible && l.Size >= 0 && PaintedOnClock(static_cast<std::uint32_t>(l.LabelFlags));
}

// Sets a property only when its value changes: a label that fits itself to its text measures the
// text again on every change, and the every-second pass re-sets every font.
template <class P>
void Assign(P& property, const typename P::T& value) {
    if (property() != value) property = value;
}

// Font, colours and text, fitted to the text; the control then keeps that size.
void ShowText(LabelControl& c, const ClockLabel& l, const std::string& text) {
    c.AutoSize = true;
    Assign(c.FontName, l.Face);
    Assign(c.FontSize, static_cast<double>(l.Size));
    Assign(c.FontBold, l.Bold > 400);
    Assign(c.FontItalic, l.Italic);
    Assign(c.FontUnderline, l.Underline);
    Assign(c.FontStrikethru, l.StrikeOut);
    Assign(c.BackColor, static_cast<platform::COLORREF>(l.Back));
    Assign(c.ForeColor, static_cast<platform::COLORREF>(l.Fore));
    Assign(c.Caption, text);
    c.AutoSize = false;
}

// Narrows the label to the room left; no room at all hides it.
void CutWidth(LabelControl& c, std::int32_t& shown, std::int32_t room) {
    if (room < 0) {
        room = 0;
        shown = 0;
    }
    if (c.Width > room) c.Width = room;
}

// The label never starts left of the border.
void KeepRightOfBorder(LabelControl& c, const ClockFrame& f) {
    if (c.Left < f.BL) c.Left = f.BL;
}

// A fixed-size clock cuts a label at its right edge.
void CutAtClockWidth(LabelControl& c, std::int32_t& shown, const ClockFrame& f) {
    if (!f.autoSize && c.Left + c.Width > f.CW) CutWidth(c, shown, f.CW + f.BL - c.Left);
}

// An auto-sized clock cuts a label at the right edge of the label block.
void CutAtBlockEdge(LabelControl& c, std::int32_t& shown, const ClockFrame& f, std::int32_t edge) {
    if (f.autoSize && c.Width + c.Left - f.PX > edge)
        CutWidth(c, shown, edge - c.Left + f.BL + (Settings.PositionX > 0 ? f.PX : 0));
}

// Cuts a label at the top border and, in a fixed-size clock, at the bottom edge.
void ClipVertically(LabelControl& c, std::int32_t& shown, const ClockFrame& f) {
    std::int32_t top = c.Top, height = c.Height;
    if (top < f.BT) {
        if (top + height - f.BT > 0) {
            height = top + height - f.BT;
            top = f.BT;
            shown = height;
        } else {
            shown = 0;
        }
    }
    if (!f.autoSize && top + height > f.BT + f.CH) {
        if (top >= f.BT + f.CH)
            shown = 0;
        else
            height = f.BT + f.CH - top;
    }
    c.Move(kKeep, top, kKeep, height);
}

// The label fitted to its text inside a box starting at the clock's left edge, with the
// alignment given; the text alignment goes back to left afterwards.
void FitInBox(LabelControl& c, int alignment, std::int32_t boxWidth) {
    c.Alignment = alignment;
    c.Move(0, kKeep, boxWidth);
    c.AutoSize = true;
    c.Alignment = platform::forms::vbLeftJustify;
}

}  // namespace

void frmMainForm::SetLabelData(std::int16_t index, const std::string& text) {
    // Only the labels of the list have a place on the clock.
    if (index < 0 || index >= LabelCount || static_cast<std::size_t>(index) >= Labels.size()) return;
    if (DisplayLabelCount < index + 1) {
        DisplayLabelCount = static_cast<std::int16_t>(index + 1);
        ResizeLabelDisplays(static_cast<std::size_t>(DisplayLabelCount) + 1);
        // Every label is laid out afresh.
        for (LabelDisplay& d : LabelDisplays) d.StartAfresh();
    }
    // Label controls are never unloaded: while there are as many as labels shown, none is missing,
    // and a label text costs no walk over every control.
    if (Label.Count() < DisplayLabelCount) {
        // With as many controls as the highest index allows, none lies between: only those above
        // are missing, so a label shown after the others costs no walk either.
        const int first = Label.Count() == Label.UBound() + 1 ? Label.Count() : 0;
        for (int i = first; i < DisplayLabelCount; ++i) {
            if (Label.Exists(i)) continue;
            Label.Load(i);
            Label(i).Visible = true;
        }
    }
    LabelDisplays[static_cast<std::size_t>(index)].LabelText = text;
}

void frmMainForm::UpdateDisplay(bool force) {
    if (DisplayLabelCount == 0 || LabelsRebuilding) return;
    const ClockFrame f = CurrentClockFrame();
    const int controls = Label.UBound() + 1;
    std::int32_t R = 15, H = 0, T = f.BT * 2 + f.CH, B = 0;
    int previous = -1;
    std::vector<bool> widthChanged(static_cast<std::size_t>(std::max(controls, 0)), false);
    // Whether each label ends the pass shown. It is set once, at the end: hidden and shown again
    // within the pass, every label would be painted anew on every pass, also when nothing changed.
    std::vector<bool> showing(widthChanged.size(), false);

    // Pass 1: texts and fonts, stacked from the top.
    for (int i = 0; i < controls; ++i) {
        if (!IsLaidOut(i) || !Label.Exists(i)) continue;
        LabelControl& c = Label(i);
        const auto n = static_cast<std::size_t>(i);
        const ClockLabel& l = Labels[n];
        LabelDisplay& d = LabelDisplays[n];
        std::int32_t& shown = d.LabelShownHeight;
        ShowText(c, l, d.LabelText);
        shown = c.Height;
        if (previous < 0)
            c.Top = l.Y + f.BT;
        else  // the global offset counts once, in the first label's Y
            c.Top = Label(previous).Top + Label(previous).Height + l.Y - f.PY;
        previous = i;
        KeepRightOfBorder(c, f);
        CutAtClockWidth(c, shown, f);
        if (std::abs(c.Width - d.LabelLayoutWidth) > 45) {
            d.LabelLayoutWidth = c.Width;
            widthChanged[n] = true;
        }
        const std::int32_t top = c.Top, height = c.Height;
        if (shown != 0) {
            T = std::min(T, top);
            B = std::max(B, top + height);
        }
        R = std::max(R, l.X + static_cast<std::int32_t>(c.Width));
        LayoutRightEdge = std::max(LayoutRightEdge, R);
        H = std::max(H, top + height - f.BT);
        CutAtBlockEdge(c, shown, f, LayoutRightEdge);
    }
    if (previous < 0) {
        NoLabelsToDisplay();
        return;
    }

    // Pass 2: cut at the clock's top and bottom edges.
    const bool centring = !f.autoSize && f.centred;
    for (int i = 0; i < controls; ++i) {
        if (!IsLaidOut(i) || !Label.Exists(i)) continue;
        LabelControl& c = Label(i);
        std::int32_t& shown = LabelDisplays[static_cast<std::size_t>(i)].LabelShownHeight;
        if (centring) c.Top = c.Top + CentringOffsetY;
        ClipVertically(c, shown, f);
        showing[static_cast<std::size_t>(i)] = shown > 0;
    }

    if (centring) CentringOffsetY = static_cast<std::int32_t>(RoundHalfEven((f.CH - (B - T)) / 2.0 - (T - f.BT) + f.PY));
    // Every label is aligned again when the block's width differs from the window's: an aligned
    // label's offset may widen the block back to the window's width by the end of the pass.
    const bool realign = force || (f.autoSize && Width != OnPixelGrid(R + 2 * f.BL));
    bool widened = false;
    if (std::fmod(RoundHalfEven(R / 30.0), 2.0) == 0) {
        R += 15;
        widened = true;
    }

    // Pass 3: labels whose width changed, or all when the window was resized, are aligned again.
    for (int i = 0; i < controls; ++i) {
        if (!IsLaidOut(i) || !Label.Exists(i)) continue;
        const auto n = static_cast<std::size_t>(i);
        if (!widthChanged[n] && !realign) continue;
        LabelControl& c = Label(i);
        const ClockLabel& l = Labels[n];
        std::int32_t& shown = LabelDisplays[n].LabelShownHeight;
        c.AutoSize = false;
        if (l.LabelFlags & kLabelAlignLeft) {
            c.Alignment = platform::forms::vbLeftJustify;
            c.Left = l.X + f.BL;
            c.AutoSize = true;
        } else if (l.LabelFlags & kLabelAlignCentre) {
            FitInBox(c, platform::forms::vbCenter, f.autoSize ? R + 2 * f.BL : f.CW + 2 * f.BL);
            c.Left = c.Left + l.X;
            if (f.autoSize) R = std::max(R, c.Width + c.Left - f.BL);
        } else if (l.LabelFlags & kLabelAlignRight) {
            FitInBox(c, platform::forms::vbRightJustify, f.autoSize ? R + f.BL : f.CW + f.BL);
            c.Left = c.Left + l.X - (Settings.PositionX > 0 ? f.PX : 0);
            if (f.autoSize) R = std::max(R, c.Width + c.Left - f.BL);
            if (widened) c.Left = c.Left - 15;
        } else {
            c.Left = l.X + f.BL;
        }
        c.Height = shown;
        ClipVertically(c, shown, f);
        KeepRightOfBorder(c, f);
        CutAtClockWidth(c, shown, f);
        CutAtBlockEdge(c, shown, f, R);
        showing[n] = shown > 0;
    }
    for (int i = 0; i < controls; ++i)
        if (Label.Exists(i)) Assign(Label(i).Visible, static_cast<bool>(showing[static_cast<std::size_t>(i)]));

    // The window's size.
    if (widened) R -= 15;
    const std::int32_t targetWidth = OnPixelGrid(f.autoSize ? R + 2 * f.BL : f.CW + 2 * f.BL);
    const std::int32_t targetHeight = OnPixelGrid(f.BT * 2 + (f.autoSize ? H : f.CH));
    const bool sized = Width != targetWidth || Height != targetHeight;
    // Only a size that really changes counts as a resize: one that the next pass finds again
    // would keep the engine at its fast pace for good.
    if (force || sized) {
        LayoutRightEdge = 0;
        if (f.autoSize) FastStartTicks = 3;  // the engine ticks at once three more times, so the clock settles
    }
    if (Width != targetWidth) {
        if (Settings.SystrayClock)
            OZRSetClockWidth(f.autoSize ? static_cast<std::int16_t>(RoundHalfEven(R / 15.0)) : Settings.ClockWidth);
        if (SettingsWindowOpen) Left = Left - (targetWidth - Width);  // the right edge stays in place
        Width = targetWidth;
    }
    if (Height != targetHeight) {
        if (Settings.SystrayClock)
            OZRSetClockHeight(f.autoSize ? static_cast<std::int16_t>(RoundHalfEven(H / 15.0)) : Settings.ClockHeight);
        if (SettingsWindowOpen) Top = Top - (targetHeight - Height);  // the bottom edge stays in place
        Height = targetHeight;
    }
    // A size held by its right or bottom edge, or one that grew near the screen's edge, may reach
    // past the monitor.
    if (sized) KeepWholeOnMonitor();
    if (SecondsBetween(StartTime, Now()) < 5 && Settings.Anchor != 0 && !ModalWindowOpen && !BodyMovin.Enabled)
        UpdateMainWindowAnchoring();
}

void frmMainForm::UpdateLabelKerning(std::int16_t dx, std::int16_t dy) { ShiftLabelOffsets(dx, dy); }

void frmMainForm::NoLabelsToDisplay() {
    for (int i : Label.Indices())
        if (i != 0) Label(i).Visible = false;
    LabelControl& c = Label(0);
    c.BackColor = platform::forms::vbButtonFace;
    c.ForeColor = platform::forms::vbWindowText;
    c.Move(0, 0);
    c.FontName = "Arial";
    c.FontSize = 8;
    c.FontBold = true;
    c.FontItalic = false;
    c.FontUnderline = false;
    c.FontStrikethru = false;
    c.Caption = LanguageFile.ReadText("General", "LBL ERR NL");
    c.AutoSize = true;
    c.Visible = true;
    Move(kKeep, kKeep, c.Width, c.Height);
}

}  // namespace core
