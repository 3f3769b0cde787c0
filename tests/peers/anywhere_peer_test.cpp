// The online alarm storage of the whole program (in-process, virtual clock, real HTTP) against a
// real web server on loopback: Python's http.server with a Submit.php and Retrieve.php of the
// tests' own (anywhere_server.py), started and stopped by each test.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <functional>
#include <memory>
#include <thread>

#include "core/alarm.h"
#include "core/date_routines.h"
#include "core/frm_main.h"
#include "core/globals.h"
#include "core/md5.h"
#include "core/online_storage.h"
#include "settings/frm_seti.h"
#include "settings/frm_seti_ev.h"
#include "platform/window/messages.h"
#include "desktop_harness.h"
#include "time_servers.h"
#include "tests/support/recording_sound_output.h"

using desktop::Desktop;
using desktop::DesktopOptions;
namespace fs = std::filesystem;

namespace {

const std::string kUser = "ann & bob";  // a blank and "&" travel as they are
const std::string kPassword = "s3cret<\"pw\">";

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const fs::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

// One alarm collection with one windowless one-time alarm of this name at this time.
std::string Collection(const std::string& name, const std::string& fire) {
    return "[Dralo Software Development Ruriv - Alarm Playlist File]\n[Collection: MyAlarms.ozrini]\n" + name + "=" +
           name + "\n[ZTVALR: " + name + "]\nFLAG=1\nNAME=" + name + "\nFIRE=" + fire + "\nOriginalDate=" + fire +
           "\nFlags=512\n";
}

// The storage server; it serves from its own folder and can be stopped and started again on its
// port.
class AnywhereServer {
public:
    explicit AnywhereServer(fs::path folder) : folder_(std::move(folder)) { fs::create_directories(folder_); }
    bool Start() {
        std::vector<std::string> argv = {"/usr/bin/python3", std::string(OZR_SOURCE_DIR) + "/tests/peers/anywhere_server.py",
                                         folder_.string(), kUser, core::CMD5().MD5(kPassword)};
        if (port_) argv.push_back(std::to_string(port_));
        if (!process_.Start(argv)) return false;
        const std::string line = process_.FirstLine();
        if (line.empty()) return false;
        port_ = static_cast<std::uint16_t>(std::stoi(line));
        return true;
    }
    void Stop() { process_.Stop(); }
    // A port with no server behind it now, for a server that starts later.
    void ReservePort() {
        Start();
        Stop();
    }
    std::string Url() const { return "http://127.0.0.1:" + std::to_string(port_) + "/"; }
    void Store(const std::string& date, const std::string& collection) const {
        WriteBytes(folder_ / "stored", date + "\r\n" + collection);
    }
    std::string Stored() const { return ReadBytes(folder_ / "stored"); }
    bool Posted() const { return fs::exists(folder_ / "post"); }

private:
    fs::path folder_;
    peers::ChildProcess process_;
    std::uint16_t port_ = 0;
};

struct Anywhere : ::testing::Test {
    fs::path scratch = fs::temp_directory_path() / ("ozr-anywhere-" + std::to_string(getpid()));
    AnywhereServer server{scratch / "server"};
    std::unique_ptr<Desktop> d;

