// The alarm list on the web server of the "OZR Ruriv Anywhere" account: the upload after alarms
// change, and the download at start-up and on the retry timer (online_storage.h has the texts).
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/alarm_files.h"
#include "core/date_routines.h"
#include "core/debug_log.h"
#include "core/frm_main.h"
#include "core/globals.h"
#include "core/held_back_alarms.h"
#include "core/language_keys.h"
#include "core/next_firing.h"
#include "core/online_storage.h"
#include "core/settings_load.h"
#include "core/settings_windows.h"
#include "platform/base.h"
#include "platform/scoped_value.h"
#include "platform/services/paths.h"
#include "platform/services/settings_file.h"
#include "platform/services/whole_file.h"
#include "platform/window/message_box.h"
#include "platform/window/messages.h"

namespace core {
namespace {

std::string CollectionPath() { return platform::MapPath(std::string(kAlarmsFolder) + kDefaultCollection); }

// The storage's error box: "InvalidCredentials" or "GeneralError".
void ShowStorageError(const char* key) {
    const std::string text = LanguageFile.ReadText(kAnywhereSection, key);
    const std::string title = "OZR Ruriv - " + LanguageFile.ReadText(kGeneralSection, "MSGBOX Error");
    platform::MessageBox(platform::HWND{}, text.c_str(), title.c_str(), platform::MB_OK | platform::MB_ICONHAND);
}

// The storage's question, its two texts one paragraph each; true for Yes.
bool AnsweredYes(const char* firstKey, const char* secondKey) {
    const std::string text = LanguageFile.ReadText(kAnywhereSection, firstKey) + "\r\n\r\n" +
                             LanguageFile.ReadText(kAnywhereSection, secondKey);
    const std::string title = "OZR Ruriv - " + LanguageFile.ReadText(kGeneralSection, "MSGBOX Question");
    return platform::MessageBox(platform::HWND{}, text.c_str(), title.c_str(),
                                platform::MB_YESNO | platform::MB_ICONQUESTION | platform::MB_SYSTEMMODAL) == platform::IDYES;
}

}  // namespace

void frmMainForm::UploadAlarms() {
    if (Settings.Username.empty()) return;
    // An upload asked while a download is under way follows it: a restore replaces the list and
    // its date, and the server must get what the file holds then, not the list it replaced.
    if (downloading_) {
        uploadWaiting_ = true;
        return;
    }
    // An empty list that no alarm file holds yet has nothing to send, and must not empty the
    // account's list. Nothing is sent from a file read only in part.
    if (NoAlarmFiles()) {
        DebugLog("[frmMain]: The alarm list was not uploaded: there are no alarm files yet.");
        return;
    }
    std::optional<std::string> collection = platform::ReadWholeFile(CollectionPath());
    if (!collection) {
        DebugLog("[frmMain]: The alarm list was not uploaded: " + CollectionPath() + " could not be read.");
        ShowStorageError("GeneralError");
        return;
    }
    // The page holds the account's password: only its owner may read it, and it goes as soon as
    // the browser has read it, before the post is under way.
    const std::string page = platform::MapPath(kUploadPagePath);
    try {
        platform::WriteFileAtomically(page,
                                      UploadPage({Settings.ServerURL, Settings.Username, Settings.Password,
                                                  Settings.LastSave, LinesWithCrLf(*collection)}),
                                      platform::FileReaders::OwnerOnly);
    } catch (const platform::Error& e) {
        DebugLog(std::string("[frmMain]: The alarm list was not uploaded: ") + e.what());
        ShowStorageError("GeneralError");
        return;
    }
    wb.Navigate("file://" + platform::ProgramFolder() + kUploadPagePath, 0, "", "test",
                "Content-Type: application/x-www-form-urlencoded\r\nContent-Disposition: form-data; name=\"sugi\"\r\n");
    if (std::string why; !platform::RemoveFile(page, &why))
        DebugLog("[frmMain]: The upload page " + page + " could not be removed: " + why);
    SaveSettings(false);
}

void frmMainForm::wb_NavigateError(const std::string& url, const std::string& why) {
    DebugLog("[frmMain]: The alarm list could not be uploaded to " + url + ": " + why);
}

void frmMainForm::DownloadAlarms(bool force) {
    if (Settings.Username.empty()) {
        DownloadFinished = true;
        return;
    }
    // One exchange at a time, from the request to the end of its answer's handling (whose boxes
    // let timers run). The retry timer leaves it alone; a forced download asked meanwhile (a new
    // account from the settings window) follows it.
    if (downloading_) {
        forcedDownloadWaiting_ = forcedDownloadWaiting_ || force;
        return;
    }
    downloading_ = true;
    DownloadFinished = false;
    // The answer comes on the loop: the clock goes on meanwhile, and the alarms wait for it.
    inet.Execute(DownloadRequestUrl(Settings.ServerURL, Settings.Username, Settings.Password),
                 [this, force](std::string answer) {
                     {
                         // Busy until the handling ends, however it ends.
                         downloading_ = false;
                         platform::ScopedValue handling(downloading_, true);
                         DownloadAnswered(answer, force);
                     }
                     if (std::exchange(forcedDownloadWaiting_, false)) DownloadAlarms(true);
                     if (std::exchange(uploadWaiting_, false)) UploadAlarms();
                 });
}

void frmMainForm::DownloadAnswered(const std::string& answer, bool force) {
    // The download ends before its box is shown: at start-up the local alarms load and ring while
    // the box waits for someone to see it.
    if (answer == kInvalidCredentials) {
        DownloadFinished = true;
        ShowStorageError("InvalidCredentials");
        return;
    }
    DownloadedList list = SplitDownloadAnswer(answer);
    try {
        platform::WriteFileAtomically(platform::MapPath(kDownloadedListPath), list.body);
    } catch (const platform::Error& e) {
        return DownloadAttemptFailed(e.what());
    }
    const platform::SettingsContent sections = platform::ParseSettingsText(list.body);
    if (sections.size() < 2)
        return DownloadAttemptFailed(inet.LastError().empty() ? "the answer holds no alarm list" : inet.LastError());

    // An answer that is not an alarm collection, or whose date cannot be read, replaces nothing. A
    // date that normalises beyond four-digit years could not be read back as LastSave either.
    if (sections[0].name != kAlarmFileHeader || sections[1].name != std::string(kCollectionListPrefix) + kDefaultCollection)
        return ListNotTaken("it is not an alarm list");
    DateTime remote;
    try {
        remote = ParseDateTimeString(list.dateLine);
    } catch (const platform::Error&) {
        return ListNotTaken("its date \"" + list.dateLine + "\" cannot be read");
    }
    if (!HasFourDigitYear(remote)) return ListNotTaken("its date \"" + list.dateLine + "\" lies beyond four-digit years");
    // A stored date that cannot be read counts as none: the online list is then the newer one.
    DateTime local = ParseDateTimeString("");
    try {
        local = ParseDateTimeString(Settings.LastSave);
    } catch (const platform::Error&) {
    }
    const std::optional<std::string> lost = DefaultCollectionLoadProblem();
    if (lost) DebugLog("[frmMain]: The local alarm list does not load: " + *lost);
    const OnlineListChoice choice = ChooseOnlineList(SecondsBetween(local, remote), force, Settings.Confirmation, !lost);
    // A list that would be taken, or offered, must load as the local one does: one that does not
    // would leave the clock without alarms.
    if (choice != OnlineListChoice::Keep) {
        if (std::optional<std::string> why = CollectionLoadProblem(platform::MapPath(kDownloadedListPath), kDefaultCollection))
            return ListNotTaken("its alarms cannot be loaded: " + *why);
    }
    bool restore = false;
    switch (choice) {
        case OnlineListChoice::Restore: restore = true; break;
        case OnlineListChoice::Ask: restore = !AnsweredYes("Confirmation1", "Confirmation2"); break;  // Yes keeps the local list
        case OnlineListChoice::AskToReplaceLost: restore = AnsweredYes("LostList1", "LostList2"); break;
        case OnlineListChoice::Keep: break;
    }
    // A kept local list keeps its own date, so the next upload still takes it to other computers.
    if (restore && !RestoreAlarms(list.body, remote)) return;
    DownloadFinished = true;
    DownloadFailures = 0;
}

// The download ends without taking the online list, told once and not asked again; the local
// alarms stay as they are.
void frmMainForm::ListNotTaken(const std::string& why) {
    DownloadFinished = true;
    DebugLog("[frmMain]: The online alarm list was not taken (" + why + "); nothing was replaced.");
    ShowStorageError("GeneralError");
}

bool frmMainForm::RestoreAlarms(const std::string& body, DateTime date) {
    BackupAlarms();
    DebugLog("RESTORED ALARMS");
    // Everything the list needs to load, the playlist that names it first: the collection file is
    // replaced only once it will be read.
    if (std::optional<std::string> why = NameInMasterPlaylist(kDefaultCollection)) {
        ListNotTaken("the master playlist cannot name it: " + *why);
        return false;
    }
    try {
        platform::WriteFileAtomically(CollectionPath(), body);
    } catch (const platform::Error& e) {
        ListNotTaken(std::string("it could not replace the local one: ") + e.what());
        return false;
    }
    Settings.LastSave = FormatDateTimeString(date);
    // At start-up the load timer loads the alarms (once) as soon as the download has finished;
    // later the restore loads them itself. The settings window may be open on the list: what the
    // user changed there and has not applied stays on top of the new list, and the window shows it.
    const bool loadsNow = !tmrLoadAlarms.Enabled;
    std::vector<std::int32_t> moved;
    if (loadsNow) {
        moved = ReloadAlarmsKeepingHeldBack();
        CalculateNextFiring(false);
    }
    SaveSettings(false);
    if (loadsNow) {
        UpdateNextAlarmFiringTime();
        ShowReloadedAlarms(moved);
    }
    return true;
}

// No answer, or one without an alarm list: the retry timer asks again in 65 s, and the fifth
// failure in a row is told once.
void frmMainForm::DownloadAttemptFailed(const std::string& why) {
    DebugLog("[frmMain]: The alarm list could not be downloaded: " + why);
    const bool fifth = DownloadFailures == 4;
    if (DownloadFailures < 255) ++DownloadFailures;
    if (fifth) ShowStorageError("GeneralError");
}

void frmMainForm::tmrReDownload_Timer() {
    if (DownloadFailures != 0) DownloadAlarms(false);
}

}  // namespace core
