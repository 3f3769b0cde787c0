#include "platform/forms/text_box.h"

#include <algorithm>

#include "platform/forms/captioned_control.h"
#include "platform/forms/form.h"
#include "platform/forms/painter.h"
#include "platform/services/clipboard.h"
#include "platform/window/error_boundary.h"

namespace platform::forms {

namespace {
constexpr int kBarWidth = 17;

}  // namespace

TextBox::TextBox(ContainerRef container, std::string name, int index) : WindowedControl(container, std::move(name), index) {
    TextBox::ResetToDesign();
}

void TextBox::ResetToDesign() {
    WindowedControl::ResetToDesign();
    rect_ = RECT{0, 0, 100, 21};
    SetDefaultColors(vbWindowBackground, vbWindowText);
    edit_.SetText("");
    maxLength_ = 0;
    multiLine_ = false;
    scrollBars_ = vbSBNone;
    passwordChar_.clear();
    alignment_ = vbLeftJustify;
    scrollX_ = 0;
    topLine_ = 0;
    selecting_ = false;
    pastedLinesJoined_ = false;
}

void TextBox::CopyDesignFrom(const Control& other) {
    WindowedControl::CopyDesignFrom(other);
    const auto& o = static_cast<const TextBox&>(other);
    edit_.SetText(o.edit_.Text());
    maxLength_ = o.maxLength_;
    multiLine_ = o.multiLine_;
    scrollBars_ = o.scrollBars_;
    passwordChar_ = o.passwordChar_;
    alignment_ = o.alignment_;
    pastedLinesJoined_ = o.pastedLinesJoined_;
}

// ---- Properties ----

void TextBox::setText(std::string value) {
    if (hwnd_)
        SetWindowText(hwnd_, value.c_str());  // through the window, so that a subclass sees it
    else
        SetTextNow(value);
}

void TextBox::SetTextNow(const std::string& value) {
    if (value == edit_.Text()) return;
    edit_.SetText(value);
    shown_.Forget();
    scrollX_ = 0;
    topLine_ = 0;
    Invalidate();
    if (Live()) Change();
}

void TextBox::setMultiLine(bool value) {
    if (!Parent().IsLoading()) throw Error("The property MultiLine of " + DisplayName() + " can be set only at design time");
    multiLine_ = value;
}

void TextBox::setScrollBars(int value) {
    if (!Parent().IsLoading()) throw Error("The property ScrollBars of " + DisplayName() + " can be set only at design time");
    scrollBars_ = std::clamp(value, vbSBNone, vbBoth);
}

void TextBox::setPastedLinesJoined(bool value) {
    if (!Parent().IsLoading())
        throw Error("The property PastedLinesJoined of " + DisplayName() + " can be set only at design time");
    pastedLinesJoined_ = value;
}

void TextBox::setPasswordChar(std::string value) {
    // One character: the first of the text.
    if (!value.empty()) {
        TextEdit one;
        one.SetText(value);
        value = value.substr(0, one.ByteOffset(1));
    }
    passwordChar_ = value;
    Invalidate();
}

void TextBox::setAlignment(int value) {
    alignment_ = (value == vbRightJustify || value == vbCenter) ? value : vbLeftJustify;
    Invalidate();
}

void TextBox::setSelStart(int value) {
    edit_.SetSelStart(value);
    EnsureCaretVisible();
    Invalidate();
}

void TextBox::setSelLength(int value) {
    edit_.SetSelLength(value);
    EnsureCaretVisible();
    Invalidate();
}

void TextBox::setSelText(std::string value) { Edited(edit_.ReplaceSelection(value)); }

void TextBox::Edited(bool changed) {
    if (changed) shown_.Edited(edit_.LastChange());
    EnsureCaretVisible();
    Invalidate();
    if (changed && Live()) Change();
}

void TextBox::AppearanceChanged() {
    EnsureCaretVisible();
    Invalidate();
}

// ---- Layout ----

RECT TextBox::InnerRect() const {
    int w = rect_.width(), h = rect_.height();
    return RECT{3, 2, std::max(3, w - 3 - (HasVerticalBar() ? kBarWidth : 0)), std::max(2, h - 2)};
}

RECT TextBox::ScrollBarRect() const {
    int w = rect_.width(), h = rect_.height();
    return RECT{w - 1 - kBarWidth, 1, w - 1, h - 1};
}

std::string TextBox::Shown(int from, int to) const {
    if (!passwordChar_.empty() && !multiLine_) {
        std::string out;
        for (int i = from; i < to; ++i) out += passwordChar_;
        return out;
    }
    std::size_t a = edit_.ByteOffset(from), b = edit_.ByteOffset(to);
    return edit_.Text().substr(a, b - a);
}

TextLines::Measure TextBox::MeasureShown() const {
    const CharacterWidth width(font_);
    if (!passwordChar_.empty() && !multiLine_) return [masked = width(passwordChar_)](std::string_view) { return masked; };
    return width;
}

const std::vector<TextBox::VisualLine>& TextBox::Layout() {
    const LayoutFor now{font_, passwordChar_, InnerRect().width(), multiLine_};
    if (!(now == layoutFor_)) {
        shown_.Forget();
        layoutFor_ = now;
    }
    return shown_.Lines(edit_, multiLine_, now.width, MeasureShown());
}

TextBox::Offsets TextBox::LineOffsets(const VisualLine& line) {
    if (multiLine_) return Offsets{CharacterOffsets(font_, Shown(line.start, line.end))};
    Layout();  // the kept offsets belong to the present look
    return Offsets{{}, &shown_.Offsets(edit_, MeasureShown())};
}

int TextBox::LineOf(const std::vector<VisualLine>& lines, int position) const {
    // The last line that starts at or before the position: a position at a wrap point belongs to
    // the following line.
    auto after = std::upper_bound(lines.begin(), lines.end(), position, [](int p, const VisualLine& l) { return p < l.start; });
    return std::max(0, static_cast<int>(after - lines.begin()) - 1);
}

int TextBox::LineLeft(const VisualLine& line) {
    RECT inner = InnerRect();
    int width = (*LineOffsets(line)).back();
    if (!multiLine_ && width > inner.width()) return -scrollX_;
    switch (alignment_) {
        case vbRightJustify: return inner.width() - width - 1;
        case vbCenter: return (inner.width() - width) / 2;
        default: return multiLine_ ? 0 : -scrollX_;
    }
}

int TextBox::XOf(const VisualLine& line, int position) {
    const Offsets kept = LineOffsets(line);
    const std::vector<int>& offsets = *kept;
    int i = std::clamp(position - line.start, 0, static_cast<int>(offsets.size()) - 1);
    return LineLeft(line) + offsets[static_cast<std::size_t>(i)];
}

int TextBox::VisibleLineCount() const { return std::max(1, InnerRect().height() / std::max(1, LineHeight(font_))); }

TextBox::PointInLine TextBox::LineAt(POINT px) {
    RECT inner = InnerRect();
    const std::vector<VisualLine>& lines = Layout();
    int index = 0;
    if (multiLine_)
        index = std::clamp(topLine_ + (px.y - inner.top) / std::max(1, LineHeight(font_)), 0,
                           static_cast<int>(lines.size()) - 1);
    const VisualLine line = lines[static_cast<std::size_t>(index)];
    return PointInLine{line, px.x - inner.left - LineLeft(line), LineOffsets(line)};
}

int TextBox::PositionAt(POINT px) {
    const PointInLine at = LineAt(px);
    const std::vector<int>& offsets = *at.offsets;
    // The nearest character boundary; of equally near ones the first.
    auto it = std::lower_bound(offsets.begin(), offsets.end(), at.x);
    if (it == offsets.end() || (it != offsets.begin() && at.x - *(it - 1) <= *it - at.x))
        it = std::lower_bound(offsets.begin(), offsets.end(), *(it - 1));
    return at.line.start + static_cast<int>(it - offsets.begin());
}

int TextBox::CharacterAt(POINT px) {
    const PointInLine at = LineAt(px);
    const std::vector<int>& offsets = *at.offsets;
    // The last boundary at or left of the point starts the character under it.
    const int boundary = static_cast<int>(std::upper_bound(offsets.begin(), offsets.end(), at.x) - offsets.begin()) - 1;
    const int last = std::max(0, at.line.end - at.line.start - 1);
    return at.line.start + std::clamp(boundary, 0, last);
}

ScrollModel TextBox::VerticalModel(const std::vector<VisualLine>& lines) const {
    ScrollModel m;
    m.vertical = true;
    m.min = 0;
    m.max = std::max(0, static_cast<int>(lines.size()) - VisibleLineCount());
    m.value = std::clamp(topLine_, m.min, m.max);
    m.smallChange = 1;
    m.largeChange = VisibleLineCount();
    return m;
}

void TextBox::EnsureCaretVisible() {
    const std::vector<VisualLine>& lines = Layout();
    int caretLine = LineOf(lines, edit_.Caret());
    if (multiLine_) {
        int visible = VisibleLineCount();
        if (caretLine < topLine_) topLine_ = caretLine;
        if (caretLine >= topLine_ + visible) topLine_ = caretLine - visible + 1;
        topLine_ = std::clamp(topLine_, 0, std::max(0, static_cast<int>(lines.size()) - 1));
        return;
    }
    const std::vector<int>& offsets = shown_.Offsets(edit_, MeasureShown());
    int width = InnerRect().width();
    if (offsets.back() <= width) {
        scrollX_ = 0;
        return;
    }
    int x = offsets[static_cast<std::size_t>(std::clamp(edit_.Caret(), 0, static_cast<int>(offsets.size()) - 1))];
    if (x - scrollX_ > width - 1) scrollX_ = x - width + 1 + width / 4;
    if (x < scrollX_) scrollX_ = std::max(0, x - width / 4);
    scrollX_ = std::clamp(scrollX_, 0, std::max(0, offsets.back() - width + 1));
}

// ---- Input ----

void TextBox::HandleMouseDown(int button, int shift, POINT px) {
    if (button == vbLeftButton && HasVerticalBar()) {
        ScrollModel model = VerticalModel(Layout());
        if (model.HitTest(ScrollBarRect(), px) != ScrollPart::None) {
            WindowedControl::HandleMouseDown(button, shift, px);
            tracker_.Press(hwnd_, model, ScrollBarRect(), px, [this](int v) {
                topLine_ = v;
                Invalidate();
            });
            return;
        }
    }
    WindowedControl::HandleMouseDown(button, shift, px);
    if (button == vbMiddleButton && hwnd_ && enabled_) {
        // As every X program does: the text last selected goes in where the middle button pressed.
        if (!SetFocus() || !hwnd_) return;
        edit_.MoveCaret(PositionAt(px), false);
        Paste(Clipboard::Selection::Primary);
        return;
    }
    if (button != vbLeftButton || !hwnd_) return;
    edit_.MoveCaret(PositionAt(px), (shift & vbShiftMask) != 0);
    selecting_ = true;
    EnsureCaretVisible();
    Invalidate();
}

void TextBox::HandleMouseMove(int buttons, int shift, POINT px) {
    if (tracker_.Active()) {
        tracker_.Move(VerticalModel(Layout()), ScrollBarRect(), px, [this](int v) {
            topLine_ = v;
            Invalidate();
        });
    } else if (selecting_ && (buttons & vbLeftButton)) {
        edit_.MoveCaret(PositionAt(px), true);
        EnsureCaretVisible();
        Invalidate();
    }
    WindowedControl::HandleMouseMove(buttons, shift, px);
}

void TextBox::HandleMouseUp(int button, int shift, POINT px, bool inside) {
    if (button == vbLeftButton) {
        tracker_.Release(hwnd_);
        if (selecting_) OfferSelection();
        selecting_ = false;
    }
    WindowedControl::HandleMouseUp(button, shift, px, inside);
}

// A double click selects the word under the pointer, so that typing replaces it; a password box,
// whose words are not shown, selects its whole text.
void TextBox::HandleDoubleClick(int button, int shift, POINT px) {
    if (button == vbLeftButton && hwnd_) {
        const auto [from, to] = passwordChar_.empty() ? edit_.WordAt(CharacterAt(px)) : std::pair{0, edit_.Length()};
        edit_.Select(from, to);
        selecting_ = false;
        EnsureCaretVisible();
        Invalidate();
        OfferSelection();
    }
    WindowedControl::HandleDoubleClick(button, shift, px);
}

void TextBox::OnTimerTick(UINT_PTR id) {
    if (id != ScrollTracker::kRepeatTimer) return;
    tracker_.Repeat(hwnd_, VerticalModel(Layout()), ScrollBarRect(), [this](int v) {
        topLine_ = v;
        Invalidate();
    });
}

// What a paste puts into the box: a one-line box takes the text up to its first line break, or
// joins its lines when it is made to; a multi-line box keeps the breaks (as CR LF); other control
// characters but the tab are dropped.
std::string TextBox::PastedText(const std::string& clipboard) const {
    std::string out;
    for (std::size_t i = 0; i < clipboard.size(); ++i) {
        const char c = clipboard[i];
        if (c == '\r' || c == '\n') {
            if (!multiLine_ && pastedLinesJoined_) continue;
            if (!multiLine_) break;
            if (c == '\r' && i + 1 < clipboard.size() && clipboard[i + 1] == '\n') ++i;
            out += "\r\n";
        } else if (static_cast<unsigned char>(c) >= 32 || c == '\t') {
            out += c;
        }
    }
    return out;
}

// The clipboard keys of the classic edit box, with exactly these modifiers held.
TextBox::ClipboardKey TextBox::ClipboardKeyOf(int keyCode, int shift) {
    struct Entry {
        int keyCode;
        int shift;
        ClipboardKey action;
    };
    static constexpr Entry kKeys[] = {
        {'C', vbCtrlMask, ClipboardKey::Copy},  {VK_INSERT, vbCtrlMask, ClipboardKey::Copy},
        {'X', vbCtrlMask, ClipboardKey::Cut},   {VK_DELETE, vbShiftMask, ClipboardKey::Cut},
        {'V', vbCtrlMask, ClipboardKey::Paste}, {VK_INSERT, vbShiftMask, ClipboardKey::Paste},
    };
    const int held = shift & (vbShiftMask | vbCtrlMask | vbAltMask);
    for (const Entry& e : kKeys)
        if (e.keyCode == keyCode && e.shift == held) return e.action;
    return ClipboardKey::None;
}

// Copy and cut hand the selection to the clipboard; a password box hands nothing out (its keys do
// nothing then), and a cut keeps the text when the clipboard did not take it. Shift+Delete with
// nothing selected deletes as Delete does. True when the key was a clipboard key it acted on.
bool TextBox::RunClipboardKey(int keyCode, int shift) {
    const ClipboardKey action = ClipboardKeyOf(keyCode, shift);
    if (action == ClipboardKey::None) return false;
    if (action == ClipboardKey::Paste) {
        Paste(Clipboard::Selection::Clipboard);
        return true;
    }
    if (action == ClipboardKey::Cut && keyCode == VK_DELETE && edit_.SelLength() == 0) return false;
    if (!passwordChar_.empty() || edit_.SelLength() == 0) return true;
    if (!UseService<Clipboard>().SetText(edit_.SelText())) {
        ReportDropped("a text box's selection could not be put on the clipboard");
        return true;
    }
    if (action == ClipboardKey::Cut) Edited(edit_.ReplaceSelection(""));
    return true;
}

void TextBox::Paste(Clipboard::Selection from) {
    Edited(edit_.Insert(PastedText(UseService<Clipboard>().Text(from)), maxLength_));
}

void TextBox::OfferSelection() {
    if (!passwordChar_.empty() || edit_.SelLength() == 0) return;
    if (!UseService<Clipboard>().SetText(Clipboard::Selection::Primary, edit_.SelText()))
        ReportDropped("a text box's selection could not be offered to the middle button of other programs");
}

void TextBox::OnKey(int keyCode, int shift) {
    if (RunClipboardKey(keyCode, shift)) return;
    bool extend = (shift & vbShiftMask) != 0;
    bool ctrl = (shift & vbCtrlMask) != 0;
    if (keyCode == 'A' && (shift & (vbShiftMask | vbCtrlMask | vbAltMask)) == vbCtrlMask) {
        edit_.Select(0, edit_.Length());
        EnsureCaretVisible();
        Invalidate();
        OfferSelection();
        return;
    }
    const std::vector<VisualLine> single{VisualLine{0, edit_.Length()}};
    const std::vector<VisualLine>& lines = multiLine_ ? Layout() : single;
    int caret = edit_.Caret();
    int line = LineOf(lines, caret);
    auto toLine = [&](int target) {
        target = std::clamp(target, 0, static_cast<int>(lines.size()) - 1);
        const VisualLine& from = lines[static_cast<std::size_t>(line)];
        const VisualLine& to = lines[static_cast<std::size_t>(target)];
        int x = XOf(from, caret);
        const Offsets kept = LineOffsets(to);
        const std::vector<int>& offsets = *kept;
        int best = 0;
        for (std::size_t i = 0; i < offsets.size(); ++i)
            if (std::abs(LineLeft(to) + offsets[i] - x) < std::abs(LineLeft(to) + offsets[static_cast<std::size_t>(best)] - x))
                best = static_cast<int>(i);
        edit_.MoveCaret(to.start + best, extend);
    };
    // A single-line box moves its caret with Up and Down as with Left and Right.
    if (!multiLine_ && keyCode == VK_UP) keyCode = VK_LEFT;
    if (!multiLine_ && keyCode == VK_DOWN) keyCode = VK_RIGHT;
    switch (keyCode) {
        case VK_LEFT:
            if (!extend && edit_.SelLength() > 0)
                edit_.MoveCaret(edit_.SelStart(), false);
            else
                edit_.MoveCaret(edit_.Previous(caret), extend);
            break;
        case VK_RIGHT:
            if (!extend && edit_.SelLength() > 0)
                edit_.MoveCaret(edit_.SelStart() + edit_.SelLength(), false);
            else
                edit_.MoveCaret(edit_.Next(caret), extend);
            break;
        case VK_HOME: edit_.MoveCaret(ctrl || !multiLine_ ? 0 : lines[static_cast<std::size_t>(line)].start, extend); break;
        case VK_END:
            edit_.MoveCaret(ctrl || !multiLine_ ? edit_.Length() : lines[static_cast<std::size_t>(line)].end, extend);
            break;
        case VK_UP: toLine(line - 1); break;
        case VK_DOWN: toLine(line + 1); break;
        case VK_PRIOR:
            if (multiLine_) toLine(line - VisibleLineCount());
            break;
        case VK_NEXT:
            if (multiLine_) toLine(line + VisibleLineCount());
            break;
        case VK_DELETE: Edited(edit_.Delete()); return;
        default: return;
    }
    EnsureCaretVisible();
    Invalidate();
    if (extend) OfferSelection();
}

void TextBox::OnChar(unsigned codepoint) {
    if (codepoint == VK_BACK) {
        Edited(edit_.Backspace());
    } else if (codepoint == VK_RETURN) {
        if (multiLine_) Edited(edit_.Insert("\r\n", maxLength_));
    } else if (codepoint >= 32 && codepoint != 127) {
        Edited(edit_.Insert(Utf8FromCodePoint(codepoint), maxLength_));
    }
}

void TextBox::OnFocusChanged() {
    selecting_ = false;
    Invalidate();
}

LRESULT TextBox::OnKindMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_SETTEXT: SetTextNow(lParam ? reinterpret_cast<const char*>(lParam) : ""); return 1;
        case WM_GETTEXT:
        case WM_GETTEXTLENGTH: return AnswerTextMessage(edit_.Text(), msg, wParam, lParam);
        default: return WindowedControl::OnKindMessage(msg, wParam, lParam);
    }
}

