#include "platform/services/clipboard.h"

#include "platform/services/service_slot.h"

namespace platform {
namespace {

class MemoryClipboard : public Clipboard {
public:
    bool SetText(const std::string& text) override {
        text_ = text;
        return true;
    }
    std::string Text() const override { return text_; }

private:
    std::string text_;
};

ServiceSlot<Clipboard>& Slot() {
    static ServiceSlot<Clipboard> slot(&MakeMemoryClipboard);
    return slot;
}

}  // namespace

std::unique_ptr<Clipboard> MakeMemoryClipboard() { return std::make_unique<MemoryClipboard>(); }
Clipboard& CurrentClipboard() { return Slot().Get(); }
void InstallClipboard(std::unique_ptr<Clipboard> clipboard) { Slot().Install(std::move(clipboard)); }

}  // namespace platform
