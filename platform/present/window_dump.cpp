#include "platform/present/window_dump.h"

#include <cstdio>
#include <fstream>
#include <sstream>

#include "platform/utf8.h"
#include "platform/window/detail/window_store.h"

namespace platform {
using namespace detail;

namespace {
WindowDescriber& Describer() {
    static WindowDescriber describer;
    return describer;
}

std::string HandleText(HWND hwnd) {
    char buffer[16];
    std::snprintf(buffer, sizeof(buffer), "0x%08X", hwnd.id());
    return buffer;
}

std::string RectText(const RECT& r) {
    std::ostringstream out;
    out << '[' << r.left << ',' << r.top << ',' << r.right << ',' << r.bottom << ']';
    return out.str();
}

void Line(std::ostringstream& out, int depth, const std::string& handle, const char* context, const std::string& cls,
          const std::string& name, const std::string& text, const RECT& rect, bool visible) {
    out << "{\"depth\":" << depth << ",\"handle\":\"" << handle << "\",\"context\":\"" << context << "\",\"class\":\""
        << JsonEscape(cls) << "\",\"name\":\"" << JsonEscape(name) << "\",\"text\":\"" << JsonEscape(text)
        << "\",\"rect\":" << RectText(rect) << ",\"visible\":" << (visible ? "true" : "false") << "}\n";
}

void DumpWindow(std::ostringstream& out, HWND hwnd, int depth) {
    Window* w = Find(hwnd);
    if (!w) return;
    RECT rect;
    GetWindowRect(hwnd, &rect);
    std::string name = Describer().name ? Describer().name(hwnd) : "";
    Line(out, depth, HandleText(hwnd), ContextName(w->context), w->cls->name, name, w->text, rect, IsWindowVisible(hwnd));
    if (Describer().windowless) {
        for (const auto& e : Describer().windowless(hwnd))
            Line(out, depth + 1, "", ContextName(w->context), e.className, e.name, e.text, e.rect,
                 e.visible && IsWindowVisible(hwnd));
    }
    std::vector<HWND> children = w->children;
    for (HWND child : children) DumpWindow(out, child, depth + 1);
}

const char* NamedEscape(unsigned char c) {
    switch (c) {
        case '"': return "\\\"";
        case '\\': return "\\\\";
        case '\n': return "\\n";
        case '\r': return "\\r";
        case '\t': return "\\t";
        default: return nullptr;
    }
}
}  // namespace

void SetWindowDescriber(WindowDescriber describer) { Describer() = std::move(describer); }

// Every line must be valid JSON, so a byte that is no part of well-formed UTF-8 (a title set
// from another encoding) is written as the code point of the same number, \u0080 to \u00ff.
std::string JsonEscape(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        const Utf8Char character = DecodeUtf8Char(text, i);
        if (const char* named = NamedEscape(c)) {
            out += named;
        } else if (c < 0x20 || character.length == 0) {
            char buffer[8];
            std::snprintf(buffer, sizeof(buffer), "\\u%04x", c);
            out += buffer;
        } else {
            out.append(text, i, character.length);
        }
        i += character.length ? character.length : 1;
    }
    return out;
}

std::string WindowDumpJsonLines() {
    std::ostringstream out;
    std::vector<HWND> tops = S().topLevels;
    for (HWND top : tops) DumpWindow(out, top, 0);
    return out.str();
}

bool WriteWindowDump(const std::string& path) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file) return false;
    file << WindowDumpJsonLines();
    return static_cast<bool>(file.flush());
}

}  // namespace platform
