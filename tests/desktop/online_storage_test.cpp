// The online alarm storage on the headless desktop with the recording HTTP service (no server is
// reached): no account, failing downloads and their one box, answers that are not alarm lists,
// a forced download, an upload behind a download, and an upload that cannot read its file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/alarm.h"
#include "core/alarm_files.h"
#include "core/frm_main.h"
#include "core/globals.h"
#include "core/language_files.h"
#include "desktop_harness.h"

using desktop::Desktop;
using desktop::DesktopOptions;
using testsupport::RecordingHttp;
namespace fs = std::filesystem;

namespace {

const std::string kHeader = "[Dralo Software Development Ruriv - Alarm Playlist File]\n[Collection: MyAlarms.ozrini]\n";

std::string Collection(const std::string& name) {
    return kHeader + name + "=" + name + "\n[ZTVALR: " + name + "]\nFLAG=1\nNAME=" + name +
           "\nFIRE=2026-03-01 18:00:00\nOriginalDate=2026-03-01 18:00:00\nFlags=512\n";
}

// What the clock's first label shows.
std::string Shown() { return core::frmMain().Label(0).Caption; }

std::unique_ptr<Desktop> StartWithAccount(const std::string& user, const std::string& lastSave = "2026-02-01 08:00:00") {
    auto d = std::make_unique<Desktop>(DesktopOptions{.prepare = [user, lastSave](const fs::path& folder) {
        std::ofstream(folder / "Settings.ozrini")
            << "[Dralo Software Development Ruriv - Settings File]\n[Main Settings]\nRunCount=4\nSplash=0\n"
            << "[ADVANCED: DO NOT MODIFY UNLESS YOU KNOW WHAT YOU'RE DOING!]\nDebugMode=1\n"
            << "[OZR Ruriv Anywhere]\nUsername=" << user << "\nPassword=0cc175b9c0f1b6a831c399e269772661\nConfirmation=1\n"
            << "LastSave=" << lastSave << "\n";
        std::ofstream(folder / "Alarms/!AlarmMaster.ozrini") << "[Master Playlist]\n1=MyAlarms.ozrini\n";
        std::ofstream(folder / "Alarms/MyAlarms.ozrini") << Collection("Local");
    }});
    EXPECT_TRUE(d->Start());
    return d;
}

TEST(OnlineStorage, WithoutAnAccountNothingIsAskedAndTheAlarmsLoadAtOnce) {
    auto d = StartWithAccount("");
    d->Advance(100);
    EXPECT_TRUE(core::AlarmsLoaded);
    core::frmMain().UploadAlarms();
    d->Advance(70000);
    EXPECT_TRUE(d->Http()->requests.empty());
    EXPECT_FALSE(d->FileExists("transfer.html"));
}

TEST(OnlineStorage, FailedDownloadsAreRetriedEvery65SecondsAndTheFifthIsToldOnce) {
    auto d = StartWithAccount("ann");
    d->Advance(100);
    ASSERT_EQ(d->Http()->requests.size(), 1u);
    EXPECT_EQ(d->Http()->requests[0].url,
              "http://anywhere.ozr-ruriv.example/Retrieve.php?user=ann&pass=0cc175b9c0f1b6a831c399e269772661")
        << "the default server: the first of the shipped list";
    EXPECT_TRUE(core::AlarmsLoaded) << "a failed first download loads the local alarms";
    EXPECT_EQ(core::DownloadFailures, 1);
    d->Advance(64000);
    EXPECT_EQ(d->Http()->requests.size(), 1u) << "no retry before 65 s";
    d->Advance(65000 * 3 - 1000);
    EXPECT_EQ(d->Http()->requests.size(), 4u);
    EXPECT_TRUE(d->MessageBoxes().empty());
    d->Advance(65000);
    ASSERT_EQ(d->MessageBoxes().size(), 1u) << "the fifth failure in a row";
    EXPECT_TRUE(d->MessageBoxes()[0].text.starts_with("Your alarm list could not be exchanged"));
    d->Advance(65000 * 3);
    EXPECT_EQ(d->Http()->requests.size(), 8u);
    EXPECT_EQ(d->MessageBoxes().size(), 1u) << "none after the fifth";

    // An empty answer is a failure too; an answer with a list ends the retries.
    d->Http()->answer = [](const platform::HttpRequest&) { return RecordingHttp::Body(""); };
    d->Advance(65000);
    EXPECT_EQ(core::DownloadFailures, 9);
    d->Http()->answer = [](const platform::HttpRequest&) { return RecordingHttp::Body("2026-02-01 08:00:00\r\n" + Collection("Online")); };
    d->Advance(65000);
    EXPECT_EQ(core::DownloadFailures, 0);
    d->Advance(65000 * 2);
    EXPECT_EQ(d->Http()->requests.size(), 10u);
}

// The download waits in the background: the clock goes on and the alarms wait for its answer; no
// second download starts meanwhile (not the retry, and a forced one only after it), and Quit does
// not wait for it.
TEST(OnlineStorage, WhileADownloadWaitsTheClockGoesOnAndNoSecondOneStarts) {
    auto d = StartWithAccount("ann");
    RecordingHttp& http = *d->Http();
    http.holdAnswers = true;
    d->Advance(1000);
    ASSERT_EQ(http.Held(), 1u);
    d->Advance(30500);
    EXPECT_EQ(Shown(), "12:00:31") << "the clock's seconds go on";
    EXPECT_FALSE(core::AlarmsLoaded) << "the alarms load after the download";
    http.Release();
    d->Advance(1000);
    ASSERT_TRUE(core::AlarmsLoaded) << "no server: the local alarms";
    ASSERT_EQ(core::DownloadFailures, 1);

    d->Advance(64000);  // the retry's download, at 65 s
    ASSERT_EQ(http.Held(), 1u);
    core::frmMain().DownloadAlarms(true);  // a new account's list, asked for from the settings window
    d->Advance(65000);                     // and the next retry
    EXPECT_EQ(Shown(), "12:02:41");
    EXPECT_EQ(http.requests.size(), 2u);
    http.answer = [](const platform::HttpRequest&) { return RecordingHttp::Body("2026-03-01 09:00:00\r\n" + Collection("Online")); };
    http.Release();
    d->Advance(100);
    EXPECT_EQ(core::Alarms[0].NAME, "Online");
    EXPECT_EQ(http.requests.size(), 3u) << "the forced download followed";

    core::PendingCommand = "Quit";
    core::frmMain().Tricker.Enabled = true;
    d->Advance(100);
    EXPECT_TRUE(d->Ended());
    EXPECT_EQ(http.Held(), 1u);
}

// A restored list whose load fails (here through another collection) tells it once, not once from
// the restore and again from the start-up load.
TEST(OnlineStorage, ARestoreWhoseLoadFailsShowsTheLoadBoxOnce) {
    auto d = StartWithAccount("ann");
    d->WriteFile("Alarms/!AlarmMaster.ozrini", "[Master Playlist]\n1=MyAlarms.ozrini\n2=Other.ozrini\n");
    d->WriteFile("Alarms/Other.ozrini", "[Collection: Other.ozrini]\nX=X\n[ZTVALR: X]\nFLAG=300\n");
    d->Http()->answer = [](const platform::HttpRequest&) { return RecordingHttp::Body("2026-03-01 09:00:00\r\n" + Collection("Online")); };
    d->Advance(3000);
    EXPECT_EQ(d->ReadFile("Alarms/MyAlarms.ozrini"), Collection("Online"));
    ASSERT_EQ(d->MessageBoxes().size(), 1u);
    EXPECT_TRUE(d->MessageBoxes()[0].text.starts_with("Error in ProcessAlarms | mdlAlarms."));
    EXPECT_EQ(core::Alarms[0].NAME, "Online") << "what was read before the failure stays";
}

// Alarm files that are gone or do not load give way to the online list whatever its date, asked
// first where "Confirmation" asks (No keeps an empty list and writes nothing); the restore writes
// the playlist that names the list, so the next start loads it.
TEST(OnlineStorage, LostLocalAlarmsAreRestoredWhateverTheDates) {
    auto d = StartWithAccount("ann");
    for (const char* file : {"Alarms/!AlarmMaster.ozrini", "Alarms/MyAlarms.ozrini"}) fs::remove(d->PathOf(file));
    d->Http()->answer = [](const platform::HttpRequest&) { return RecordingHttp::Body("2026-02-01 08:00:00\r\n" + Collection("Online")); };
    d->AnswerNextMessageBoxes({platform::IDNO, platform::IDYES});
    d->Advance(2000);
    ASSERT_EQ(d->MessageBoxes().size(), 1u);
    const std::string anywhere = "Program Settings Controls - OZR CLOCK ANYWHERE";
    EXPECT_EQ(d->MessageBoxes()[0].text, core::LanguageFile.ReadText(anywhere, "LostList1") + "\r\n\r\n" +
                                             core::LanguageFile.ReadText(anywhere, "LostList2"));
    EXPECT_EQ(d->MessageBoxes()[0].type, 4132u);
    EXPECT_TRUE(core::AlarmsLoaded) << "an empty list";
    EXPECT_FALSE(d->FileExists("Alarms/MyAlarms.ozrini"));
    EXPECT_FALSE(d->FileExists("Alarms/!AlarmMaster.ozrini"));
    const std::size_t asked = d->Http()->requests.size();
    core::frmMain().UploadAlarms();  // after a firing: no file to send, and nothing to tell
    d->Pump();
    EXPECT_EQ(d->Http()->requests.size(), asked);
    EXPECT_EQ(d->MessageBoxes().size(), 1u);

    core::frmMain().DownloadAlarms(false);
    d->Pump();
    ASSERT_EQ(d->MessageBoxes().size(), 2u);
    EXPECT_EQ(core::Alarms[0].NAME, "Online");
    EXPECT_EQ(d->ReadFile("Alarms/!AlarmMaster.ozrini"), "[Master Playlist]\n1=MyAlarms.ozrini\n");
    core::ProcessAlarms();  // as the next start
    EXPECT_EQ(core::Alarms[0].NAME, "Online");
    EXPECT_EQ(d->MessageBoxes().size(), 2u);

    // A list that does not load, and "Confirmation" 2: replaced without a question, after a backup.
    std::string unloadable = Collection("Local");
    unloadable.replace(unloadable.find("FLAG=1"), 6, "FLAG=300");
    d->WriteFile("Alarms/MyAlarms.ozrini", unloadable);
    core::Settings.Confirmation = 2;
    core::frmMain().DownloadAlarms(false);
    d->Pump();
    EXPECT_EQ(d->MessageBoxes().size(), 2u);
    EXPECT_EQ(d->ReadFile("Alarms/MyAlarms Backup1.ozrini"), unloadable);
    EXPECT_EQ(d->ReadFile("Alarms/MyAlarms.ozrini"), Collection("Online"));
}

TEST(OnlineStorage, AnAnswerThatIsNotAnAlarmListReplacesNothingAndIsNotRetried) {
    auto d = StartWithAccount("ann");
    d->Advance(100);
    ASSERT_EQ(core::DownloadFailures, 1);
    d->Http()->answer = [](const platform::HttpRequest&) {
        return RecordingHttp::Body("2026-03-01 09:00:00\r\n[Other]\n[Collection: MyAlarms.ozrini]\n");
    };
    core::frmMain().DownloadAlarms(false);
    d->Pump();
    ASSERT_EQ(d->MessageBoxes().size(), 1u);
    EXPECT_TRUE(core::DownloadFinished);
    EXPECT_EQ(core::DownloadFailures, 1) << "the failure counted before stays, and none is added";
    EXPECT_EQ(d->ReadFile("Alarms/MyAlarms.ozrini"), Collection("Local"));
    EXPECT_FALSE(d->FileExists("Alarms/MyAlarms Backup1.ozrini"));
    EXPECT_EQ(d->ReadFile("z.alarms"), "[Other]\n[Collection: MyAlarms.ozrini]\n");
}

// A date line that normalises past the four digits of a year could not be read back as LastSave.
TEST(OnlineStorage, AnUnreadableDateLineReplacesNothing) {
    auto d = StartWithAccount("ann");
    d->Advance(100);
    std::size_t boxes = 0;
    for (std::string line : {"20x6-03-01 09:00:00", "9999-99-99 99:99:99", "0000-00-00 00:00:00"}) {
        d->Http()->answer = [line](const platform::HttpRequest&) { return RecordingHttp::Body(line + "\r\n" + Collection("Online")); };
        core::frmMain().DownloadAlarms(true);
        d->Pump();
        ASSERT_EQ(d->MessageBoxes().size(), ++boxes) << line;
        EXPECT_TRUE(d->MessageBoxes().back().text.starts_with("Your alarm list could not be exchanged")) << line;
        EXPECT_EQ(d->ReadFile("Alarms/MyAlarms.ozrini"), Collection("Local")) << line;
        EXPECT_FALSE(d->FileExists("Alarms/MyAlarms Backup1.ozrini")) << line;
        EXPECT_EQ(core::Settings.LastSave, "2026-02-01 08:00:00") << line;
    }
}

TEST(OnlineStorage, AForcedDownloadTakesAnOlderListWithoutAQuestion) {
    auto d = StartWithAccount("ann");
    d->Advance(100);
    const std::string shorter = "2020-01-01 00:00:00\r\n" + kHeader;
    d->Http()->answer = [shorter](const platform::HttpRequest&) { return RecordingHttp::Body(shorter); };
    core::frmMain().DownloadAlarms(true);
    d->Pump();
    EXPECT_TRUE(d->MessageBoxes().empty());
    EXPECT_EQ(d->ReadFile("Alarms/MyAlarms.ozrini"), kHeader) << "replaced whole, nothing of the old text left";
    EXPECT_EQ(d->ReadFile("Alarms/MyAlarms Backup1.ozrini"), Collection("Local"));
    EXPECT_EQ(core::Settings.LastSave, "2020-01-01 00:00:00");
}

TEST(OnlineStorage, AnEmptyLastSaveTakesTheOnlineList) {
    auto d = StartWithAccount("ann", "");
    d->Http()->answer = [](const platform::HttpRequest&) { return RecordingHttp::Body("1999-12-31 23:59:59\r\n" + Collection("Online")); };
    d->Advance(100);
    ASSERT_TRUE(core::AlarmsLoaded);
    EXPECT_EQ(core::Alarms[0].NAME, "Online");
    EXPECT_TRUE(d->MessageBoxes().empty());
}

// An upload asked while a download waits (after a firing, or Apply) follows the download: the
// server gets the list the restore wrote and its date, not the list it replaced.
TEST(OnlineStorage, AnUploadAskedWhileADownloadWaitsPostsTheRestoredList) {
    auto d = StartWithAccount("ann");
    RecordingHttp& http = *d->Http();
    d->Advance(100);
    http.holdAnswers = true;
    core::frmMain().DownloadAlarms(false);
    core::frmMain().UploadAlarms();
    http.answer = [](const platform::HttpRequest&) { return RecordingHttp::Body("2026-03-01 09:00:00\r\n" + Collection("Online")); };
    http.holdAnswers = false;
    http.Release();
    d->Advance(100);
    ASSERT_EQ(core::Alarms[0].NAME, "Online");
    ASSERT_EQ(http.requests.size(), 3u);
    const std::string& posted = http.requests[2].body;
    EXPECT_EQ(http.requests[2].method, "POST");
    EXPECT_NE(posted.find("date=2026-03-01+09%3A00%3A00&"), std::string::npos) << posted;
    EXPECT_NE(posted.find("NAME%3DOnline"), std::string::npos) << posted;
    EXPECT_EQ(posted.find("Local"), std::string::npos) << posted;
}

TEST(OnlineStorage, AnUploadSendsNothingFromAFileItCannotRead) {
    auto d = StartWithAccount("ann");
    d->Advance(100);
    fs::remove(d->PathOf("Alarms/MyAlarms.ozrini"));
    const std::size_t asked = d->Http()->requests.size();
    core::frmMain().UploadAlarms();
    d->Advance(100);
    EXPECT_EQ(d->Http()->requests.size(), asked);
    ASSERT_EQ(d->MessageBoxes().size(), 1u);
    EXPECT_NE(d->DebugLogText().find("The alarm list was not uploaded"), std::string::npos);
}

// The page holds the account's password: while it is posted only its owner may read it (also
// where an older page let anyone), and it is gone once read.
TEST(OnlineStorage, AnUploadThatFindsNoServerIsLoggedAndLeavesNoPage) {
    auto d = StartWithAccount("ann");
    d->Advance(100);
    d->WriteFile("transfer.html", "an older page");
    fs::permissions(d->PathOf("transfer.html"), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                                                     fs::perms::others_read);
    fs::perms whilePosted = fs::perms::unknown;
    d->Http()->answer = [&](const platform::HttpRequest&) {
        whilePosted = fs::status(d->PathOf("transfer.html")).permissions();
        return RecordingHttp::NoServer();
    };
    core::frmMain().UploadAlarms();
    d->Advance(100);
    EXPECT_EQ(whilePosted, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_FALSE(d->FileExists("transfer.html"));
    ASSERT_EQ(d->Http()->requests.size(), 2u);
    EXPECT_EQ(d->Http()->requests[1].method, "POST");
    EXPECT_EQ(d->Http()->requests[1].url, "http://anywhere.ozr-ruriv.example/Submit.php");
    EXPECT_NE(d->DebugLogText().find("The alarm list could not be uploaded to http://anywhere.ozr-ruriv.example/Submit.php"),
              std::string::npos);
    EXPECT_TRUE(d->MessageBoxes().empty());
}

}  // namespace
