// A fresh program folder for the language and help tests, with the two file objects emptied and
// message boxes recorded instead of printed.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/language_files.h"
#include "core/popup_help.h"
#include "core/program_settings.h"
#include "platform/window/message_box.h"
#include "tests/support/recording_popup_help.h"
#include "tests/support/test_services.h"
#include "tests/platform/services/temp_folder.h"

class HelpFilesTest : public testing::Test {
protected:
    void SetUp() override {
        core::LanguageFile = platform::SettingsFile{};
        core::HelpFile = platform::SettingsFile{};
        core::Settings = core::ProgramSettings{};
        core::Settings.PopupHelp = true;
        core::Settings.PopupHelpDelay = 500;
        core::ForgetShownHelpEntry();
        messageBoxes.AnswerEveryBoxWith(platform::IDOK);
    }
    void TearDown() override {
        platform::ResetServices();
        core::LanguageFile = platform::SettingsFile{};
        core::HelpFile = platform::SettingsFile{};
    }

    // The four language files, each naming itself, and a help file.
    void WriteAllFiles() {
        for (const core::LanguageChoice& choice : core::kLanguageFiles)
            WriteClockFile(choice.path, "[Header]\n\n[General]\nMSGBOX Error=" + std::string(choice.path) + "\n");
        WriteClockFile(core::kHelpFilePath, "[Header]\n\n[TOTD]\nThisSectionMaxID=0\n");
    }
    // Writes a file at one of the clock's paths ("\System\...").
    void WriteClockFile(std::string clockPath, const std::string& content) {
        for (char& c : clockPath)
            if (c == '\\') c = '/';
        folder.Write(clockPath.substr(1), content);
    }

    TempProgramFolder folder;
    testsupport::RecordingMessageBoxes& messageBoxes = testsupport::UseRecordingMessageBoxes();
    std::vector<platform::MessageBoxRequest>& boxes = messageBoxes.Requests();
    std::vector<core::PopupHelpRequest>& shown = testsupport::UseRecordingPopupHelp().shown;
};
