// The time synchronisation page and the online storage account page on the headless desktop:
// server lines and the stored index, the number boxes' bounds, what acts on the main window
// before Apply, the password box, the user name and its question at Apply, and what Apply writes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/frm_main.h"
#include "core/globals.h"
#include "core/md5.h"
#include "desktop_harness.h"
#include "platform/services/settings_file.h"
#include "platform/window/input.h"
#include "platform/window/messages.h"
#include "settings/frm_seti.h"
#include "settings/frm_seti_at.h"
#include "settings/frm_seti_ev.h"

using namespace platform;
using desktop::Desktop;
using desktop::DesktopOptions;
using settings::frmSeti;
using settings::frmSetiAT;
using settings::frmSetiEV;
namespace fs = std::filesystem;

namespace {

constexpr int kTimeNode = 11;
constexpr int kAccountNode = 12;
constexpr int kAspectNode = 4;
const std::string kDigestOfNothing = "d41d8cd98f00b204e9800998ecf8427e";

using desktop::CentreOf;

// Five time servers on loopback addresses, the first with what an exchange wrote back.
std::string FiveTimeServers() {
    std::string list = "[Dralo Software Development Ruriv - Time Servers File]\n[Servers]\n";
    for (int i = 1; i <= 5; ++i) list += std::to_string(i) + "=127.0.0." + std::to_string(i) + "\n";
    list += "[1]\nIP=127.0.0.1\nStratum=2\nLocation=Loopback one\n";
    for (int i = 2; i <= 5; ++i) list += "[" + std::to_string(i) + "]\nIP=\nStratum=\nLocation=Loopback " + std::to_string(i) + "\n";
    return list;
}

struct PagesSetup {
    std::string settings;  // sections after [Main Settings]
    std::string timeServers = FiveTimeServers();
    std::string storageServers =
        "[Dralo Software Development Ruriv - OZR Ruriv Anywhere Servers File]\n[Servers]\n"
        "1=http://first.example/\n2=http://second.example/\n";
};

class InternetPages : public testing::Test {
public:
    void Start(const PagesSetup& setup) {
        d = std::make_unique<Desktop>(DesktopOptions{.prepare = [setup](const fs::path& folder) {
            std::ofstream(folder / "Settings.ozrini")
                << "[Dralo Software Development Ruriv - Settings File]\n[Main Settings]\nRunCount=4\nSplash=0\n"
                << setup.settings;
            std::ofstream(folder / "System" / "Time Servers.ozrini") << setup.timeServers;
            std::ofstream(folder / "System" / "OZR Ruriv Anywhere Servers.ozrini") << setup.storageServers;
        }});
        ASSERT_TRUE(d->Start());
        d->Key(VK_F2);
        d->Advance(50);
        ASSERT_TRUE(frmSeti().IsLoaded());
    }
    void ShowNode(int index) {
        forms::Node& node = frmSeti().treeO.Nodes(index);
        node.EnsureVisible();
        d->Pump();
        const RECT tree = d->Rect(frmSeti().treeO.hWnd);
        const RECT row = frmSeti().treeO.RowRect(frmSeti().treeO.RowOfNode(node));
        d->Click(POINT{tree.left + row.left + 60, tree.top + (row.top + row.bottom) / 2});
        d->Advance(50);
    }
    void Click(HWND control) {
        d->Click(CentreOf(d->Rect(control)));
        d->Advance(20);
    }
    // Types into a box that it gives the focus first, then leaves it with Tab.
    void Enter(forms::TextBox& box, const std::string& text) {
        box.SetFocus();
        box.Text = "";
        d->Type(text);
        d->Key(VK_TAB);
    }
    void Apply() { Click(frmSeti().cmdApply.hWnd); }
    // A click on a box whose focus shows a warning: as on a real desktop, the button is let go
    // while the warning waits, and that release is handled by the warning's wait.
    void ClickReleasedDuringItsWarning(HWND box) {
        d->WhileMessageBoxShown([this](const MessageBoxRequest&) { d->Pump(); });
        const POINT p = CentreOf(d->Rect(box));
        InjectMouseMove(p);
        InjectMouseButton(p, MouseButton::Left, true);
        InjectMouseButton(p, MouseButton::Left, false);
        d->Pump();
        d->WhileMessageBoxShown({});
        d->Advance(20);
    }
    // After the warning, the typed name and the first click on Apply: the name is saved and the
    // account question asked.
    void ExpectTheFirstApplySaves(const std::string& typed) {
        d->AnswerNextMessageBoxes({IDNO});
        Apply();
        EXPECT_EQ(Saved("OZR Ruriv Anywhere", "Username"), typed);
        EXPECT_EQ(d->MessageBoxes().back().text.rfind(AnywhereText("UserChanged1"), 0), 0u) << d->MessageBoxes().back().text;
        EXPECT_EQ(GetFocus(), frmSeti().cmdApply.hWnd);
    }
    std::string Saved(const std::string& section, const std::string& key) const {
        SettingsFile file;
        file.Open(d->PathOf("Settings.ozrini").string());
        return file.ReadText(section, key);
    }
    std::vector<std::string> BoxTexts() const {
        std::vector<std::string> texts;
        for (const auto& box : d->MessageBoxes()) texts.push_back(box.text);
        return texts;
    }
    std::string AnywhereText(const char* key) const {
        return core::LanguageFile.ReadText("Program Settings Controls - OZR CLOCK ANYWHERE", key);
    }

