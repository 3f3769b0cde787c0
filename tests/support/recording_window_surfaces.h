// Window surfaces that draw nowhere and record what the window system asked of them: each device
// context asked for (the top-level window, the origin and the clip), each release, each erase of a
// background and each time what was painted would have been brought to the screen. The device
// context handed out is a placeholder that no drawing function takes.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/services/window_surfaces.h"

namespace testsupport {

class RecordingWindowSurfaces final : public platform::WindowSurfaces {
public:
    static constexpr platform::HDC kPlaceholderDc{0x7FFFFF01u};
    struct DcRequest {
        platform::HWND topLevel;
        platform::POINT origin;
        platform::RECT clip;
    };
    struct Erase {
        platform::HWND hwnd;
        platform::RECT area;
    };

    platform::HDC MakeDc(platform::HWND topLevel, platform::POINT origin, platform::RECT clip) override {
        dcRequests.push_back({topLevel, origin, clip});
        return kPlaceholderDc;
    }
    platform::RECT ReleaseDc(platform::HDC dc) override {
        if (dc == kPlaceholderDc) ++releases;
        return platform::RECT{};  // nothing is drawn, so nothing changes
    }
    std::uint64_t Generation(platform::HWND) override { return 0; }
    void EraseBackground(platform::HWND hwnd, platform::HDC, const platform::RECT& area) override {
        erases.push_back({hwnd, area});
    }
    std::optional<platform::COLORREF> PixelAt(platform::HWND, platform::POINT) override { return std::nullopt; }
    void Present() override {
        ++presents;
        if (onPresent) onPresent();
    }
    bool WriteScreenshot(const std::string& path) override {
        screenshots.push_back(path);
        return false;
    }

    std::vector<DcRequest> dcRequests;
    int releases = 0;
    std::vector<Erase> erases;
    int presents = 0;
    std::function<void()> onPresent;  // runs at each Present, to look at the program right then
    std::vector<std::string> screenshots;
};

RecordingWindowSurfaces& UseRecordingWindowSurfaces();

}  // namespace testsupport
