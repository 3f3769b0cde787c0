#include "core/language_text.h"

#include "core/language_files.h"

namespace core {

std::string ExpandLineBreaks(std::string_view stored) {
    constexpr std::string_view kMark = "\\r\\n";
    std::string text;
    text.reserve(stored.size());
    std::size_t from = 0;
    for (std::size_t at = stored.find(kMark); at != std::string_view::npos; at = stored.find(kMark, from)) {
        text.append(stored.substr(from, at - from));
        text += "\r\n";
        from = at + kMark.size();
    }
    text.append(stored.substr(from));
    return text;
}

std::string LanguageText(const char* section, const char* key, const char* fallback) {
    std::string text = LanguageFile.IsLoaded() ? LanguageFile.ReadText(section, key) : "";
    return text.empty() ? fallback : text;
}

void ReplaceAll(std::string& text, const std::string& what, const std::string& with) {
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + with.size()))
        text.replace(at, what.size(), with);
}

}  // namespace core
