#include "platform/present/window_dump.h"

#include <cstdio>
#include <fstream>
#include <sstream>

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
}  // namespace

void SetWindowDescriber(WindowDescriber describer) { Describer() = std::move(describer); }

std::string JsonEscape(const std::string& text) {
    std::string out;
    for (unsigned char c : text) {
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (c < 0x20) {
                    char buffer[8];
                    std::snprintf(buffer, sizeof(buffer), "\\u%04x", c);
                    out += buffer;
                } else {
                    out += static_cast<char>(c);
                }
        }
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
