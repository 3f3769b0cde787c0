// The top-level windows of other programs on the desktop, as the window manager lists them, and
// the polite request that one of them close (the program may ask its user first, or refuse).
// The platform's own windows are not among them: they are reached through EnumWindows.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform {

struct OtherWindow {
    std::uint64_t id = 0;
    std::string title;
};

class OtherWindows {
public:
    virtual ~OtherWindows() = default;
    virtual std::vector<OtherWindow> List() = 0;
    virtual bool RequestClose(std::uint64_t id) = 0;
};

// No other programs' windows (the headless desktop; the default).
std::unique_ptr<OtherWindows> MakeNoOtherWindows();

// A desktop of made-up windows; keeps the ids it was asked to close (and drops those windows).
class RecordingOtherWindows : public OtherWindows {
public:
    std::vector<OtherWindow> List() override { return windows; }
    bool RequestClose(std::uint64_t id) override {
        closed.push_back(id);
        std::erase_if(windows, [id](const OtherWindow& w) { return w.id == id; });
        return true;
    }
    std::vector<OtherWindow> windows;
    std::vector<std::uint64_t> closed;
};

OtherWindows& CurrentOtherWindows();
void InstallOtherWindows(std::unique_ptr<OtherWindows> windows);

}  // namespace platform
