// The classic toolkit's constants: scale modes, show modes, border styles, start-up positions,
// window states, alignments, check values, mouse buttons and shift masks, and the system colours.
#pragma once

#include "platform/base.h"

namespace platform::forms {

constexpr int kTwipsPerPixel = 15;

// Scale modes of a form or picture box: what its children's positions and its mouse X and Y count in.
constexpr int vbTwips = 1;
constexpr int vbPixels = 3;

// Form.Show.
constexpr int vbModeless = 0;
constexpr int vbModal = 1;

// Form.BorderStyle.
constexpr int vbBSNone = 0;
constexpr int vbFixedSingle = 1;
constexpr int vbSizable = 2;
constexpr int vbFixedDialog = 3;

// Form.StartUpPosition.
constexpr int vbStartUpManual = 0;
constexpr int vbStartUpOwner = 1;
constexpr int vbStartUpScreen = 2;

// Form.WindowState.
constexpr int vbNormal = 0;
constexpr int vbMinimized = 1;
constexpr int vbMaximized = 2;

// Alignment of labels and text boxes.
constexpr int vbLeftJustify = 0;
constexpr int vbRightJustify = 1;
constexpr int vbCenter = 2;

// CheckBox.Value.
constexpr int vbUnchecked = 0;
constexpr int vbChecked = 1;
constexpr int vbGrayed = 2;

// ListBox.MultiSelect.
constexpr int vbMultiSelectNone = 0;
constexpr int vbMultiSelectSimple = 1;
constexpr int vbMultiSelectExtended = 2;

// TextBox.ScrollBars.
constexpr int vbSBNone = 0;
constexpr int vbHorizontal = 1;
constexpr int vbVertical = 2;
constexpr int vbBoth = 3;

// Button masks of mouse events and shift masks of key and mouse events.
constexpr int vbLeftButton = 1;
constexpr int vbRightButton = 2;
constexpr int vbMiddleButton = 4;
constexpr int vbShiftMask = 1;
constexpr int vbCtrlMask = 2;
constexpr int vbAltMask = 4;

// PopupMenu flags (alignment of the menu to the point).
constexpr int vbPopupMenuLeftAlign = 0;

// System colours: 0x80000000 with the index of the system colour; ResolveColor turns them into RGB.
constexpr COLORREF vbScrollBars = 0x80000000;
constexpr COLORREF vbDesktop = 0x80000001;
constexpr COLORREF vbMenuBar = 0x80000004;
constexpr COLORREF vbWindowBackground = 0x80000005;
constexpr COLORREF vbWindowFrame = 0x80000006;
constexpr COLORREF vbMenuText = 0x80000007;
constexpr COLORREF vbWindowText = 0x80000008;
constexpr COLORREF vbHighlight = 0x8000000D;
constexpr COLORREF vbHighlightText = 0x8000000E;
constexpr COLORREF vbButtonFace = 0x8000000F;
constexpr COLORREF vbButtonShadow = 0x80000010;
constexpr COLORREF vbGrayText = 0x80000011;
constexpr COLORREF vbButtonText = 0x80000012;
constexpr COLORREF vb3DHighlight = 0x80000014;
constexpr COLORREF vbInfoText = 0x80000017;
constexpr COLORREF vbInfoBackground = 0x80000018;

// An RGB colour for a colour property: system colours map to the classic palette, others pass.
COLORREF ResolveColor(COLORREF color);

// Twips and pixels. Positions round to the nearest pixel.
int TwipsToPixels(int twips);
constexpr int PixelsToTwips(int pixels) { return pixels * kTwipsPerPixel; }
// A length in the given scale mode to pixels and back.
int ScaleToPixels(int value, int scaleMode);
int PixelsToScale(int pixels, int scaleMode);

}  // namespace platform::forms
