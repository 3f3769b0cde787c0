// What every page of the settings window shares: it is a borderless window that places itself
// over the window's description panel when it loads, and the page forms by their Name.
#pragma once

#include <initializer_list>
#include <optional>
#include <string>

#include "platform/forms/form.h"
#include "platform/forms/windowed_control.h"
#include "settings/page_palette.h"

namespace settings {

// A page's size: the description panel's.
inline constexpr int kPageWidth = 5970;   // twips
inline constexpr int kPageHeight = 6465;  // twips

// The page's design: borderless, no taskbar button, the panel's size.
void DesignPage(platform::forms::Form& page);
// Unless SkipPageScaling: the page's top-left corner on the description panel's (the settings
// window measures in pixels, the page in twips).
void PlacePage(platform::forms::Form& page);
// The scheme's palette, when ColorScheme names one.
std::optional<SchemeColors> CurrentPalette();

// The scheme's back and text colours on each of the controls.
void ColorControls(std::initializer_list<platform::forms::InteractiveControl*> controls, const SchemeColors& palette);

// The control's popup help while the mouse moves over it, under the page's help key.
void ShowHelpOnMouseMove(platform::forms::WindowedControl& control, const char* helpKey);

// A page that is not built yet: it keeps the place of its Name, empty, in the scheme's colours.
class BlankPage : public platform::forms::Form {
public:
    explicit BlankPage(std::string name) : Form(std::move(name)) {}

protected:
    void Design() override;
    void Form_Load() override;
};

// The page form of a Name a tree node shows; nullptr for a Name no node has.
platform::forms::Form* PageNamed(const std::string& name);

}  // namespace settings
