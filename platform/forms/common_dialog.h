// CommonDialog: the colour, font and open-file dialogs, shown by a control that holds their values.
//
//   CD.CancelError = true;
//   CD.Flags = cdlCCRGBInit | cdlCCFullOpen | cdlCCAnyColor;
//   CD.Color = FloatBackColor;
//   try { CD.ShowColor(); FloatBackColor = CD.Color; } catch (const CommonDialogCancelled&) { ... }
//
// A Show method returns when the dialog closed. On OK the control's values (Color; FontName,
// FontSize, FontBold, FontItalic, FontUnderline, FontStrikethru; FileName, FileTitle, FilterIndex)
// become the chosen ones. On Cancel they stay as they were, and with CancelError True the Show
// method raises CommonDialogCancelled, a platform::Error whose text carries the classic number
// 32755 (cdlCancel). ShowFont raises an error when Flags ask for neither screen nor printer fonts.
//
// Who answers: the CommonDialogs service (platform/services/common_dialogs.h). By default a person
// does, in the toolkit's own modal dialog forms (colour_dialog.h, font_dialog.h, file_dialog.h) on
// a real desktop; a headless run prints one line per dialog ("CommonDialog Color flags 259 color
// 0x00123456") and cancels it. Tests script the answers with the recording double.
#pragma once

#include <functional>
#include <string>

#include "platform/forms/control.h"

namespace platform::forms {

// The error number of a cancelled dialog.
constexpr int cdlCancel = 32755;

// Flags of the colour dialog.
constexpr LONG cdlCCRGBInit = 0x1;          // start from Color
constexpr LONG cdlCCFullOpen = 0x2;         // open with the custom-colour part shown
constexpr LONG cdlCCPreventFullOpen = 0x4;  // no custom-colour part
constexpr LONG cdlCCAnyColor = 0x100;       // any colour may be chosen (always so here)
// Flags of the font dialog.
constexpr LONG cdlCFScreenFonts = 0x1;
constexpr LONG cdlCFPrinterFonts = 0x2;
constexpr LONG cdlCFBoth = 0x3;
constexpr LONG cdlCFEffects = 0x100;  // offer underline and strikeout
// Flags of the file dialog.
constexpr LONG cdlOFNHideReadOnly = 0x4;
constexpr LONG cdlOFNPathMustExist = 0x800;
constexpr LONG cdlOFNFileMustExist = 0x1000;

enum class CommonDialogKind { Color, Font, Open };

// What a dialog is asked, and how it was answered.
struct CommonDialogRequest {
    CommonDialogKind kind = CommonDialogKind::Color;
    HWND owner;  // the window of the form that opened it
    std::string dialogTitle;
    LONG flags = 0;
    COLORREF color = 0;
    FontDescription font;
    std::string fileName;  // the name offered: one of the clock's paths or a real path
    std::string filter;    // "Description|*.ext;*.ext2|Description|*.*"
    int filterIndex = 1;
    std::string initDir;
};

struct CommonDialogAnswer {
    bool confirmed = false;
    COLORREF color = 0;
    FontDescription font;
    std::string fileName;  // a real path
    int filterIndex = 1;

    static CommonDialogAnswer Cancel() { return {}; }
    static CommonDialogAnswer ChooseColor(COLORREF color);
    static CommonDialogAnswer ChooseFont(FontDescription font);
    static CommonDialogAnswer ChooseFile(std::string path, int filterIndex = 1);
};

// The headless line for a request.
std::string CommonDialogLine(const CommonDialogRequest& request);

class CommonDialogCancelled : public Error {
public:
    CommonDialogCancelled() : Error("Cancel was selected. (" + std::to_string(cdlCancel) + ")") {}
    int Number() const { return cdlCancel; }
};

class CommonDialog : public Control {
    bool cancelError() const { return cancelError_; }
    void setCancelError(bool value) { cancelError_ = value; }
    LONG flags() const { return flags_; }
    void setFlags(LONG value) { flags_ = value; }
    COLORREF color() const { return color_; }
    void setColor(COLORREF value) { color_ = value; }
    std::string fontName() const { return font_.name; }
    void setFontName(std::string value) { font_.name = std::move(value); }
    double fontSize() const { return font_.size; }
    void setFontSize(double value) { font_.size = value; }
    bool fontBold() const { return font_.bold; }
    void setFontBold(bool value) { font_.bold = value; }
    bool fontItalic() const { return font_.italic; }
    void setFontItalic(bool value) { font_.italic = value; }
    bool fontUnderline() const { return font_.underline; }
    void setFontUnderline(bool value) { font_.underline = value; }
    bool fontStrikethru() const { return font_.strikethru; }
    void setFontStrikethru(bool value) { font_.strikethru = value; }
    std::string fileName() const { return fileName_; }
    void setFileName(std::string value) { fileName_ = std::move(value); }
    std::string fileTitle() const;
    std::string filter() const { return filter_; }
    void setFilter(std::string value) { filter_ = std::move(value); }
    int filterIndex() const { return filterIndex_; }
    void setFilterIndex(int value) { filterIndex_ = value; }
    std::string initDir() const { return initDir_; }
    void setInitDir(std::string value) { initDir_ = std::move(value); }
    std::string dialogTitle() const { return dialogTitle_; }
    void setDialogTitle(std::string value) { dialogTitle_ = std::move(value); }

public:
    CommonDialog(ContainerRef container, std::string name, int index = -1);

    Prop<&CommonDialog::cancelError, &CommonDialog::setCancelError> CancelError{this};
    Prop<&CommonDialog::flags, &CommonDialog::setFlags> Flags{this};
    Prop<&CommonDialog::color, &CommonDialog::setColor> Color{this};
    Prop<&CommonDialog::fontName, &CommonDialog::setFontName> FontName{this};
    Prop<&CommonDialog::fontSize, &CommonDialog::setFontSize> FontSize{this};
    Prop<&CommonDialog::fontBold, &CommonDialog::setFontBold> FontBold{this};
    Prop<&CommonDialog::fontItalic, &CommonDialog::setFontItalic> FontItalic{this};
    Prop<&CommonDialog::fontUnderline, &CommonDialog::setFontUnderline> FontUnderline{this};
    Prop<&CommonDialog::fontStrikethru, &CommonDialog::setFontStrikethru> FontStrikethru{this};
    Prop<&CommonDialog::fileName, &CommonDialog::setFileName> FileName{this};
    Prop<&CommonDialog::fileTitle> FileTitle{this};  // the chosen file's name without its folder
    Prop<&CommonDialog::filter, &CommonDialog::setFilter> Filter{this};
    Prop<&CommonDialog::filterIndex, &CommonDialog::setFilterIndex> FilterIndex{this};
    Prop<&CommonDialog::initDir, &CommonDialog::setInitDir> InitDir{this};
    Prop<&CommonDialog::dialogTitle, &CommonDialog::setDialogTitle> DialogTitle{this};

    void ShowColor();
    void ShowFont();
    void ShowOpen();

protected:
    void ResetToDesign() override;

private:
    // Asks the handler; false when the dialog was cancelled (and CancelError is off).
    bool Ask(CommonDialogKind kind, CommonDialogAnswer& answer);

    bool cancelError_ = false;
    LONG flags_ = 0;
    COLORREF color_ = 0;
    FontDescription font_;
    std::string fileName_;
    std::string filter_;
    int filterIndex_ = 1;
    std::string initDir_;
    std::string dialogTitle_;
};

}  // namespace platform::forms
