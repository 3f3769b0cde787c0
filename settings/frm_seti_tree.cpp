// The settings window's section tree: building it from the language file, the highlight of the
// chosen section, and what a click on each node shows.
#include "core/language_keys.h"
#include "core/debug_log.h"
#include "core/globals.h"
#include "core/language_files.h"
#include "core/popup_help.h"
#include "settings/frm_about.h"
#include "settings/frm_seti.h"
#include "settings/settings_pages.h"
#include "settings/settings_tree.h"

namespace settings {

using namespace platform::forms;

namespace {

constexpr platform::COLORREF kHighlightColor = 255;  // red
constexpr int kNodeCount = static_cast<int>(kTreeNodes.size());

const TreeNodeEntry* EntryOf(const std::string& key) {
    for (const TreeNodeEntry& entry : kTreeNodes)
        if (key == entry.key) return &entry;
    return nullptr;
}

int ValidNode(int index) { return index >= 1 && index <= kNodeCount ? index : 1; }

}  // namespace

void frmSetiForm::BuildTree(bool noClick) {
    highlighted_ = nullptr;
    treeO.Nodes.Clear();
    core::LanguageFile.SelectSection(core::kSettingsTreeSection);
    for (const TreeNodeEntry& entry : kTreeNodes) {
        const std::string text = core::LanguageFile.ReadString(entry.textKey);
        if (entry.parent)
            treeO.Nodes.Add(entry.parent, tvwChild, entry.key, text);
        else
            treeO.Nodes.Add({}, tvwLast, entry.key, text);
    }

    imgList.ListImages.Clear();
    for (const TreePicture& picture : kTreePictures) {
        try {
            imgList.ListImages.Add(picture.key, LoadPicture(picture.file));
        } catch (const platform::Error& e) {
            // A picture that cannot be loaded leaves its node without one.
            core::DebugLog(std::string("[frmSeti]: ") + e.what());
        }
    }
    treeO.ImageList = &imgList;
    for (int i = 1; i <= kNodeCount; ++i) {
        const char* key = kTreeNodes[static_cast<std::size_t>(i - 1)].pictureKey;
        if (imgList.ListImages.Find(key)) treeO.Nodes(i).Image = key;
    }

    core::TreeSelectNode = static_cast<std::int16_t>(ValidNode(core::TreeSelectNode));
    if (core::TreeExpandNode == -1) {
        treeO.Nodes(core::TreeSelectNode).Selected = true;
        for (int i = 1; i < static_cast<int>(nodeExpandedStates_.size()) && i <= kNodeCount; ++i)
            if (nodeExpandedStates_[static_cast<std::size_t>(i)]) treeO.Nodes(i).Expanded = true;
    } else {
        treeO.Nodes(ValidNode(core::TreeExpandNode)).Expanded = true;
        core::TreeExpandNode = -1;
    }
    highlighted_ = &treeO.Nodes(core::TreeSelectNode);
    highlighted_->Bold = true;
    highlighted_->ForeColor = kHighlightColor;
    if (!noClick) treeO_NodeClick(*highlighted_);
}

void frmSetiForm::ShowSectionOf(const Node& node) {
    sectionTitle_ = node.Text;
    const TreeNodeEntry* entry = EntryOf(node.Key);
    sectionKey_ = entry ? entry->textKey : "";
}

void frmSetiForm::SelectNode(int index) {
    if (index < 1 || index > treeO.Nodes.Count) return;
    Node& node = treeO.Nodes(index);
    treeO.SelectedItem = &node;
    ShowSectionOf(node);
    treeO_LostFocus();
    titleBar_.Repaint();
}

void frmSetiForm::treeO_NodeClick(Node& node) {
    const TreeNodeEntry* entry = EntryOf(node.Key);
    if (!entry) return;
    if (entry->action == NodeAction::About) {
        // The tree selected the node as it was clicked; the selection goes back to the section on
        // show, so the highlight stays where it was when the tree loses the focus.
        if (highlighted_ && highlighted_->Attached()) treeO.SelectedItem = highlighted_;
        frmAbout().Load();
        frmAbout().LoadedFromSettings();
        frmAbout().Show(vbModal);
        return;
    }
    bool pageShown = false;
    frmDesc.Visible = false;
    treeO.SelectedItem = &node;
    switch (entry->action) {
        case NodeAction::Panel: ShowPanel(entry->key); break;
        case NodeAction::NewAlarm:
            core::StartNewAlarm();
            [[fallthrough]];
        case NodeAction::Page:
            ShowSubWindow(PageNamed(entry->pageName), false);
            pageShown = true;
            break;
        case NodeAction::About: break;
    }
    if (!core::CurrentPageName.empty() && !pageShown) ShowSubWindow(nullptr, false);
    ShowSectionOf(node);
    treeO_LostFocus();
    titleBar_.Repaint();
}

void frmSetiForm::ShowPanel(const std::string& nodeKey) {
    const GroupPanel* panel = PanelOf(nodeKey);
    if (!panel) return;
    frmDesc.Visible = true;
    core::LanguageFile.SelectSection(core::kSettingsControlsSection);
    lblDesc.Caption = core::LanguageFile.ReadString(panel->descriptionKey);
    for (int i = 0; i < 6; ++i) {
        const char* key = panel->sectionKeys[static_cast<std::size_t>(i)];
        lblSection(i).Caption = *key ? core::LanguageFile.ReadString(key) : std::string();
    }
}

// The highlight follows the selection and stays while the user works in a page.
void frmSetiForm::treeO_LostFocus() {
    if (highlighted_ && highlighted_->Attached()) {
        highlighted_->Bold = false;
        highlighted_->ForeColor = 0;
    }
    Node* selected = treeO.SelectedItem;
    if (selected) {
        selected->Bold = true;
        selected->ForeColor = kHighlightColor;
    }
    highlighted_ = selected;
}

int frmSetiForm::HighlightedNodeIndex() const {
    return highlighted_ && highlighted_->Attached() ? highlighted_->Index : 0;
}

void frmSetiForm::ShowMainWindowHelp(platform::HWND control, const char* helpKey) {
    const std::string section = core::HelpFile.GetCurrentSection();
    core::HelpFile.SelectSection(kMainWindowHelpSection);
    core::ShowHelp(control, helpKey, false);
    core::HelpFile.SelectSection(section);
}

}  // namespace settings
