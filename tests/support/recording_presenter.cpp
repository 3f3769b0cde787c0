#include "tests/support/recording_presenter.h"

#include "tests/support/install_double.h"

namespace testsupport {

platform::HDC RecordingPresenter::MakeDc(platform::HWND topLevel, platform::POINT, platform::RECT) {
    dcsAsked.push_back(topLevel);
    return platform::HDC{};
}

bool RecordingPresenter::WriteScreenshot(const std::string& path) {
    screenshots.push_back(path);
    return false;
}

RecordingPresenter& UseRecordingPresenter() { return InstallDouble<platform::Presenter, RecordingPresenter>(); }

}  // namespace testsupport
