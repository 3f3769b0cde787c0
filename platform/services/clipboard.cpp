#include "platform/services/clipboard.h"

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

}  // namespace

std::unique_ptr<Clipboard> Clipboard::MakeReal() { return std::make_unique<MemoryClipboard>(); }

}  // namespace platform
