// What the desktop tests of the settings pages share: a later run's settings file, clicks on a
// page's controls, Apply, and the values the settings file holds afterwards.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>

#include "core/frm_main.h"
#include "desktop_harness.h"
#include "fake_library.h"
#include "platform/forms/windowed_control.h"
#include "settings/frm_seti.h"

namespace desktop {

// A later run (no first-run choice, no splash) with these lines after "[Main Settings]".
inline DesktopOptions LaterRunWith(const std::string& extra, bool fakeLibrary = false,
                                   platform::SIZE screen = {1280, 1024}) {
    DesktopOptions o;
    o.screen = screen;
    o.prepare = [extra, fakeLibrary](const std::filesystem::path& folder) {
        if (fakeLibrary) InstallFakeLibrary(folder);
        std::ofstream(folder / "Settings.ozrini")
            << "[Dralo Software Development Ruriv - Settings File]\n[Main Settings]\nRunCount=4\nSplash=0\n" << extra;
    };
    return o;
}

inline void ClickOn(Desktop& d, platform::forms::WindowedControl& control) {
    d.Click(CentreOf(d.Rect(control.hWnd)));
    d.Advance(30);
}

inline void ApplySettings(Desktop& d) { ClickOn(d, settings::frmSeti().cmdApply); }

// The value of a key in the settings file ("" when it is not there).
inline std::string SavedSetting(const Desktop& d, const std::string& key) {
    const std::string file = d.ReadFile("Settings.ozrini");
    const std::size_t at = file.find("\n" + key + "=");
    if (at == std::string::npos) return "";
    const std::size_t from = at + key.size() + 2;
    return file.substr(from, file.find('\n', from) - from);
}

}  // namespace desktop
