#include "platform/present/detail/x11_keys.h"

#include <X11/keysym.h>

#include "platform/window/messages.h"

namespace platform {

int VirtualKeyFromKeysym(unsigned long keysym) {
    if (keysym >= XK_a && keysym <= XK_z) return static_cast<int>('A' + (keysym - XK_a));
    if (keysym >= XK_A && keysym <= XK_Z) return static_cast<int>('A' + (keysym - XK_A));
    if (keysym >= XK_0 && keysym <= XK_9) return static_cast<int>('0' + (keysym - XK_0));
    if (keysym >= XK_F1 && keysym <= XK_F12) return static_cast<int>(VK_F1 + (keysym - XK_F1));
    static const struct {
        unsigned long keysym;
        int vk;
    } kTable[] = {
        {XK_Return, VK_RETURN},   {XK_KP_Enter, VK_RETURN}, {XK_Escape, VK_ESCAPE},   {XK_Tab, VK_TAB},
        {XK_ISO_Left_Tab, VK_TAB}, {XK_BackSpace, VK_BACK},  {XK_space, VK_SPACE},     {XK_Left, VK_LEFT},
        {XK_Right, VK_RIGHT},     {XK_Up, VK_UP},           {XK_Down, VK_DOWN},       {XK_Home, VK_HOME},
        {XK_End, VK_END},         {XK_Prior, VK_PRIOR},     {XK_Next, VK_NEXT},       {XK_Insert, VK_INSERT},
        {XK_Delete, VK_DELETE},   {XK_Shift_L, VK_SHIFT},   {XK_Shift_R, VK_SHIFT},   {XK_Control_L, VK_CONTROL},
        {XK_Control_R, VK_CONTROL}, {XK_Alt_L, VK_MENU},    {XK_Alt_R, VK_MENU},      {XK_Meta_L, VK_MENU},
    };
    for (const auto& row : kTable)
        if (row.keysym == keysym) return row.vk;
    return 0;
}

}  // namespace platform
