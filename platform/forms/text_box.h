// TextBox: an editable text. Text set from code raises Change only when it differs; typing raises
// Change on every edit. Its KeyDown sees every key before the box acts on it, so arrow keys reach the
// handler and still move the caret (unless the handler sets KeyCode to 0). MultiLine boxes wrap at
// blanks (and inside words that do not fit) and take Enter as a line break unless the form has a
// Default button; with ScrollBars vbVertical they show a vertical scroll bar. Ctrl+C and Ctrl+Insert
// copy the selection, Ctrl+X and Shift+Delete cut it, Ctrl+V and Shift+Insert paste; a box with a
// PasswordChar hands nothing out. A double click selects the word (or number) under the pointer and
// Ctrl+A the whole text; what the user selects becomes the text the middle button pastes (X's
// primary selection), and a middle click pastes that text at the pointer.
#pragma once

#include <vector>

#include "platform/forms/scroll_model.h"
#include "platform/forms/text_edit.h"
#include "platform/forms/text_lines.h"
#include "platform/forms/windowed_control.h"
#include "platform/services/clipboard.h"

namespace platform::forms {

class TextBox : public WindowedControl {
    std::string text() const { return edit_.Text(); }
    void setText(std::string value);
    int maxLength() const { return maxLength_; }
    void setMaxLength(int value) { maxLength_ = value < 0 ? 0 : value; }
    bool multiLine() const { return multiLine_; }
    void setMultiLine(bool value);
    int scrollBars() const { return scrollBars_; }
    void setScrollBars(int value);
    std::string passwordChar() const { return passwordChar_; }
    void setPasswordChar(std::string value);
    int alignment() const { return alignment_; }
    void setAlignment(int value);
    int selStart() const { return edit_.SelStart(); }
    void setSelStart(int value);
    int selLength() const { return edit_.SelLength(); }
    void setSelLength(int value);
    std::string selText() const { return edit_.SelText(); }
    void setSelText(std::string value);
    bool pastedLinesJoined() const { return pastedLinesJoined_; }
    void setPastedLinesJoined(bool value);

public:
    TextBox(ContainerRef container, std::string name, int index = -1);

    Prop<&TextBox::text, &TextBox::setText> Text{this};
    Prop<&TextBox::maxLength, &TextBox::setMaxLength> MaxLength{this};
    Prop<&TextBox::multiLine, &TextBox::setMultiLine> MultiLine{this};     // design time
    Prop<&TextBox::scrollBars, &TextBox::setScrollBars> ScrollBars{this};  // design time
    Prop<&TextBox::passwordChar, &TextBox::setPasswordChar> PasswordChar{this};
    Prop<&TextBox::alignment, &TextBox::setAlignment> Alignment{this};
    Prop<&TextBox::selStart, &TextBox::setSelStart> SelStart{this};
    Prop<&TextBox::selLength, &TextBox::setSelLength> SelLength{this};
    Prop<&TextBox::selText, &TextBox::setSelText> SelText{this};
    // Design time: a one-line box that joins the lines of a pasted text instead of taking only its
    // first line.
    Prop<&TextBox::pastedLinesJoined, &TextBox::setPastedLinesJoined> PastedLinesJoined{this};

    Event<> Change;

    void PaintLook(Painter& painter) override;
    void HandleMouseDown(int button, int shift, POINT px) override;
    void HandleMouseMove(int buttons, int shift, POINT px) override;
    void HandleMouseUp(int button, int shift, POINT px, bool inside) override;
    void HandleDoubleClick(int button, int shift, POINT px) override;
    const std::string& TextValue() const { return edit_.Text(); }  // without loading the form

protected:
    void ResetToDesign() override;
    void CopyDesignFrom(const Control& other) override;
    const char* ClassName() const override { return "OzrTextBox"; }
    std::string WindowText() const override { return edit_.Text(); }
    LRESULT OnKindMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnKey(int keyCode, int shift) override;
    void OnChar(unsigned codepoint) override;
    void OnFocusChanged() override;
    void OnTimerTick(UINT_PTR id) override;
    void AppearanceChanged() override;

private:
    using VisualLine = TextLines::Line;

    void Edited(bool changed);
    enum class ClipboardKey { None, Copy, Cut, Paste };
    static ClipboardKey ClipboardKeyOf(int keyCode, int shift);
    bool RunClipboardKey(int keyCode, int shift);
    std::string PastedText(const std::string& clipboard) const;
    void Paste(Clipboard::Selection from);
    // What the user selected becomes the primary selection (a password box hands nothing out).
    void OfferSelection();
    void SetTextNow(const std::string& value);
    RECT InnerRect() const;
    RECT ScrollBarRect() const;
    bool HasVerticalBar() const { return multiLine_ && (scrollBars_ & vbVertical); }
    // The visual lines, kept between edits (valid until the next change of the text or the look).
    const std::vector<VisualLine>& Layout();
    TextLines::Measure MeasureShown() const;  // a character's width as displayed
    // The x of each character position of a line, from its start: measured for a line of a
    // multi-line box, the kept ones of a single-line box's one line (valid until the next edit).
    struct Offsets {
        std::vector<int> measured;
        const std::vector<int>* kept = nullptr;
        const std::vector<int>& operator*() const { return kept ? *kept : measured; }
    };
    Offsets LineOffsets(const VisualLine& line);
    int LineOf(const std::vector<VisualLine>& lines, int position) const;
    std::string Shown(int from, int to) const;  // the characters as displayed (password masking)
    int XOf(const VisualLine& line, int position);
    int LineLeft(const VisualLine& line);
    // The line under a point, the point's x from the line's left, and the line's offsets.
    struct PointInLine {
        VisualLine line;
        int x;
        Offsets offsets;
    };
    PointInLine LineAt(POINT px);
    int PositionAt(POINT px);
    int CharacterAt(POINT px);  // the character whose cell holds the point (the nearest one)
    void EnsureCaretVisible();
    int VisibleLineCount() const;
    ScrollModel VerticalModel(const std::vector<VisualLine>& lines) const;

    TextEdit edit_;
    TextLines shown_;
    // What the kept lines were laid out for; any difference lays them out afresh.
    struct LayoutFor {
        FontDescription font;
        std::string passwordChar;
        int width = -1;
        bool multiLine = false;
        bool operator==(const LayoutFor&) const = default;
    } layoutFor_;
    int maxLength_ = 0;
    bool multiLine_ = false;
    int scrollBars_ = vbSBNone;
    std::string passwordChar_;
    int alignment_ = vbLeftJustify;
    int scrollX_ = 0;      // pixels the single line is scrolled to the left
    int topLine_ = 0;      // first visible line of a multi-line box
    bool selecting_ = false;
    bool pastedLinesJoined_ = false;
    ScrollTracker tracker_;
};

}  // namespace platform::forms
