// The text and selection of a text box, counted in characters of its UTF-8 text. A line break is the
// pair CR LF; the caret never stops between its two characters.
//
// An edit costs what it changes, not what the box holds: the character count follows each edit,
// and a character position finds its byte from the last one found (edits and the caret move
// little at a time), or at once while the text is all ASCII.
#pragma once

#include <string>
#include <utility>

namespace platform::forms {

class TextEdit {
public:
    const std::string& Text() const { return text_; }
    // Replaces the whole text; the caret goes to the start.
    void SetText(std::string text);
    int Length() const { return length_; }

    int SelStart() const { return caret_ < anchor_ ? caret_ : anchor_; }
    int SelLength() const { return caret_ < anchor_ ? anchor_ - caret_ : caret_ - anchor_; }
    std::string SelText() const;
    int Caret() const { return caret_; }
    // SelStart collapses the selection there; SelLength extends it from SelStart.
    void SetSelStart(int position);
    void SetSelLength(int length);
    void Select(int anchor, int caret);
    void MoveCaret(int position, bool extend);

    // Typing and deleting; each returns true when the text changed. A maximum length of 0 is none.
    bool Insert(const std::string& text, int maxLength);
    bool Backspace();
    bool Delete();
    bool ReplaceSelection(const std::string& text);

    // What the last edit that changed the text did, in characters: at `at`, `removed` characters
    // gave way to `inserted` ones. SetText counts as a change of everything.
    struct Change {
        int at = 0;
        int removed = 0;
        int inserted = 0;
    };
    const Change& LastChange() const { return lastChange_; }

    // Character positions of the caret's neighbours, skipping a line break as one step.
    int Previous(int position) const;
    int Next(int position) const;
    int LineStartOf(int position) const;
    int LineEndOf(int position) const;
    // The word that holds the character at `position` (the last one at the end of the text), as
    // its first position and the one after its last: a run of letters and digits (a number is a
    // word), of blanks, or of other signs. A line break is no part of any word.
    std::pair<int, int> WordAt(int position) const;

    // Byte offset of a character position, and the reverse.
    std::size_t ByteOffset(int position) const;
    int PositionOfByte(std::size_t byteOffset) const;

private:
    int Clamp(int position) const;
    int Snap(int position) const;  // off the middle of a CR LF pair
    bool IsInsideLineBreak(int position) const;

    bool AllAscii() const { return static_cast<std::size_t>(length_) == text_.size(); }

    std::string text_;
    int length_ = 0;
    int anchor_ = 0;
    int caret_ = 0;
    Change lastChange_;
    // A character position and its byte, the last ones found: the next search starts from there.
    mutable int knownPosition_ = 0;
    mutable std::size_t knownByte_ = 0;
};

// Characters of a UTF-8 text, and the UTF-8 form of a code point.
int CharacterCount(const std::string& text);
std::string Utf8FromCodePoint(unsigned codepoint);

}  // namespace platform::forms