    std::unique_ptr<Desktop> d;
};

// ---- The time synchronisation page ----

TEST_F(InternetPages, TimeServerLinesShowWhatTheListHoldsAndAStoredIndexPastTheEndSelectsTheFirst) {
    Start({.settings = "[Atomic Ruriv]\nServer=7\n"});
    core::frmMain().CurrentTimeServer = 3;  // where failed synchronisations left it
    ShowNode(kTimeNode);
    auto& list = frmSetiAT().ddlServers;
    ASSERT_EQ(list.ListCount, 5);
    EXPECT_EQ(std::string(list.List(0)), "127.0.0.1 (127.0.0.1) Stratum: 2 @ Loopback one");
    EXPECT_EQ(std::string(list.List(4)), "127.0.0.5 @ Loopback 5");
    EXPECT_EQ(list.ListIndex, 0);
    EXPECT_EQ(core::Settings.AtomicServer, 0);
    EXPECT_EQ(core::frmMain().CurrentTimeServer, 0);
    EXPECT_EQ(frmSetiAT().frmGeneral.Caption, "Settings");
    EXPECT_EQ(frmSetiAT().cmdSync.Caption, "Synchronise now");
}

TEST_F(InternetPages, TheStoredServerIsSelectedANegativeOneCountsAsTheFirstAndAnEmptyListSelectsNothing) {
    Start({.settings = "[Atomic Ruriv]\nServer=3\n"});
    ShowNode(kTimeNode);
    EXPECT_EQ(frmSetiAT().ddlServers.ListIndex, 3);
    EXPECT_EQ(core::frmMain().CurrentTimeServer, 3);

    core::Settings.AtomicServer = -2;
    ShowNode(kAspectNode);
    ShowNode(kTimeNode);
    EXPECT_EQ(frmSetiAT().ddlServers.ListIndex, 0);
    EXPECT_EQ(core::Settings.AtomicServer, 0);

    // A list without items: nothing is selected and both indices keep their values.
    d->WriteFile("System/Time Servers.ozrini", "[Dralo Software Development Ruriv - Time Servers File]\n[Servers]\n");
    core::Settings.AtomicServer = 2;
    core::frmMain().CurrentTimeServer = 4;
    ShowNode(kAspectNode);
    ShowNode(kTimeNode);
    EXPECT_EQ(frmSetiAT().ddlServers.ListCount, 0);
    EXPECT_EQ(frmSetiAT().ddlServers.ListIndex, -1);
    EXPECT_EQ(core::Settings.AtomicServer, 2);
    EXPECT_EQ(core::frmMain().CurrentTimeServer, 4);
    fs::remove(d->PathOf("System/Time Servers.ozrini"));
    ShowNode(kAspectNode);
    ShowNode(kTimeNode);
    EXPECT_EQ(frmSetiAT().ddlServers.ListCount, 0);
    EXPECT_EQ(core::Settings.AtomicServer, 2);
}

TEST_F(InternetPages, NumberBoxesShowStoredValuesAsTheyAreCleanOnLeavingAndStopAtTheirBounds) {
    Start({.settings = "[Atomic Ruriv]\nEveryMinutes=0\nRetries=500\n"});
    ShowNode(kTimeNode);
    auto& page = frmSetiAT();
    EXPECT_EQ(std::string(page.txtEvery.Text), "0") << "shown as stored";
    EXPECT_EQ(std::string(page.txtRetries.Text), "500");

    Enter(page.txtEvery, "0");
    EXPECT_EQ(std::string(page.txtEvery.Text), "1");
    EXPECT_EQ(core::Settings.EveryMinutes, 1);
    Enter(page.txtEvery, "6000");
    EXPECT_EQ(std::string(page.txtEvery.Text), "5000");
    EXPECT_EQ(core::Settings.EveryMinutes, 5000);

    struct Bound {
        forms::TextBox& box;
        forms::CommandButton& minus;
        forms::CommandButton& plus;
        const char* lower;
        const char* upper;
        std::int16_t& setting;
    };
    Bound bounds[] = {
        {page.txtEvery, page.cmdEveryM, page.cmdEveryP, "1", "5000", core::Settings.EveryMinutes},
        {page.txtRetries, page.cmdRetriesM, page.cmdRetriesP, "0", "100", core::Settings.Retries},
        {page.txtMinutesAhead, page.cmdMinutesAheadM, page.cmdMinutesAheadP, "0", "1440", core::Settings.AtomicPlus},
        {page.txtMinutesLate, page.cmdMinutesLateM, page.cmdMinutesLateP, "0", "1440", core::Settings.AtomicMinus},
    };
    for (Bound& b : bounds) {
        Enter(b.box, b.upper);
        Click(b.plus.hWnd);
        EXPECT_EQ(std::string(b.box.Text), b.upper) << b.box.Name();
        Click(b.minus.hWnd);
        EXPECT_EQ(b.setting, std::stoi(b.upper) - 1) << b.box.Name();
        Enter(b.box, b.lower);
        Click(b.minus.hWnd);
        EXPECT_EQ(std::string(b.box.Text), b.lower) << b.box.Name();
        EXPECT_EQ(b.setting, std::stoi(b.lower)) << b.box.Name();
        // An empty box is repaired first and does not go below its bound.
        b.box.Text = "";
        Click(b.minus.hWnd);
        EXPECT_EQ(std::string(b.box.Text), b.lower) << b.box.Name();
        // An arrow key over letters cleans the box, then steps.
        b.box.SetFocus();
        b.box.Text = "x7";
        d->Key(VK_UP);
        EXPECT_EQ(std::string(b.box.Text), "8") << b.box.Name();
    }
    Enter(page.txtEvery, "6000");
    Apply();
    EXPECT_EQ(Saved("Atomic Ruriv", "EveryMinutes"), "5000");
}

TEST_F(InternetPages, UntickingEveryStopsTheMinuteTimerAtOnceAndCancelStartsItAgain) {
    Start({.settings = "[Atomic Ruriv]\nEvery=1\nEveryMinutes=30\n"});
    ASSERT_TRUE(core::frmMain().AtomicMinute.Enabled);
    ShowNode(kTimeNode);
    ASSERT_EQ(frmSetiAT().chEvery.Value, forms::vbChecked);
    Click(frmSetiAT().chEvery.hWnd);
    EXPECT_FALSE(core::Settings.Every);
    EXPECT_FALSE(core::frmMain().AtomicMinute.Enabled);
    Click(frmSeti().cmdCancelN.hWnd);
    EXPECT_FALSE(frmSeti().IsLoaded());
    EXPECT_TRUE(core::Settings.Every);
    EXPECT_TRUE(core::frmMain().AtomicMinute.Enabled);
}

TEST_F(InternetPages, SynchronizeNowAsksTheServerJustChosenBeforeAnyApply) {
    Start({.settings = "[Atomic Ruriv]\nServer=0\nAtomicStartup=0\nEvery=0\n"});
    ShowNode(kTimeNode);
    ASSERT_TRUE(d->Udp()->SentDatagrams().empty());
    frmSetiAT().ddlServers.SetFocus();
    d->Key(VK_DOWN);
    d->Key(VK_DOWN);
    EXPECT_EQ(core::Settings.AtomicServer, 2);
    EXPECT_EQ(core::frmMain().CurrentTimeServer, 2);
    Click(frmSetiAT().cmdSync.hWnd);
    d->Advance(20);
    ASSERT_EQ(d->Udp()->SentDatagrams().size(), 1u);
    EXPECT_EQ(d->Udp()->SentDatagrams()[0].address, "127.0.0.3");
    EXPECT_EQ(Saved("Atomic Ruriv", "Server"), "0") << "nothing applied";
}

TEST_F(InternetPages, LateWithFiveMinutesIsWhatApplyWritesAndTheChecksFollowTheirBoxes) {
    Start({.settings = "[Atomic Ruriv]\nAhead=1\nAtomicPlus=3\nTryNext=0\nRemember=1\nAtomicStartup=0\n"});
    ShowNode(kTimeNode);
    auto& page = frmSetiAT();
    EXPECT_TRUE(page.optAhead.Value);
    EXPECT_EQ(std::string(page.txtMinutesAhead.Text), "3");
    Click(page.optLate.hWnd);
    Enter(page.txtMinutesLate, "5");
    Click(page.chTry.hWnd);
    Click(page.chRemember.hWnd);
    Click(page.chStartup.hWnd);
    Apply();
    EXPECT_EQ(Saved("Atomic Ruriv", "Ahead"), "0");
    EXPECT_EQ(Saved("Atomic Ruriv", "AtomicMinus"), "5");
    EXPECT_EQ(Saved("Atomic Ruriv", "AtomicPlus"), "3");
    EXPECT_EQ(Saved("Atomic Ruriv", "TryNext"), "1");
    EXPECT_EQ(Saved("Atomic Ruriv", "Remember"), "0");
    EXPECT_EQ(Saved("Atomic Ruriv", "AtomicStartup"), "1");
}

TEST_F(InternetPages, InTheMatrixSchemeBothPagesAreGreenOnBlackAndTheirBoxesKeepTheirColours) {
    Start({.settings = "[Aspect]\nColorScheme=1\n"});
    ShowNode(kTimeNode);
    EXPECT_EQ(frmSetiAT().BackColor, 0x000000u);
    EXPECT_EQ(frmSetiAT().chEvery.ForeColor, 0x00FF00u);
    EXPECT_EQ(frmSetiAT().lblMinutesLate.BackColor, 0x000000u);
    EXPECT_EQ(frmSetiAT().cmdMinutesLateP.BackColor, 0x00FF00u);
    EXPECT_EQ(frmSetiAT().cmdSync.BackColor, 0x00FF00u);
    EXPECT_NE(frmSetiAT().txtEvery.BackColor, 0x000000u);
    ShowNode(kAccountNode);
    EXPECT_EQ(frmSetiEV().BackColor, 0x000000u);
    EXPECT_EQ(frmSetiEV().lblAttention.ForeColor, 0x00FF00u);
    EXPECT_EQ(frmSetiEV().optOverwrite.BackColor, 0x000000u);
    EXPECT_NE(frmSetiEV().txtPassword.BackColor, 0x000000u);
}

// ---- The online storage account page ----

TEST_F(InternetPages, TheChosenStorageLineIsTheServerUrlAndAStoredIndexPastTheEndSelectsTheFirst) {
    Start({.settings = "[OZR Ruriv Anywhere]\nServer=4\nServerURL=\n"});
    ShowNode(kAccountNode);
    EXPECT_EQ(frmSetiEV().ddlServers.ListIndex, 0);
    EXPECT_EQ(core::Settings.AnywhereServer, 0);
    EXPECT_EQ(core::Settings.ServerURL, "http://first.example/");
    frmSetiEV().ddlServers.SetFocus();
    d->Key(VK_DOWN);
    EXPECT_EQ(core::Settings.AnywhereServer, 1);
    EXPECT_EQ(core::Settings.ServerURL, "http://second.example/");
    Apply();
    EXPECT_EQ(Saved("OZR Ruriv Anywhere", "ServerURL"), "http://second.example/");
    EXPECT_EQ(Saved("OZR Ruriv Anywhere", "Server"), "1");

    // A server set by hand that names a line other than the stored index's is that line.
    core::Settings.ServerURL = "http://first.example/";
    ShowNode(kAspectNode);
    ShowNode(kAccountNode);
    EXPECT_EQ(frmSetiEV().ddlServers.ListIndex, 0);
    EXPECT_EQ(core::Settings.AnywhereServer, 0);

    // A server set by hand that the list does not name is a line of its own, kept through the
    // page and Apply; choosing a listed one takes its place.
    core::Settings.ServerURL = "http://127.0.0.1:8080/mine/";
    ShowNode(kAspectNode);
    ShowNode(kAccountNode);
    ASSERT_EQ(frmSetiEV().ddlServers.ListCount, 3);
    EXPECT_EQ(frmSetiEV().ddlServers.ListIndex, 2);
    EXPECT_EQ(std::string(frmSetiEV().ddlServers.Text), "http://127.0.0.1:8080/mine/");
    Apply();
    EXPECT_EQ(Saved("OZR Ruriv Anywhere", "ServerURL"), "http://127.0.0.1:8080/mine/");
    ShowNode(kAspectNode);
    ShowNode(kAccountNode);
    EXPECT_EQ(frmSetiEV().ddlServers.ListIndex, 2);
    frmSetiEV().ddlServers.SetFocus();
    d->Key(VK_UP);
    EXPECT_EQ(core::Settings.ServerURL, "http://second.example/");
    ShowNode(kAspectNode);
    ShowNode(kAccountNode);
    EXPECT_EQ(frmSetiEV().ddlServers.ListCount, 2);

    // No list: the stored server is the one line.
    fs::remove(d->PathOf("System/OZR Ruriv Anywhere Servers.ozrini"));
    ShowNode(kAspectNode);
    ShowNode(kAccountNode);
    EXPECT_EQ(frmSetiEV().ddlServers.ListCount, 1);
    EXPECT_EQ(core::Settings.ServerURL, "http://second.example/");
}

TEST_F(InternetPages, WithoutAnAccountTheUnicityWarningComesOnceARunAndThePasswordBoxWarnsOfNothing) {
    Start({});
    ShowNode(kAccountNode);
    auto& page = frmSetiEV();
    EXPECT_EQ(std::string(page.txtPassword.Text), "");
    page.txtUsername.SetFocus();
    d->Pump();
    ASSERT_EQ(BoxTexts(), std::vector<std::string>{AnywhereText("PasswordUnicityWarning")});
    EXPECT_EQ(d->MessageBoxes()[0].type, 4160u);
    EXPECT_EQ(d->MessageBoxes()[0].caption, "OZR Ruriv - Information");
    page.txtPassword.SetFocus();
    page.txtUsername.SetFocus();
    ShowNode(kAspectNode);
    ShowNode(kAccountNode);
    page.txtUsername.SetFocus();
    page.txtPassword.SetFocus();
    d->Pump();
    EXPECT_EQ(d->MessageBoxes().size(), 1u) << "once per run, and no password warning without an account";
    // Typing into the empty password box keeps every character.
    d->Type("ab");
    EXPECT_EQ(std::string(page.txtPassword.Text), "ab");
    EXPECT_EQ(core::Settings.Password, core::CMD5().MD5("ab"));
}

TEST_F(InternetPages, AfterTheUnicityWarningTheFirstApplySavesTheTypedUser) {
    Start({});
    ShowNode(kAccountNode);
    auto& page = frmSetiEV();
    ClickReleasedDuringItsWarning(page.txtUsername.hWnd);
    ASSERT_EQ(BoxTexts(), std::vector<std::string>{AnywhereText("PasswordUnicityWarning")});
    EXPECT_EQ(GetFocus(), page.txtUsername.hWnd);
    d->Type("carol");
    ExpectTheFirstApplySaves("carol");
}

TEST_F(InternetPages, AfterThePasswordWarningTheFirstApplySavesTheTypedUser) {
    Start({.settings = "[OZR Ruriv Anywhere]\nUsername=ann\nPassword=0cc175b9c0f1b6a831c399e269772661\n"});
    ShowNode(kAccountNode);
    auto& page = frmSetiEV();
    Click(page.txtUsername.hWnd);
    page.txtUsername.Text = "";
    d->Type("dave");
    ClickReleasedDuringItsWarning(page.txtPassword.hWnd);
    ASSERT_EQ(BoxTexts(), std::vector<std::string>{AnywhereText("PasswordWarning")});
    d->Type("pw");
    ExpectTheFirstApplySaves("dave");
    EXPECT_EQ(Saved("OZR Ruriv Anywhere", "Password"), core::CMD5().MD5("pw"));
}

TEST_F(InternetPages, ANameWithCapitalsIsStoredInLowerCaseWithTheDigestOfThePassword) {
    Start({});
    ShowNode(kAccountNode);
    auto& page = frmSetiEV();
    Enter(page.txtUsername, "Alice");
    EXPECT_EQ(std::string(page.txtUsername.Text), "Alice");
    EXPECT_EQ(core::Settings.Username, "alice");
    EXPECT_TRUE(core::OnlineUserChanged);
    page.txtPassword.SetFocus();
    d->Type("secret");
    d->Key(VK_TAB);
    EXPECT_EQ(core::Settings.Password, "5ebe2294ecd0e0f08eab7690d2a6ee69");
    d->AnswerNextMessageBoxes({IDYES});
    Apply();
    EXPECT_EQ(Saved("OZR Ruriv Anywhere", "Username"), "alice");
    EXPECT_EQ(Saved("OZR Ruriv Anywhere", "Password"), "5ebe2294ecd0e0f08eab7690d2a6ee69");
    EXPECT_EQ(d->ReadFile("Settings.ozrini").find("secret"), std::string::npos) << "never in clear text";
    EXPECT_FALSE(core::OnlineUserChanged) << "Apply asked and cleared it";
}

TEST_F(InternetPages, TheUserChangesOnlyWhenTheLowerCaseNameDiffersFromTheStoredOne) {
    Start({.settings = "[OZR Ruriv Anywhere]\nUsername=ann\nPassword=0cc175b9c0f1b6a831c399e269772661\n"});
    ShowNode(kAccountNode);
    auto& page = frmSetiEV();
    EXPECT_EQ(std::string(page.txtUsername.Text), "ann");
    Enter(page.txtUsername, "ANN");
    EXPECT_FALSE(core::OnlineUserChanged);
    Enter(page.txtUsername, "Bob");
    EXPECT_TRUE(core::OnlineUserChanged);
    Enter(page.txtUsername, "Ann");
    EXPECT_FALSE(core::OnlineUserChanged);
    Enter(page.txtUsername, "Bob");
    // Another page and back: the name is still compared with the stored one when the box is left.
    ShowNode(kAspectNode);
    ShowNode(kAccountNode);
    Click(page.txtUsername.hWnd);
    // Apply asks; the stored name is the one compared from then on.
    d->AnswerNextMessageBoxes({IDNO});
    Apply();
    const std::size_t boxes = d->MessageBoxes().size();
    ASSERT_GE(boxes, 1u);
    EXPECT_EQ(d->MessageBoxes().back().text, AnywhereText("UserChanged1") + "\r\n\r\n" + AnywhereText("UserChanged2") +
                                                 "\r\n\r\n" + AnywhereText("UserChanged3"));
    EXPECT_EQ(d->MessageBoxes().back().type, 4132u);
    ShowNode(kAspectNode);
    ShowNode(kAccountNode);
    Enter(page.txtUsername, "BOB");
    EXPECT_FALSE(core::OnlineUserChanged);
}

// The password box with an account stored: what a sequence of keys leaves in the box and in
// Password. Each case is a new showing of the page.
struct PasswordKeys {
    const char* what;
    std::vector<int> keys;  // virtual keys; letters are typed as characters
    const char* box;
    const char* password;   // the text whose digest is stored; nullptr: the stored digest stays
};

TEST_F(InternetPages, ThePasswordBoxReactsToEditsOnly) {
    const std::string stored = "0cc175b9c0f1b6a831c399e269772661";
    Start({.settings = "[OZR Ruriv Anywhere]\nUsername=ann\nPassword=" + stored + "\n"});
    const PasswordKeys cases[] = {
        {"focus only", {}, "?????", nullptr},
        {"Tab in and out", {VK_TAB}, "?????", nullptr},
        {"Shift and arrows", {VK_SHIFT, VK_LEFT, VK_RIGHT, VK_HOME}, "?????", nullptr},
        {"typing", {'A', 'B', 'C'}, "abc", "abc"},
        {"Backspace at the start", {VK_HOME, VK_BACK}, "?????", nullptr},
        {"Backspace at the end", {VK_END, VK_BACK}, "", ""},
        {"Backspace then typing", {VK_END, VK_BACK, 'X'}, "x", "x"},
        {"typing then Backspace", {'A', 'B', VK_BACK}, "a", "a"},
        {"typing at the start", {VK_HOME, 'Z'}, "z", "z"},
        {"emptied by hand", {'Q', VK_BACK}, "", ""},
    };
    auto& page = frmSetiEV();
    for (const PasswordKeys& c : cases) {
        core::Settings.Password = stored;
        ShowNode(kAspectNode);
        ShowNode(kAccountNode);
        ASSERT_EQ(std::string(page.txtPassword.Text), "?????") << c.what;
        page.txtPassword.SetFocus();
        d->Pump();
        for (int key : c.keys) {
            if (key >= 'A' && key <= 'Z')
                d->Key(key, static_cast<unsigned>(key - 'A' + 'a'));
            else
                d->Key(key, key == VK_BACK ? '\b' : 0);
        }
        if (GetFocus() == page.txtPassword.hWnd) d->Key(VK_TAB);
        EXPECT_EQ(std::string(page.txtPassword.Text), c.box) << c.what;
        EXPECT_EQ(core::Settings.Password, c.password ? core::CMD5().MD5(c.password) : stored) << c.what;
    }
    EXPECT_EQ(core::CMD5().MD5("abc"), "900150983cd24fb0d6963f7d28e17f72");
    EXPECT_EQ(core::CMD5().MD5(""), kDigestOfNothing);
}

TEST_F(InternetPages, ThePasswordWarningComesAtTheFirstFocusOfEachShowing) {
    Start({.settings = "[OZR Ruriv Anywhere]\nUsername=ann\nPassword=0cc175b9c0f1b6a831c399e269772661\n"});
    auto& page = frmSetiEV();
    for (std::size_t showing = 1; showing <= 2; ++showing) {
        ShowNode(kAspectNode);
        ShowNode(kAccountNode);
        page.txtPassword.SetFocus();
        page.txtUsername.SetFocus();
        page.txtPassword.SetFocus();
        d->Pump();
        ASSERT_EQ(d->MessageBoxes().size(), showing);
        EXPECT_EQ(d->MessageBoxes().back().text, AnywhereText("PasswordWarning"));
    }
    EXPECT_EQ(core::Settings.Password, "0cc175b9c0f1b6a831c399e269772661");
}

TEST_F(InternetPages, TheThreeConflictOptionsWriteConfirmationOneTwoThreeAndAnOddValueSelectsNone) {
    Start({.settings = "[OZR Ruriv Anywhere]\nConfirmation=7\n"});
    ShowNode(kAccountNode);
    auto& page = frmSetiEV();
    EXPECT_FALSE(page.optConfirmation.Value || page.optNothing.Value || page.optOverwrite.Value);
    EXPECT_EQ(core::Settings.Confirmation, 7);
    const struct {
        forms::OptionButton& option;
        const char* saved;
    } options[] = {{page.optNothing, "2"}, {page.optOverwrite, "3"}, {page.optConfirmation, "1"}};
    for (const auto& o : options) {
        Click(o.option.hWnd);
        Apply();
        EXPECT_EQ(Saved("OZR Ruriv Anywhere", "Confirmation"), o.saved);
    }
}

}  // namespace
