#include "platform/window/error_boundary.h"

#include <cstdio>

#include "platform/window/detail/window_store.h"

namespace platform {

void ReportDropped(const std::string& what) { UseService<FailureReports>().Dropped(what); }

std::string DescribeWindowMessage(HWND hwnd, UINT msg, WPARAM wParam) {
    char number[48];
    std::snprintf(number, sizeof number, ", message 0x%04X (wParam %llu)", static_cast<unsigned>(msg),
                  static_cast<unsigned long long>(wParam));
    std::string text = "window " + std::to_string(hwnd.id());
    if (const detail::Window* w = detail::Find(hwnd)) text += " \"" + w->text + "\" (class " + w->cls->name + ")";
    return text + number;
}

}  // namespace platform
