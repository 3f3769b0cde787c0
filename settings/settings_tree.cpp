#include "settings/settings_tree.h"

namespace settings {

int NodeIndexOfPage(const std::string& pageName) {
    for (std::size_t i = 0; i < kTreeNodes.size(); ++i)
        if (kTreeNodes[i].pageName && pageName == kTreeNodes[i].pageName) return static_cast<int>(i) + 1;
    return 0;
}

std::string SectionPictureOf(const std::string& textKey) {
    for (const SectionPicture& picture : kSectionPictures)
        if (textKey == picture.textKey) return picture.file;
    return kNoSectionPicture;
}

const GroupPanel* PanelOf(const std::string& nodeKey) {
    for (const GroupPanel& panel : kGroupPanels)
        if (nodeKey == panel.nodeKey) return &panel;
    return nullptr;
}

}  // namespace settings
