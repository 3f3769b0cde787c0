#include "core/alarm_keys.h"

#include "core/date_routines.h"
#include "core/debug_log.h"
#include "core/language_text.h"
#include "core/stored_fields.h"
#include "core/text_replace.h"
#include "platform/base.h"
#include "platform/services/paths.h"

namespace core {
namespace {

// A number field of a part of the record (the slide block).
template <class Record>
AlarmKey Number(const char* key, StoredMember<Record> member, Record Alarm::*part) {
    return {key, [=](const Alarm& a) -> StoredText { return std::to_string(FieldNumber(a.*part, member, TrueAs::One)); },
            [=](Alarm& a, const std::string& text) { return StoreFieldText(a.*part, member, text); }, "0"};
}

AlarmKey Number(const char* key, StoredMember<Alarm> member) {
    return {key, [=](const Alarm& a) -> StoredText { return std::to_string(FieldNumber(a, member, TrueAs::One)); },
            [=](Alarm& a, const std::string& text) { return StoreFieldText(a, member, text); }, "0"};
}

AlarmKey Slide(const char* key, StoredMember<SlideSettings> member) { return Number(key, member, &Alarm::SlideSettings); }

using Convert = std::string (*)(const std::string&);
std::string AsIs(const std::string& s) { return s; }

AlarmKey Text(const char* key, std::string Alarm::*member, Convert toFile = AsIs, Convert fromFile = AsIs) {
    return {key, [=](const Alarm& a) -> StoredText { return toFile(a.*member); },
            [=](Alarm& a, const std::string& text) {
                a.*member = fromFile(text);
                return true;
            },
            ""};
}

// Line breaks are stored as the four characters "\r\n"; a text typed with them comes back as one.
std::string LinesToFile(const std::string& s) { return ReplaceEvery(s, "\r\n", "\\r\\n"); }
std::string LinesFromFile(const std::string& s) { return ExpandLineBreaks(s); }

// A picture or sound stored from the program folder on ("\Alarms\Sounds\Ring.wav") gets the program
// folder put in front; a save writes the whole path once the field changes.
std::string PathFromFile(const std::string& s) { return s.starts_with('\\') ? platform::ProgramFolder() + s : s; }

AlarmKey Path(const char* key, std::string Alarm::*member) {
    AlarmKey path = Text(key, member, AsIs, PathFromFile);
    path.wholePath = PathFromFile;
    return path;
}

AlarmKey Date(const char* key, DateTime Alarm::*member) {
    return {key,
            [=](const Alarm& a) -> StoredText {
                if (!HasFourDigitYear(a.*member)) return std::nullopt;
                return FormatDateTimeString(a.*member);
            },
            [=](Alarm& a, const std::string& text) {
                try {
                    a.*member = ParseDateTimeString(text);
                    return true;
                } catch (const platform::Error&) {
                    return false;
                }
            },
            ""};
}

// The alarm window's style: 0 FSingle, 1 ToolBox, 2 Drag. Any other number would fire the alarm
// with no window and give the wizard's window step no style to show; it loads as 0, which the next
// save writes back.
AlarmKey WindowStyle(const char* key) {
    AlarmKey style = Number(key, &Alarm::WindowStyle);
    style.take = [key](Alarm& a, const std::string& text) {
        const std::optional<std::int32_t> number = platform::ParseLongText(text);
        if (!number) return false;
        a.WindowStyle = *number >= 0 && *number <= kLastWindowStyle ? static_cast<std::uint8_t>(*number) : 0;
        if (a.WindowStyle != *number)
            DebugLog("[LoadAlarms]: \"" + std::string(key) + "\" of alarm \"" + a.AlarmKey + "\" holds " + text +
                     ", which is no window style; style 0 is used.");
        return true;
    };
    return style;
}

}  // namespace

bool AlarmKey::Holds(const Alarm& alarm, const std::string& stored) const {
    const StoredText written = text(alarm);
    return written && (*written == stored || (wholePath && *written == wholePath(stored)));
}

const std::vector<AlarmKey>& AlarmKeys() {
    using A = Alarm;
    using S = SlideSettings;
    static const std::vector<AlarmKey> keys = {
        Number("FLAG", &A::FLAG),
        Text("NAME", &A::NAME),
        Date("FIRE", &A::FIRE),
        Date("OriginalDate", &A::OriginalDate),
        Number("OriginalCountdown", &A::OriginalCountdown),
        Number("RepeatInterval", &A::RepeatInterval),
        Number("RepeatDaily", &A::RepeatDaily),
        Text("Title", &A::Title),
        Text("Text", &A::Text, LinesToFile, LinesFromFile),
        Number("CustomPosition", &A::CustomPosition),
        Slide("SlideInTime", &S::SlideInTime),
        Slide("SlideInAlphaTime", &S::SlideInAlphaTime),
        Slide("SlideInAlphaStartValue", &S::SlideInAlphaStartValue),
        Slide("SlideInAlphaStopValue", &S::SlideInAlphaStopValue),
        Slide("SlideInDirection", &S::SlideInDirection),
        Slide("SlideOutTime", &S::SlideOutTime),
        Slide("SlideOutAlphaTime", &S::SlideOutAlphaTime),
        Slide("SlideOutAlphaStartValue", &S::SlideOutAlphaStartValue),
        Slide("SlideOutAlphaStopValue", &S::SlideOutAlphaStopValue),
        Slide("SlideOutDirection", &S::SlideOutDirection),
        Number("X", &A::X),
        Number("Y", &A::Y),
        Number("W", &A::W),
        Number("H", &A::H),
        WindowStyle("WindowStyle"),
        Number("WindowProperties", &A::WindowProperties),
        Number("ColorKey", &A::ColorKey),
        Number("Alpha", &A::Alpha),
        Number("Visuals", &A::Visuals),
        Number("BackColor", &A::BackColor),
        Number("TextColor", &A::TextColor),
        Text("FontInformation", &A::FontInformation),
        Path("Icon", &A::Icon),
        Path("Background", &A::Background),
        Path("Sound", &A::Sound),
        Number("Loops", &A::Loops),
        Number("LoopDelay", &A::LoopDelay),
        Text("Instruction", &A::Instruction),
        Text("Extra", &A::Extra),
        Number("Flags", &A::Flags),
    };
    return keys;
}

}  // namespace core
