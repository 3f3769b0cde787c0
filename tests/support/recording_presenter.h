// A presenter without a screen that records what the window system told it: which windows
// changed, went or were damaged, how often it was asked to present, and the screenshots asked for.
#pragma once

#include <string>
#include <vector>

#include "platform/services/presenter.h"

namespace testsupport {

class RecordingPresenter final : public platform::Presenter {
public:
    platform::HDC MakeDc(platform::HWND topLevel, platform::POINT, platform::RECT) override;
    void ReleaseDc(platform::HDC) override {}
    void EraseBackground(platform::HWND, platform::HDC, const platform::RECT&) override {}
    void WindowChanged(platform::HWND hwnd) override { changed.push_back(hwnd); }
    void WindowDestroyed(platform::HWND hwnd) override { destroyed.push_back(hwnd); }
    void WindowDamaged(platform::HWND topLevel, const platform::RECT&) override { damaged.push_back(topLevel); }
    void Present() override { ++presents; }
    bool WriteScreenshot(const std::string& path) override;

    std::vector<platform::HWND> dcsAsked;  // top-level windows a DC was asked for (none is given)
    std::vector<platform::HWND> changed, destroyed, damaged;
    int presents = 0;
    std::vector<std::string> screenshots;
};

RecordingPresenter& UseRecordingPresenter();

}  // namespace testsupport
