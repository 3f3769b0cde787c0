#include "platform/draw/hooks.h"

#include "platform/services/drawing_host.h"

namespace platform {
namespace {

class StandaloneDrawingHost final : public DrawingHost {
public:
    int OwnerContext() override { return 0; }
    std::string MapImagePath(const std::string& path) override { return path; }
    SIZE ScreenSize() override { return SIZE{1280, 1024}; }
};

}  // namespace

std::unique_ptr<DrawingHost> DrawingHost::MakeReal() { return std::make_unique<StandaloneDrawingHost>(); }

namespace draw {

int CurrentOwnerContext() { return UseService<DrawingHost>().OwnerContext(); }
std::string MapImagePath(const std::string& path) { return UseService<DrawingHost>().MapImagePath(path); }
SIZE ScreenSize() { return UseService<DrawingHost>().ScreenSize(); }

}  // namespace draw
}  // namespace platform
