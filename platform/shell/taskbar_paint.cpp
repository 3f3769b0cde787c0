// Painting the taskbar's windows.
#include "platform/shell/taskbar_state.h"

namespace platform::detail {
namespace {

void PaintNothingYet(HWND hwnd) {
    PAINTSTRUCT ps;
    BeginPaint(hwnd, &ps);
    EndPaint(hwnd, &ps);
}

}  // namespace

void PaintTaskbarPart(HWND hwnd) { PaintNothingYet(hwnd); }
void PaintTrayToolbar(HWND hwnd) { PaintNothingYet(hwnd); }
void PaintChevron(HWND hwnd) { PaintNothingYet(hwnd); }
void PaintTrayClock(HWND hwnd) { PaintNothingYet(hwnd); }
void PaintTaskbarMenu(HWND hwnd) { PaintNothingYet(hwnd); }

}  // namespace platform::detail
