#include "platform/present/taskbar_place.h"

#include <string>

#include "platform/services/settings_file.h"
#include "platform/window/error_boundary.h"

namespace platform {
namespace {

constexpr const char* kPlaceFile = "\\Taskbar.ozrini";
constexpr const char* kHeader = "Dralo Software Development Ruriv - Taskbar File";
constexpr const char* kSection = "Taskbar";
constexpr const char* kKey = "Edge";

struct EdgeName {
    TaskbarEdge edge;
    const char* name;
};
constexpr EdgeName kEdgeNames[] = {
    {TaskbarEdge::Bottom, "Bottom"}, {TaskbarEdge::Top, "Top"}, {TaskbarEdge::Left, "Left"}, {TaskbarEdge::Right, "Right"}};

}  // namespace

TaskbarEdge KeptTaskbarEdge() {
    SettingsFile file;
    if (!file.Open(kPlaceFile)) return TaskbarEdge::Bottom;
    const std::string name = file.ReadText(kSection, kKey);
    for (const EdgeName& e : kEdgeNames)
        if (name == e.name) return e.edge;
    return TaskbarEdge::Bottom;
}

void KeepTaskbarEdge(TaskbarEdge edge) {
    SettingsFile file;
    file.Open(kPlaceFile);
    if (!file.IsLoaded()) file.NewFile();
    file.AddSection(kHeader);
    file.SelectSection(kSection);
    for (const EdgeName& e : kEdgeNames)
        if (e.edge == edge) file.WriteString(kKey, e.name);
    try {
        file.Save();
    } catch (const Error& e) {
        ReportDropped(std::string("the taskbar's place: ") + e.what());
    }
}

}  // namespace platform