// ---- Look ----

void TextBox::PaintLook(Painter& painter) {
    RECT r{0, 0, rect_.width(), rect_.height()};
    painter.FillRect(r, enabled_ ? backColor_ : vbButtonFace);
    painter.FrameRect(r, hasFocus_ ? vbWindowFrame : vbButtonShadow);
    const std::vector<VisualLine> single{VisualLine{0, edit_.Length()}};
    const std::vector<VisualLine>& lines = multiLine_ ? Layout() : single;
    if (HasVerticalBar()) VerticalModel(lines).Paint(painter, ScrollBarRect(), enabled_);
    RECT inner = InnerRect();
    Painter::Scope scope(painter, inner);
    int lh = LineHeight(font_);
    COLORREF text = enabled_ ? foreColor_ : vbGrayText;
    int selA = edit_.SelStart(), selB = edit_.SelStart() + edit_.SelLength();
    int first = multiLine_ ? topLine_ : 0;
    int count = multiLine_ ? VisibleLineCount() + 1 : 1;
    int y0 = multiLine_ ? 0 : std::max(0, (inner.height() - lh) / 2);
    for (int i = first; i < static_cast<int>(lines.size()) && i < first + count; ++i) {
        const VisualLine& line = lines[static_cast<std::size_t>(i)];
        int y = y0 + (i - first) * lh;
        int a = std::clamp(selA, line.start, line.end), b = std::clamp(selB, line.start, line.end);
        bool selected = hasFocus_ && b > a;
        // Only the characters inside the box are drawn: a long single line shows a part of itself.
        const Offsets kept = LineOffsets(line);
        const std::vector<int>& offsets = *kept;
        const int left = LineLeft(line);
        const int shownFrom = line.start + std::max(0, static_cast<int>(std::upper_bound(offsets.begin(), offsets.end(), -left) - offsets.begin()) - 1);
        const int shownTo = line.start + static_cast<int>(std::lower_bound(offsets.begin(), offsets.end(), inner.width() - left) - offsets.begin());
        auto xOf = [&](int position) { return left + offsets[static_cast<std::size_t>(std::clamp(position - line.start, 0, static_cast<int>(offsets.size()) - 1))]; };
        // The text in three runs: before, inside and after the selection.
        auto run = [&](int from, int to, COLORREF color) {
            from = std::max(from, shownFrom);
            to = std::min(to, shownTo);
            if (to <= from) return;
            int x = xOf(from);
            painter.Text(RECT{x, y, xOf(to) + 2, y + lh}, Shown(from, to), font_, color, kTextLeft | kTextNoClip);
        };
        if (selected) {
            painter.FillRect(RECT{xOf(a), y, xOf(b), y + lh}, vbHighlight);
            run(line.start, a, text);
            run(a, b, vbHighlightText);
            run(b, line.end, text);
        } else {
            run(line.start, line.end, text);
        }
    }
    if (hasFocus_) {
        int caretLine = LineOf(lines, edit_.Caret());
        if (caretLine >= first && caretLine < first + count) {
            int x = XOf(lines[static_cast<std::size_t>(caretLine)], edit_.Caret());
            int y = y0 + (caretLine - first) * lh;
            painter.Line(x, y, x, y + lh - 1, foreColor_);
        }
    }
}

}  // namespace platform::forms
