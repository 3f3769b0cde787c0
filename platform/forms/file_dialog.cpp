#include "platform/forms/file_dialog.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "platform/services/paths.h"

namespace platform::forms {

namespace fs = std::filesystem;

namespace {

constexpr SIZE kClient{440, 276};

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string Trimmed(const std::string& s) {
    std::size_t a = s.find_first_not_of(' '), b = s.find_last_not_of(' ');
    return a == std::string::npos ? std::string() : s.substr(a, b - a + 1);
}

bool IsFolder(const fs::path& p) {
    std::error_code e;
    return fs::is_directory(p, e);
}

bool Exists(const fs::path& p) {
    std::error_code e;
    return fs::exists(p, e);
}

std::string Normal(const fs::path& p) {
    std::string s = p.lexically_normal().string();
    while (s.size() > 1 && s.back() == '/') s.pop_back();
    return s;
}

}  // namespace

FileDialogForm::FileDialogForm(CommonDialogRequest request) : CommonDialogForm("frmFileDialog", std::move(request)) {
    cmdOk.Click = [this] { Choose(); };
    cmdCancel.Click = [this] { Dismiss(); };
    cmdUp.Click = [this] { GoUp(); };
    ddlType.Click = [this] { Fill(); };
    lstFiles.Click = [this] {
        const Entry* e = SelectedEntry();
        if (e && !e->folder) txtName.Text = e->name;
    };
    lstFiles.DblClick = [this] {
        const Entry* e = SelectedEntry();
        if (!e) return;
        if (e->folder)
            OpenFolder(Normal(fs::path(folder_) / e->name));
        else
            Choose();
    };
    lstFiles.KeyDown = [this](int& key, int shift) {
        if (key == VK_BACK && shift == 0) GoUp();
    };
}

void FileDialogForm::Design() {
    DialogDesign("Open", kClient);
    lblLookIn.Move(8, 12, 62, 15);
    lblLookIn.Caption = "Look in:";
    lblFolder.Move(72, 12, 300, 15);
    cmdUp.Move(380, 8, 52, 23);
    cmdUp.Caption = "&Up";
    lstFiles.Move(8, 38, 424, 166);
    lblName.Move(8, 217, 80, 15);
    lblName.Caption = "File &name:";
    txtName.Move(92, 214, 256, 21);
    txtName.TabIndex = 0;
    cmdOk.Move(356, 213, 76, 23);
    cmdOk.Caption = "&Open";
    cmdOk.Default = true;
    lblType.Move(8, 247, 80, 15);
    lblType.Caption = "Files of &type:";
    ddlType.Move(92, 244, 256, 21);
    cmdCancel.Move(356, 243, 76, 23);
    cmdCancel.Caption = "Cancel";
    cmdCancel.Cancel = true;
}

void FileDialogForm::Form_Load() {
    filters_ = ParseFileFilter(request_.filter);
    for (const FileFilter& f : filters_) ddlType.AddItem(f.description);
    ddlType.Enabled = !filters_.empty();
    std::string folder, name;
    if (!request_.fileName.empty()) {
        fs::path offered = MapPath(request_.fileName);
        if (IsFolder(offered)) {
            folder = Normal(offered);
        } else {
            name = offered.filename().string();
            if (IsFolder(offered.parent_path())) folder = Normal(offered.parent_path());
        }
    }
    if (folder.empty() && !request_.initDir.empty() && IsFolder(MapPath(request_.initDir))) folder = Normal(MapPath(request_.initDir));
    if (folder.empty()) folder = ProgramFolder();
    folder_ = folder;
    if (!filters_.empty())
        ddlType.ListIndex = std::clamp(request_.filterIndex, 1, static_cast<int>(filters_.size())) - 1;  // fills the list
    else
        Fill();
    txtName.Text = name;
    FitClientArea();
}

void FileDialogForm::OpenFolder(const std::string& folder) {
    if (folder.empty() || !IsFolder(folder)) return;
    folder_ = folder;
    Fill();
}

void FileDialogForm::GoUp() { OpenFolder(Normal(fs::path(folder_).parent_path())); }

void FileDialogForm::Fill() {
    lblFolder.Caption = folder_;
    const FileFilter* filter = nullptr;
    if (ddlType.ListIndex >= 0 && ddlType.ListIndex < static_cast<int>(filters_.size()))
        filter = &filters_[static_cast<std::size_t>(ddlType.ListIndex)];
    std::vector<Entry> folders, files;
    std::error_code e;
    for (fs::directory_iterator it(folder_, fs::directory_options::skip_permission_denied, e), end; !e && it != end; it.increment(e)) {
        std::string n = it->path().filename().string();
        if (n.empty() || n[0] == '.') continue;
        if (IsFolder(it->path()))
            folders.push_back({n, true});
        else if (!filter || filter->Matches(n))
            files.push_back({n, false});
    }
    auto byName = [](const Entry& a, const Entry& b) { return Lower(a.name) < Lower(b.name); };
    std::sort(folders.begin(), folders.end(), byName);
    std::sort(files.begin(), files.end(), byName);
    entries_ = std::move(folders);
    entries_.insert(entries_.end(), files.begin(), files.end());
    lstFiles.Clear();
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        lstFiles.AddItem(entries_[i].folder ? "[" + entries_[i].name + "]" : entries_[i].name);
        lstFiles.ItemData(lstFiles.NewIndex) = static_cast<LONG>(i);
    }
}

int FileDialogForm::EntryIndex(const std::string& name) const {
    for (std::size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i].name == name) return static_cast<int>(i);
    return -1;
}

const FileDialogForm::Entry* FileDialogForm::SelectedEntry() const {
    int i = lstFiles.ListIndex;
    if (i < 0) return nullptr;
    auto& list = const_cast<ListBox&>(lstFiles);
    auto data = static_cast<std::size_t>(static_cast<LONG>(list.ItemData(i)));
    return data < entries_.size() ? &entries_[data] : nullptr;
}

void FileDialogForm::Refuse(const std::string& message) {
    MessageBox(Window(), message.c_str(), Caption().c_str(), MB_OK | MB_ICONEXCLAMATION);
    txtName.SetFocus();
}

void FileDialogForm::Choose() {
    std::string name = Trimmed(txtName.Text);
    if (name.empty()) {
        // Enter on a folder of the list opens it.
        const Entry* e = SelectedEntry();
        if (e && e->folder) OpenFolder(Normal(fs::path(folder_) / e->name));
        return;
    }
    fs::path path = name[0] == '/' ? fs::path(name) : fs::path(folder_) / name;
    std::string full = Normal(path);
    if (IsFolder(full)) {
        OpenFolder(full);
        txtName.Text = "";
        return;
    }
    if ((request_.flags & cdlOFNFileMustExist) && !Exists(full))
        return Refuse(name + "\nFile not found.\nCheck the file name and try again.");
    if ((request_.flags & (cdlOFNPathMustExist | cdlOFNFileMustExist)) && !IsFolder(fs::path(full).parent_path()))
        return Refuse(name + "\nPath does not exist.\nCheck the path and try again.");
    int index = filters_.empty() ? request_.filterIndex : ddlType.ListIndex + 1;
    Confirm(CommonDialogAnswer::ChooseFile(full, index));
}

}  // namespace platform::forms
