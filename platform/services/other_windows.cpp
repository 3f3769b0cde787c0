#include "platform/services/other_windows.h"

#include "platform/services/service_slot.h"

namespace platform {
namespace {

class NoOtherWindows : public OtherWindows {
public:
    std::vector<OtherWindow> List() override { return {}; }
    bool RequestClose(std::uint64_t) override { return false; }
};

ServiceSlot<OtherWindows>& Slot() {
    static ServiceSlot<OtherWindows> slot(&MakeNoOtherWindows);
    return slot;
}

}  // namespace

std::unique_ptr<OtherWindows> MakeNoOtherWindows() { return std::make_unique<NoOtherWindows>(); }
OtherWindows& CurrentOtherWindows() { return Slot().Get(); }
void InstallOtherWindows(std::unique_ptr<OtherWindows> windows) { Slot().Install(std::move(windows)); }

}  // namespace platform
