#include "platform/services/other_windows.h"

namespace platform {
namespace {

class NoOtherWindows : public OtherWindows {
public:
    std::vector<OtherWindow> List() override { return {}; }
    bool RequestClose(std::uint64_t) override { return false; }
};

}  // namespace

std::unique_ptr<OtherWindows> OtherWindows::MakeReal() { return std::make_unique<NoOtherWindows>(); }

}  // namespace platform