    void SetUp() override {
        setenv("TZ", "UTC", 1);
        setenv("LC_ALL", "C", 1);
        tzset();
    }
    void TearDown() override {
        d.reset();
        server.Stop();
        fs::remove_all(scratch);
    }
    // The program with the account set, this local list and "LastSave", started at 12:00:00.
    void StartProgram(const std::string& localList, const std::string& lastSave, int confirmation,
                      const std::string& password = kPassword, const std::string& user = kUser) {
        const std::string settings =
            "[Dralo Software Development Ruriv - Settings File]\n[Main Settings]\nRunCount=4\nSplash=0\n"
            "[ADVANCED: DO NOT MODIFY UNLESS YOU KNOW WHAT YOU'RE DOING!]\nDebugMode=1\n"
            "[OZR Ruriv Anywhere]\nServerURL=" + server.Url() + "\nUsername=" + user +
            "\nPassword=" + core::CMD5().MD5(password) + "\nConfirmation=" + std::to_string(confirmation) +
            "\nLastSave=" + lastSave + "\n";
        d = std::make_unique<Desktop>(DesktopOptions{
            .clock = "2026-03-01T12:00:00",
            .prepare =
                [settings, localList](const fs::path& folder) {
                    std::ofstream(folder / "Settings.ozrini") << settings;
                    std::ofstream(folder / "Alarms/!AlarmMaster.ozrini") << "[Master Playlist]\n1=MyAlarms.ozrini\n";
                    WriteBytes(folder / "Alarms/MyAlarms.ozrini", localList);
                },
            .realNetwork = true});
        ASSERT_TRUE(d->Start());
        testsupport::UseRecordingSoundOutput();
    }
    std::vector<std::string> AlarmNames() const {
        std::vector<std::string> names;
        if (core::AlarmsLoaded)
            for (const auto& a : core::Alarms) names.push_back(a.NAME);
        return names;
    }
    // While the first box waits for someone to see it, look() sees the files and the clock runs on
    // for three seconds; afterwards *rang tells whether the local alarm (12:00:02) rang meanwhile.
    std::shared_ptr<bool> RingsWhileTheBoxWaits(std::function<void()> look = [] {}) {
        auto rang = std::make_shared<bool>(false);
        auto shown = std::make_shared<bool>(false);
        d->WhileMessageBoxShown([this, rang, shown, look](const platform::MessageBoxRequest&) {
            if (std::exchange(*shown, true)) return;
            look();
            d->Advance(3000);
            *rang = core::AlarmsLoaded && core::Alarms[0].NAME == "Local" && core::Alarms[0].FLAG == core::kAlarmPassed;
        });
        return rang;
    }
    // Runs the program until the server holds a post (real time bounds the wait).
    bool RunUntilPosted() {
        for (int i = 0; i < 300 && !server.Posted(); ++i) {
            d->Advance(100);
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return server.Posted();
    }
};

const std::string kLocal = Collection("Local", "2026-03-01 12:00:02");
const std::string kOnline = Collection("Online", "2026-03-01 12:00:03");

TEST_F(Anywhere, AnAlarmChangeUploadsTheCollectionFileAsItIs) {
    ASSERT_TRUE(server.Start());
    server.Store("2026-02-01 08:00:00", kOnline);
    StartProgram(kLocal, "2026-02-01 08:00:00", 2);  // the same date: the local list stays
    d->Advance(1000);
    ASSERT_EQ(AlarmNames(), std::vector<std::string>{"Local"});
    EXPECT_FALSE(server.Posted());

    // The one-time alarm passes at 12:00:02: the files are saved and the list is uploaded.
    ASSERT_TRUE(RunUntilPosted());
    EXPECT_EQ(core::Alarms[0].FLAG, core::kAlarmPassed);
    const std::string file = d->ReadFile("Alarms/MyAlarms.ozrini");
    EXPECT_NE(file.find("FLAG=2\n"), std::string::npos);
    // Every byte of the file reaches the server; each line ends with CR LF there, as a browser
    // sends a text area's lines.
    EXPECT_EQ(server.Stored(), "2026-02-01 08:00:00\r\n" + core::LinesWithCrLf(file));
    const std::string post = ReadBytes(scratch / "server" / "post");
    EXPECT_TRUE(post.starts_with("user=ann+%26+bob&pass=" + core::CMD5().MD5(kPassword) + "&date=2026-02-01+08%3A00%3A00&data="))
        << post;
    EXPECT_FALSE(d->FileExists("transfer.html")) << "the page with the password is gone once posted";
    EXPECT_TRUE(d->MessageBoxes().empty());
}

TEST_F(Anywhere, ANewerOnlineListReplacesTheLocalOneBeforeAnyAlarmFires) {
    ASSERT_TRUE(server.Start());
    server.Store("2026-03-01 09:30:00", kOnline);
    StartProgram(kLocal, "2026-02-01 08:00:00", 1);
    d->Advance(5000);
    EXPECT_EQ(AlarmNames(), std::vector<std::string>{"Online"}) << "the local alarm never loaded, never fired";
    EXPECT_EQ(core::Alarms[0].FLAG, core::kAlarmPassed) << "the online alarm fired at 12:00:03";
    EXPECT_EQ(d->ReadFile("Alarms/MyAlarms Backup1.ozrini"), kLocal) << "the local list was backed up first";
    EXPECT_NE(d->ReadFile("Alarms/MyAlarms.ozrini").find("[ZTVALR: Online]"), std::string::npos);
    EXPECT_EQ(core::Settings.LastSave, "2026-03-01 09:30:00");
    EXPECT_NE(d->ReadFile("Settings.ozrini").find("LastSave=2026-03-01 09:30:00\n"), std::string::npos);
    EXPECT_EQ(d->CountInDebugLog("RESTORED ALARMS"), 1);
    EXPECT_EQ(d->ReadFile("z.alarms"), kOnline);
    EXPECT_TRUE(d->MessageBoxes().empty());
}

// Both alarm files lost, and the server holding a list of the same date as "LastSave": the list
// comes back whole with the playlist that names it, and the next start (here with no server)
// loads it.
TEST_F(Anywhere, LostAlarmFilesComeBackWholeAndLoadAtTheNextStart) {
    ASSERT_TRUE(server.Start());
    server.Store("2026-02-01 08:00:00", kOnline);
    StartProgram(kLocal, "2026-02-01 08:00:00", 2);
    for (const char* file : {"Alarms/!AlarmMaster.ozrini", "Alarms/MyAlarms.ozrini"}) fs::remove(d->PathOf(file));
    d->Advance(1000);
    EXPECT_EQ(AlarmNames(), std::vector<std::string>{"Online"});
    EXPECT_TRUE(d->MessageBoxes().empty());
    const std::string restored = d->ReadFile("Alarms/MyAlarms.ozrini");
    EXPECT_EQ(restored, kOnline);
    EXPECT_EQ(d->ReadFile("Alarms/!AlarmMaster.ozrini"), "[Master Playlist]\n1=MyAlarms.ozrini\n");

    const std::string lastSave = core::Settings.LastSave;
    server.Stop();
    d.reset();
    StartProgram(restored, lastSave, 2);
    d->Advance(1000);
    EXPECT_EQ(AlarmNames(), std::vector<std::string>{"Online"});
    EXPECT_TRUE(d->MessageBoxes().empty());
}

// A newer list whose alarm does not load (FLAG 300 does not fit its byte) replaces nothing: the
// local file stays byte for byte, no backup turns, one box tells it and the local alarms load and
// fire. A newer empty list is a list all the same: it replaces the local one.
TEST_F(Anywhere, ANewerListThatCannotLoadReplacesNothingAndAnEmptyOneReplacesTheLocalList) {
    ASSERT_TRUE(server.Start());
    std::string unloadable = kOnline;
    unloadable.replace(unloadable.find("FLAG=1"), 6, "FLAG=300");
    server.Store("2026-03-01 09:30:00", unloadable);
    StartProgram(kLocal, "2026-02-01 08:00:00", 1);
    d->WriteFile("Alarms/MyAlarms Backup1.ozrini", "an older backup");
    std::string fileWhenTold;
    const auto rang = RingsWhileTheBoxWaits([&] { fileWhenTold = d->ReadFile("Alarms/MyAlarms.ozrini"); });
    d->Advance(1000);
    EXPECT_EQ(fileWhenTold, kLocal) << "replaced nothing";
    EXPECT_TRUE(*rang) << "the local alarms load and ring while the box waits";
    EXPECT_EQ(d->ReadFile("Alarms/MyAlarms Backup1.ozrini"), "an older backup");
    EXPECT_FALSE(d->FileExists("Alarms/MyAlarms Backup2.ozrini"));
    ASSERT_EQ(d->MessageBoxes().size(), 1u);
    EXPECT_TRUE(d->MessageBoxes()[0].text.starts_with("Your alarm list could not be exchanged")) << d->MessageBoxes()[0].text;
    EXPECT_EQ(d->MessageBoxes()[0].type, 16u);
    EXPECT_NE(d->DebugLogText().find("\"FLAG\" of alarm \"Online\""), std::string::npos) << d->DebugLogText();
    EXPECT_EQ(core::Settings.LastSave, "2026-02-01 08:00:00");
    EXPECT_EQ(core::DownloadFailures, 0) << "an answer, not a failure to retry";
    d->Advance(2000);
    EXPECT_EQ(d->MessageBoxes().size(), 1u);

    const std::string local = d->ReadFile("Alarms/MyAlarms.ozrini");
    const std::string empty = "[Dralo Software Development Ruriv - Alarm Playlist File]\n[Collection: MyAlarms.ozrini]\n";
    server.Store("2026-03-01 10:00:00", empty);
    core::frmMain().DownloadAlarms(false);
    d->Advance(1000);
    EXPECT_EQ(d->ReadFile("Alarms/MyAlarms.ozrini"), empty);
    EXPECT_EQ(d->ReadFile("Alarms/MyAlarms Backup1.ozrini"), local);
    EXPECT_EQ(d->ReadFile("Alarms/MyAlarms Backup2.ozrini"), "an older backup");
    EXPECT_EQ(AlarmNames(), std::vector<std::string>{""}) << "the one blank record of an empty list";
    EXPECT_EQ(core::Settings.LastSave, "2026-03-01 10:00:00");
    EXPECT_EQ(d->MessageBoxes().size(), 1u);
}

// An older online list, by "Confirmation" (and the answer to its question), each case in a
// program of its own.
struct OlderListCase {
    const char* name;
    int confirmation;
    std::vector<int> answers;
    bool replaced;
    std::size_t questions;
};

struct AnOlderOnlineList : Anywhere, ::testing::WithParamInterface<OlderListCase> {};

TEST_P(AnOlderOnlineList, FollowsConfirmation) {
    const OlderListCase& c = GetParam();
    ASSERT_TRUE(server.Start());
    server.Store("2026-01-15 10:00:00", kOnline);
    StartProgram(kLocal, "2026-02-01 08:00:00", c.confirmation);
    d->AnswerNextMessageBoxes(c.answers);
    d->Advance(1000);
    ASSERT_EQ(d->MessageBoxes().size(), c.questions);
    if (c.questions) {
        EXPECT_EQ(d->MessageBoxes()[0].caption, "OZR Ruriv - Question");
        EXPECT_EQ(d->MessageBoxes()[0].type, 4132u);
        EXPECT_NE(d->MessageBoxes()[0].text.find("older than the one on this computer.\r\n\r\nWould you like to keep"),
                  std::string::npos);
    }
    EXPECT_EQ(AlarmNames(), std::vector<std::string>{c.replaced ? "Online" : "Local"});
    EXPECT_EQ(d->FileExists("Alarms/MyAlarms Backup1.ozrini"), c.replaced);
    // A kept local list keeps its date, so that it still reaches the other computers.
    EXPECT_EQ(core::Settings.LastSave, c.replaced ? "2026-01-15 10:00:00" : "2026-02-01 08:00:00");
}

INSTANTIATE_TEST_SUITE_P(Anywhere, AnOlderOnlineList,
                         ::testing::Values(OlderListCase{"AskedAndKept", 1, {platform::IDYES}, false, 1},
                                           OlderListCase{"AskedAndReplaced", 1, {platform::IDNO}, true, 1},
                                           OlderListCase{"Kept", 2, {}, false, 0},
                                           OlderListCase{"Replaced", 3, {}, true, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Anywhere, InvalidCredentialsAreToldAndTheLocalAlarmsLoad) {
    ASSERT_TRUE(server.Start());
    server.Store("2026-03-01 09:30:00", kOnline);
    StartProgram(kLocal, "2026-02-01 08:00:00", 1, "not the password");
    const auto rang = RingsWhileTheBoxWaits();
    d->Advance(1000);
    EXPECT_TRUE(*rang) << "the local alarms load and ring while the box waits";
    ASSERT_EQ(d->MessageBoxes().size(), 1u);
    EXPECT_EQ(d->MessageBoxes()[0].caption, "OZR Ruriv - Error!");
    EXPECT_TRUE(d->MessageBoxes()[0].text.starts_with("OZR Ruriv Anywhere did not accept your user name or password."));
    EXPECT_EQ(d->MessageBoxes()[0].type, 16u);
    EXPECT_EQ(AlarmNames(), std::vector<std::string>{"Local"});
    EXPECT_EQ(core::DownloadFailures, 0) << "not a failure to retry";
    d->Advance(70000);
    EXPECT_EQ(d->MessageBoxes().size(), 1u) << "and not asked again";
}

TEST_F(Anywhere, WithTheServerStoppedTheLocalAlarmsLoadAndTheRetryFindsItLater) {
    server.ReservePort();
    server.Store("2026-03-01 09:30:00", Collection("Online", "2026-03-01 13:00:00"));
    StartProgram(kLocal, "2026-02-01 08:00:00", 1);
    d->Advance(1000);
    EXPECT_EQ(AlarmNames(), std::vector<std::string>{"Local"}) << "an offline computer still rings its alarms";
    EXPECT_EQ(core::DownloadFailures, 1);
    d->Advance(2000);
    EXPECT_EQ(core::Alarms[0].FLAG, core::kAlarmPassed) << "the local alarm fired at 12:00:02";
    EXPECT_NE(d->DebugLogText().find("The alarm list could not be downloaded"), std::string::npos);

    ASSERT_TRUE(server.Start());  // on the same port
    d->Advance(65000);
    EXPECT_EQ(AlarmNames(), std::vector<std::string>{"Online"}) << "the retry took the newer list";
    EXPECT_EQ(core::DownloadFailures, 0);
    EXPECT_EQ(core::Settings.LastSave, "2026-03-01 09:30:00");
    EXPECT_TRUE(d->MessageBoxes().empty());
}

// The account typed on its settings page: Apply asks whether the new account takes this
// computer's alarms (Yes: uploaded) or gives its own (No: downloaded, whatever their date).
struct ANewAccount : Anywhere, ::testing::WithParamInterface<int> {};

TEST_P(ANewAccount, UploadsOrDownloadsByTheAnswerAtApply) {
    ASSERT_TRUE(server.Start());
    server.Store("2026-01-15 10:00:00", kOnline);
    StartProgram(kLocal, "2026-02-01 08:00:00", 2, kPassword, "");
    d->WriteFile("System/OZR Ruriv Anywhere Servers.ozrini",
                 "[Dralo Software Development Ruriv - OZR Ruriv Anywhere Servers File]\n[Servers]\n1=" + server.Url() + "\n");
    d->Advance(1000);
    ASSERT_EQ(AlarmNames(), std::vector<std::string>{"Local"});
    d->Key(platform::VK_F2);
    d->Advance(50);
    settings::frmSeti().ShowSubWindow(&settings::frmSetiEV(), true);
    d->Advance(50);
    settings::frmSetiEVForm& page = settings::frmSetiEV();
    page.txtUsername.SetFocus();
    page.txtUsername.Text = "Ann & Bob";
    page.txtPassword.SetFocus();
    page.txtPassword.Text = kPassword;
    page.txtUsername.SetFocus();
    EXPECT_EQ(core::Settings.Username, kUser);
    EXPECT_EQ(core::Settings.ServerURL, server.Url());
    d->AnswerNextMessageBoxes({GetParam()});
    const platform::RECT apply = d->Rect(settings::frmSeti().cmdApply.hWnd);
    d->Click(platform::POINT{(apply.left + apply.right) / 2, (apply.top + apply.bottom) / 2});
    if (GetParam() == platform::IDYES) {
        ASSERT_TRUE(RunUntilPosted());
        EXPECT_NE(server.Stored().find("[ZTVALR: Local]"), std::string::npos);
    } else {
        for (int i = 0; i < 300 && AlarmNames() != std::vector<std::string>{"Online"}; ++i) {
            d->Advance(100);
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        EXPECT_EQ(AlarmNames(), std::vector<std::string>{"Online"});
        EXPECT_FALSE(server.Posted());
    }
    EXPECT_EQ(d->MessageBoxes().back().type, 4132u);
}

INSTANTIATE_TEST_SUITE_P(Anywhere, ANewAccount, ::testing::Values(platform::IDYES, platform::IDNO),
                         [](const auto& info) { return std::string(info.param == platform::IDYES ? "Yes" : "No"); });

}  // namespace
