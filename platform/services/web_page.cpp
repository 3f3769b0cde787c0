#include "platform/services/web_page.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <optional>
#include <regex>

#include "platform/forms/text_edit.h"

namespace platform {
namespace {

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

// The page's line ends as a browser reads them: CR LF and a lone CR become LF.
std::string NormalizeLineEnds(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            out += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

// A value as a form submission sends it: every line end as CR LF.
std::string SubmittedLineEnds(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

struct Tag {
    std::string name;  // lower case, without the "/" of an end tag
    bool end = false;
    std::map<std::string, std::string> attributes;  // names lower case, values decoded
    std::size_t after = 0;                          // the position after the tag's ">"
};

// Reads the tag that starts at html[at] == '<'; nothing when no tag starts there.
std::optional<Tag> ReadTag(std::string_view html, std::size_t at) {
    Tag tag;
    std::size_t i = at + 1;
    if (i < html.size() && html[i] == '/') {
        tag.end = true;
        ++i;
    }
    const std::size_t nameStart = i;
    while (i < html.size() && std::isalnum(static_cast<unsigned char>(html[i]))) ++i;
    if (i == nameStart) return std::nullopt;
    tag.name = Lower(html.substr(nameStart, i - nameStart));
    while (i < html.size() && html[i] != '>') {
        if (IsSpace(html[i]) || html[i] == '/') {
            ++i;
            continue;
        }
        const std::size_t keyStart = i;
        while (i < html.size() && !IsSpace(html[i]) && html[i] != '=' && html[i] != '>' && html[i] != '/') ++i;
        std::string key = Lower(html.substr(keyStart, i - keyStart));
        while (i < html.size() && IsSpace(html[i])) ++i;
        std::string value;
        if (i < html.size() && html[i] == '=') {
            ++i;
            while (i < html.size() && IsSpace(html[i])) ++i;
            if (i < html.size() && (html[i] == '"' || html[i] == '\'')) {
                const char quote = html[i++];
                const std::size_t close = std::min(html.find(quote, i), html.size());
                value = html.substr(i, close - i);
                i = std::min(close + 1, html.size());
            } else {
                const std::size_t valueStart = i;
                while (i < html.size() && !IsSpace(html[i]) && html[i] != '>') ++i;
                value = html.substr(valueStart, i - valueStart);
            }
        }
        tag.attributes.try_emplace(key, DecodeCharacterReferences(value));  // the first of a name counts
    }
    tag.after = std::min(i + 1, html.size());
    return tag;
}

std::string Attribute(const Tag& tag, const std::string& name) {
    auto it = tag.attributes.find(name);
    return it == tag.attributes.end() ? "" : it->second;
}

// The text of an element whose content is raw text (script, textarea) and where it ends.
std::string_view RawText(std::string_view html, const Tag& tag, std::size_t* next) {
    const std::string lower = Lower(html);
    const std::size_t close = std::min(lower.find("</" + tag.name, tag.after), html.size());
    const std::size_t end = std::min(lower.find('>', close), html.size());
    *next = std::min(end + 1, html.size());
    return html.substr(tag.after, close - tag.after);
}

// The field a control adds to its form's submission, if any.
std::optional<std::pair<std::string, std::string>> Field(const Tag& tag, std::string value) {
    const std::string name = Attribute(tag, "name");
    if (name.empty() || tag.attributes.contains("disabled")) return std::nullopt;
    if (tag.name == "input") {
        std::string type = Lower(Attribute(tag, "type"));
        static const char* const kNotSent[] = {"submit", "reset", "button", "image", "file"};
        if (std::find(std::begin(kNotSent), std::end(kNotSent), type) != std::end(kNotSent)) return std::nullopt;
        if ((type == "checkbox" || type == "radio") && !tag.attributes.contains("checked")) return std::nullopt;
        if ((type == "checkbox" || type == "radio") && !tag.attributes.contains("value")) value = "on";
        // A text box holds one line: a browser drops the line breaks of its value.
        if (type.empty() || type == "text" || type == "password")
            value.erase(std::remove_if(value.begin(), value.end(), [](char c) { return c == '\n'; }), value.end());
    }
    return std::make_pair(name, SubmittedLineEnds(value));
}

// The index N of "document.forms[N].submit()" when the code is exactly that call.
std::optional<int> SubmittedForm(const std::string& code) {
    static const std::regex kSubmit(R"(^\s*document\s*\.\s*forms\s*\[\s*(\d{1,4})\s*\]\s*\.\s*submit\s*\(\s*\)\s*;?\s*$)");
    std::smatch m;
    if (!std::regex_match(code, m, kSubmit)) return std::nullopt;
    return std::stoi(m[1].str());
}

// The form a load handler submits: directly, or through a function of the page's scripts.
int FormSubmittedBy(const std::string& onload, const std::string& scripts) {
    if (auto direct = SubmittedForm(onload)) return *direct;
    static const std::regex kCall(R"(^\s*([A-Za-z_$][\w$]*)\s*\(\s*\)\s*;?\s*$)");
    std::smatch call;
    if (!std::regex_match(onload, call, kCall)) return -1;
    static const std::regex kFunction(R"(function\s+([A-Za-z_$][\w$]*)\s*\(\s*\)\s*\{([^{}]*)\})");
    int form = -1;
    for (std::sregex_iterator it(scripts.begin(), scripts.end(), kFunction), end; it != end; ++it) {
        if ((*it)[1].str() != call[1].str()) continue;
        auto submitted = SubmittedForm((*it)[2].str());
        form = submitted ? *submitted : -1;  // a later declaration of the name replaces an earlier one
    }
    return form;
}

}  // namespace

std::string DecodeCharacterReferences(std::string_view text) {
    static const std::map<std::string, unsigned, std::less<>> kNamed = {
        {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}, {"nbsp", 0xA0}};
    std::string out;
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t semicolon = text[i] == '&' ? text.find(';', i) : std::string_view::npos;
        if (semicolon == std::string_view::npos || semicolon - i > 10) {
            out += text[i++];
            continue;
        }
        const std::string_view name = text.substr(i + 1, semicolon - i - 1);
        std::optional<unsigned> cp;
        if (name.size() >= 2 && name[0] == '#') {
            const bool hex = name[1] == 'x' || name[1] == 'X';
            const std::string_view digits = name.substr(hex ? 2 : 1);
            const bool valid = !digits.empty() && std::all_of(digits.begin(), digits.end(), [hex](char c) {
                return hex ? std::isxdigit(static_cast<unsigned char>(c)) : std::isdigit(static_cast<unsigned char>(c));
            });
            if (valid) {
                const unsigned long value = std::stoul(std::string(digits), nullptr, hex ? 16 : 10);
                const bool character = value != 0 && value <= 0x10FFFF && (value < 0xD800 || value > 0xDFFF);
                cp = character ? static_cast<unsigned>(value) : 0xFFFD;
            }
        } else if (auto it = kNamed.find(name); it != kNamed.end()) {
            cp = it->second;
        }
        if (!cp) {
            out += text[i++];
            continue;
        }
        out += forms::Utf8FromCodePoint(*cp);
        i = semicolon + 1;
    }
    return out;
}

std::string PercentEncode(std::string_view text, std::string_view kept, bool blankAsPlus) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (std::isalnum(byte) || kept.find(c) != std::string_view::npos) {
            out += c;
        } else if (c == ' ' && blankAsPlus) {
            out += '+';
        } else {
            out += '%';
            out += kHex[byte >> 4];
            out += kHex[byte & 0xF];
        }
    }
    return out;
}

