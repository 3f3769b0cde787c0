// A drawing host that the test scripts: the context objects belong to, the screen's size and the
// mapping of image paths are the test's, and every image path asked for is recorded.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/services/drawing_host.h"

namespace testsupport {

class ScriptedDrawingHost final : public platform::DrawingHost {
public:
    int OwnerContext() override { return context; }
    std::string MapImagePath(const std::string& path) override {
        mappedPaths.push_back(path);
        return mapPath ? mapPath(path) : path;
    }
    platform::SIZE ScreenSize() override { return screen; }

    int context = 0;
    platform::SIZE screen{1280, 1024};
    std::function<std::string(const std::string&)> mapPath;  // none: paths stand as written
    std::vector<std::string> mappedPaths;
};

ScriptedDrawingHost& UseScriptedDrawingHost();

}  // namespace testsupport
