// The open-file dialog: the folders and the files of one folder that match the chosen file type,
// the file name box and the file type list. A double click (or Enter) on a folder opens it; Up and
// Backspace go to the parent. OK takes the name box (a name in the folder shown, or a full path; a
// folder is opened instead); with cdlOFNFileMustExist a file that does not exist is refused with a
// message. The answer is the chosen file's real path. The dialog starts in the folder of FileName
// (offering its name), else in InitDir, else in the program folder.
#pragma once

#include "platform/forms/combo_box.h"
#include "platform/forms/command_button.h"
#include "platform/forms/dialog_windows.h"
#include "platform/forms/file_filter.h"
#include "platform/forms/label.h"
#include "platform/forms/list_box.h"
#include "platform/forms/text_box.h"

namespace platform::forms {

class FileDialogForm : public CommonDialogForm {
public:
    explicit FileDialogForm(CommonDialogRequest request);

    forms::Label lblLookIn{this, "lblLookIn"};
    forms::Label lblFolder{this, "lblFolder"};
    CommandButton cmdUp{this, "cmdUp"};
    ListBox lstFiles{this, "lstFiles"};
    forms::Label lblName{this, "lblName"};
    TextBox txtName{this, "txtName"};
    CommandButton cmdOk{this, "cmdOk"};
    forms::Label lblType{this, "lblType"};
    ComboBox ddlType{this, "ddlType"};
    CommandButton cmdCancel{this, "cmdCancel"};

    const std::string& Folder() const { return folder_; }
    // The list's entry for a file or folder name, or -1.
    int EntryIndex(const std::string& name) const;

protected:
    void Design() override;
    void Form_Load() override;

private:
    struct Entry {
        std::string name;
        bool folder = false;
    };

    void OpenFolder(const std::string& folder);
    void GoUp();
    void Fill();
    const Entry* SelectedEntry() const;
    void Choose();
    void Refuse(const std::string& message);

    std::vector<FileFilter> filters_;
    std::vector<Entry> entries_;
    std::string folder_;
};

}  // namespace platform::forms