std::string FormEncode(const std::vector<std::pair<std::string, std::string>>& fields) {
    std::string body;
    for (const auto& [name, value] : fields) {
        if (!body.empty()) body += '&';
        body += PercentEncode(name, "*-._", true) + "=" + PercentEncode(value, "*-._", true);
    }
    return body;
}

WebPage ReadWebPage(std::string_view text) {
    const std::string html = NormalizeLineEnds(text);
    WebPage page;
    std::string scripts;
    std::string onload;
    int open = -1;  // the form being read
    std::size_t i = 0;
    while ((i = html.find('<', i)) != std::string::npos) {
        if (html.compare(i, 4, "<!--") == 0) {
            const std::size_t close = html.find("-->", i + 4);
            i = close == std::string::npos ? html.size() : close + 3;
            continue;
        }
        std::optional<Tag> tag = ReadTag(html, i);
        if (!tag) {
            ++i;
            continue;
        }
        i = tag->after;
        if (tag->end) {
            if (tag->name == "form") open = -1;
            continue;
        }
        if (tag->name == "script") {
            scripts += RawText(html, *tag, &i);
            scripts += '\n';
        } else if (tag->name == "body") {
            if (onload.empty()) onload = Attribute(*tag, "onload");
        } else if (tag->name == "form" && open < 0) {  // forms do not nest: an inner one is ignored
            std::string method = Lower(Attribute(*tag, "method"));
            page.forms.push_back({Attribute(*tag, "action"), method.empty() ? "get" : method, {}});
            open = static_cast<int>(page.forms.size()) - 1;
        } else if (tag->name == "textarea") {
            std::string value = DecodeCharacterReferences(RawText(html, *tag, &i));
            if (!value.empty() && value.front() == '\n') value.erase(0, 1);  // a browser drops it
            if (auto field = Field(*tag, value); field && open >= 0) page.forms[open].fields.push_back(*field);
        } else if (tag->name == "input") {
            if (auto field = Field(*tag, Attribute(*tag, "value")); field && open >= 0)
                page.forms[open].fields.push_back(*field);
        }
    }
    const int submitted = FormSubmittedBy(onload, scripts);
    if (submitted >= 0 && submitted < static_cast<int>(page.forms.size())) page.submittedOnLoad = submitted;
    return page;
}

}  // namespace platform
