// The settings window on the headless desktop: opened by the clock's keys, its tree and pages, its
// title bar, Apply, OK and Cancel, the aspect and language pages and the about window.
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/frm_main.h"
#include "core/globals.h"
#include "core/main_window_proc.h"
#include "core/language_files.h"
#include "core/language_keys.h"
#include "core/settings_windows.h"
#include "desktop_harness.h"
#include "platform/forms/constants.h"
#include "platform/present/desktop_screen.h"
#include "platform/present/presented_windows.h"
#include "platform/window/messages.h"
#include "platform/window/window_manager.h"
#include "alarmmanager/frm_seti_ram.h"
#include "alarmwizard/frm_seti_rae1.h"
#include "settings/frm_about.h"
#include "settings/frm_seti.h"
#include "settings/frm_seti_as.h"
#include "settings/frm_seti_la.h"
#include "settings/settings_pages.h"
#include "settings/settings_tree.h"
#include "platform/forms/check_box.h"
#include "platform/forms/combo_box.h"
#include "platform/forms/command_button.h"
#include "platform/forms/flex_grid.h"
#include "platform/forms/frame.h"
#include "platform/forms/label.h"
#include "platform/forms/list_box.h"
#include "platform/forms/option_button.h"
#include "platform/forms/painter.h"
#include "platform/forms/tree_view.h"

using namespace platform;
using desktop::Desktop;
using desktop::DesktopOptions;
using settings::frmAbout;
using settings::frmSeti;

namespace {

DesktopOptions LaterRun(const std::string& extra = "") {
    return {.prepare = [extra](const std::filesystem::path& folder) {
        std::ofstream out(folder / "Settings.ozrini");
        out << "[Dralo Software Development Ruriv - Settings File]\n[Main Settings]\nRunCount=4\nSplash=0\n" << extra;
    }};
}

using desktop::CentreOf;

class SettingsWindow : public testing::Test {
public:
    void Open(int key = VK_F2) {
        d.Key(key);
        d.Advance(50);
        ASSERT_TRUE(frmSeti().IsLoaded());
    }
    HWND Window() const { return d.FindByTitle(settings::kSettingsWindowTitle); }
    // The topmost floating clock lies above the settings window.
    bool ClockAbove() const {
        const std::vector<HWND> order = TopLevelWindowsInZOrder();
        const auto clock = std::find(order.begin(), order.end(), core::frmMain().hWnd);
        return clock < std::find(order.begin(), order.end(), Window());
    }
    // A node's row in the tree, on the screen.
    POINT NodePoint(int index) {
        forms::Node& node = frmSeti().treeO.Nodes(index);
        node.EnsureVisible();
        d.Pump();
        const RECT tree = d.Rect(frmSeti().treeO.hWnd);
        const RECT row = frmSeti().treeO.RowRect(frmSeti().treeO.RowOfNode(node));
        return POINT{tree.left + row.left + 60, tree.top + (row.top + row.bottom) / 2};
    }
    void ClickNode(int index) {
        d.Click(NodePoint(index));
        d.Advance(50);
    }
    // A point on the title bar, X in twips of the bar.
    POINT TitleBarPoint(int xTwips) {
        const RECT bar = d.Rect(frmSeti().pctGradient.hWnd);
        return POINT{bar.left + xTwips / 15, bar.top + 12};
    }
    std::string SettingsFileBytes() const { return d.ReadFile("Settings.ozrini"); }
    std::string Saved(const std::string& key) const {
        const std::string file = SettingsFileBytes();
        const std::size_t at = file.find("\n" + key + "=");
        if (at == std::string::npos) return "";
        const std::size_t from = at + key.size() + 2;
        return file.substr(from, file.find('\n', from) - from);
    }
    BYTE OpacityOf(HWND h) {
        BYTE alpha = 255;
        DWORD flags = 0;
        if (!GetLayeredWindowAttributes(h, nullptr, &alpha, &flags) || !(flags & LWA_ALPHA)) return 255;
        return alpha;
    }
    // How many pixels of a rectangle of the composed screen are near a colour (RGB).
    int PixelsNear(const RECT& r, int red, int green, int blue) {
        const Surface& screen = ComposedScreen();
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) {
                std::uint32_t p = screen.row(y)[x];
                n += std::abs(static_cast<int>((p >> 16) & 0xFF) - red) < 40 &&
                     std::abs(static_cast<int>((p >> 8) & 0xFF) - green) < 40 && std::abs(static_cast<int>(p & 0xFF) - blue) < 40;
            }
        return n;
    }

    void SetUp() override { ASSERT_TRUE(d.Start()); }

    Desktop d{LaterRun()};
};

TEST_F(SettingsWindow, F2OpensItCentredOnTheProgramSettingsGroupAndF2AgainOnlyRaisesIt) {
    Open();
    HWND window = Window();
    ASSERT_TRUE(window);
    const RECT r = d.Rect(window);
    EXPECT_EQ(r.width(), 620);
    EXPECT_EQ(r.height(), 460);
    EXPECT_EQ(r.left, (1280 - 620) / 2);
    EXPECT_EQ(r.top, (1024 - 460) / 2);
    EXPECT_TRUE(core::SettingsWindowOpen);
    EXPECT_TRUE(core::ModalWindowOpen);
    forms::Node& root1 = frmSeti().treeO.Nodes(1);
    EXPECT_TRUE(root1.Expanded);
    EXPECT_EQ(frmSeti().HighlightedNodeIndex(), 1);
    EXPECT_TRUE(root1.Bold);
    EXPECT_EQ(root1.ForeColor, 255u);
    EXPECT_TRUE(frmSeti().frmDesc.Visible);
    EXPECT_EQ(core::CurrentPageName, "");
    EXPECT_EQ(frmSeti().SectionTitle(), "Program Settings");
    EXPECT_EQ(frmSeti().lblSection(0).Caption, core::LanguageFile.ReadText("Program Settings Controls", "Program Settings Section 1"));
    EXPECT_EQ(frmSeti().lblSection(5).Caption, "");
    EXPECT_TRUE(ClockAbove()) << "opened with no page";

    // From the clock's menu and the taskbar's an open window only comes to the front, the clock
    // still above it.
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SendMessage(core::frmMain().hWnd, core::WM_CLOCKNOTIFY, core::CN_OPENSETTINGS, 0);
    d.Advance(50);
    EXPECT_EQ(d.Rect(Window()).left, r.left);
    EXPECT_EQ(frmSeti().HighlightedNodeIndex(), 1);
    EXPECT_EQ(Window(), window);
    EXPECT_TRUE(ClockAbove());
}

TEST_F(SettingsWindow, F3OpensTheAlarmManagerNodeBoldAndRed) {
    Open(VK_F3);
    forms::Node& alarms = frmSeti().treeO.Nodes(8);
    EXPECT_EQ(alarms.Key, "2_1");
    EXPECT_TRUE(frmSeti().treeO.Nodes(7).Expanded);
    EXPECT_TRUE(alarms.Bold);
    EXPECT_EQ(alarms.ForeColor, 255u);
    EXPECT_FALSE(frmSeti().treeO.Nodes(1).Bold);
    EXPECT_EQ(core::CurrentPageName, "frmSetiRAM");
    EXPECT_EQ(frmSeti().SectionTitle(), alarms.Text);
    EXPECT_TRUE(ClockAbove()) << "opened on a page";
}

TEST_F(SettingsWindow, EachNodeShowsItsPageOrPanelTitleAndPicture) {
    Open();
    frmSeti().treeO.Nodes(7).Expanded = true;
    frmSeti().treeO.Nodes(10).Expanded = true;
    for (int i = 1; i <= 12; ++i) {
        const settings::TreeNodeEntry& entry = settings::kTreeNodes[static_cast<std::size_t>(i - 1)];
        SCOPED_TRACE(entry.key);
        ClickNode(i);
        const std::string text = frmSeti().treeO.Nodes(i).Text;
        EXPECT_EQ(frmSeti().SectionTitle(), text);
        EXPECT_EQ(frmSeti().HighlightedNodeIndex(), i);
        EXPECT_EQ(core::CurrentPageName, entry.pageName ? entry.pageName : "");
        EXPECT_EQ(frmSeti().frmDesc.Visible, entry.pageName == nullptr);
        EXPECT_NE(frmSeti().SectionPictureFile(), settings::kNoSectionPicture);
        if (entry.pageName) {
            // The page lies over the description panel, inside the window.
            forms::Form* page = nullptr;
            for (forms::Form* f : forms::Forms())
                if (f->Name() == entry.pageName) page = f;
            ASSERT_TRUE(page);
            const RECT pageRect = d.Rect(page->hWnd), panel = d.Rect(frmSeti().frmDesc.hWnd);
            EXPECT_EQ(pageRect.left, panel.left);
            EXPECT_EQ(pageRect.top, panel.top);
        }
    }
    // The new-alarm node starts a fresh alarm.
    EXPECT_EQ(core::AlarmEditProgress, 1);
    EXPECT_EQ(core::AlarmUnderEdit.Flags, 96);
}

// The captions of a form's labels, tick boxes, options, frames, buttons and grid headers, the
// items of its lists and drop-down lists and the nodes of its trees that do not fit their control
// (or column) as it draws them, with what they need and what they have, in pixels. A frame's
// caption also ends where a control in the frame reaches up into its line; a drop-down item must
// fit the closed box that shows it once chosen; a tree node must fit drawn bold, as when selected.
std::vector<std::string> CaptionsCutOff(const forms::Form& form) {
    using namespace forms;
    std::vector<std::string> cut;
    auto report = [&](const Control* c, const std::string& caption, SIZE need, SIZE have) {
        if (caption.empty() || (need.cx <= have.cx && need.cy <= have.cy)) return;
        cut.push_back(form.Name() + "." + c->DisplayName() + " \"" + caption + "\" needs " + std::to_string(need.cx) + "x" +
                      std::to_string(need.cy) + ", has " + std::to_string(have.cx) + "x" + std::to_string(have.cy));
    };
    for (const Control* c : form.Controls()) {
        const InteractiveControl* shown = dynamic_cast<const InteractiveControl*>(c);
        if (!shown) continue;
        const RECT r = shown->PixelRect();
        std::string caption;
        SIZE need{}, have{r.width(), r.height()};
        if (auto* grid = dynamic_cast<const FlexGrid*>(c)) {
            // A header's text lies 3 pixels inside its cell's lines, within the grid's frame.
            for (int col = 0; !grid->CellRect(0, col).empty(); ++col) {
                const RECT cell = grid->CellRect(0, col);
                const std::string header = grid->CellText(0, col);
                const SIZE text = MeasureText(shown->Font(), header);
                report(c, header, SIZE{text.cx + 7, 0}, SIZE{std::min<LONG>(cell.right, r.width() - 1) - cell.left, 0});
            }
            continue;
        }
        if (auto* tree = dynamic_cast<const TreeView*>(c)) {
            FontDescription bold = shown->Font();
            bold.bold = true;
            for (const Node* node : tree->Nodes.VisibleOrder()) {
                const RECT label = tree->NodeLabelRect(*node);
                const int right = tree->RowRect(tree->RowOfNode(*node)).right;
                report(c, node->TextValue(), SIZE{MeasureText(bold, node->TextValue()).cx, 0}, SIZE{right - label.left - 2, 0});
            }
            continue;
        }
        if (auto* list = dynamic_cast<const ListBox*>(c)) {
            // Items lie 3 pixels inside the frame, left of the scroll bar a long list has.
            const bool bar = list->Items().Count() * LineHeight(shown->Font()) > r.height() - 2;
            for (int i = 0; i < list->Items().Count(); ++i) {
                const std::string& item = list->Items().At(i).text;
                report(c, item, SIZE{MeasureText(shown->Font(), item).cx, 0}, SIZE{r.width() - 4 - (bar ? 17 : 0), 0});
            }
            continue;
        }
        if (auto* combo = dynamic_cast<const ComboBox*>(c)) {
            // The list that drops shows every item 3 pixels inside its edges, left of its scroll bar;
            // the closed box shows the chosen one between its frame and its button, so each must fit.
            const int bar = combo->Items().Count() > 8 ? 17 : 0;
            for (int i = 0; i < combo->Items().Count(); ++i) {
                const std::string& item = combo->Items().At(i).text;
                report(c, item, SIZE{MeasureText(shown->Font(), item).cx, 0}, SIZE{combo->DroppedWidth() - 6 - bar, 0});
            }
            // Not so the server lists, whose entries are data of their own, nor the script pickers,
            // whose choice goes into the script box.
            if (c->Name() == "ddlServers" || c->Name() == "ddlQuick" || c->Name() == "ddlPre") continue;
            for (int i = 0; i < combo->Items().Count(); ++i) {
                const std::string& item = combo->Items().At(i).text;
                report(c, item, SIZE{MeasureText(shown->Font(), item).cx, 0}, SIZE{r.width() - 23, 0});
            }
            continue;
        }
        if (auto* label = dynamic_cast<const Label*>(c)) {
            if (label->AutoSize) continue;
            caption = label->CaptionText();
            // A label wraps at blanks: every line must lie within it, and every line show.
            need = MeasureText(shown->Font(), caption, kTextWrap | kTextMnemonic, have.cx);
        } else if (auto* box = dynamic_cast<const CaptionedControl*>(c)) {
            caption = box->CaptionText();
            need = MeasureText(shown->Font(), StripMnemonic(caption));
            if (dynamic_cast<const CheckBox*>(c) || dynamic_cast<const OptionButton*>(c))
                need.cx += 18;  // the tick box and the gap before the text
            else if (dynamic_cast<const CommandButton*>(c))
                need.cx += 8;
            else if (dynamic_cast<const Frame*>(c)) {
                need.cx += 13;
                // A control in the frame that reaches up into its caption's line ends the caption.
                for (const Control* other : form.Controls()) {
                    const auto* inside = dynamic_cast<const VisualControl*>(other);
                    if (!inside || &other->ParentContainer() != dynamic_cast<const Container*>(c) || !inside->VisibleFlag())
                        continue;
                    const RECT o = inside->PixelRect();
                    if (o.top < need.cy && o.right > 0) have.cx = std::min<LONG>(have.cx, std::max<LONG>(0, o.left));
                }
            } else
                continue;
            need.cy = std::min(need.cy, have.cy);
        } else {
            continue;
        }
        report(c, caption, need, have);
    }
    return cut;
}

TEST_F(SettingsWindow, EveryPageCaptionFitsItsControlInEveryLanguage) {
    Open();
    const char* pages[] = {"frmSetiGO",   "frmSetiAV",   "frmSetiAS",   "frmSetiLC",    "frmSetiLA",  "frmSetiAT",
                           "frmSetiEV",   "frmSetiRAM",  "frmSetiRAL",  "frmSetiRAE1",  "frmSetiRAE1A", "frmSetiRAE2",
                           "frmSetiRAE2A", "frmSetiRAE3", "frmSetiRAE3A", "frmSetiRAE4"};
    auto& step1 = static_cast<alarmwizard::frmSetiRAE1Form&>(*settings::PageNamed("frmSetiRAE1"));
    auto& manager = alarmmanager::frmSetiRAM();
    // Captions that other states show: step 1's by its mode, the manager's second Activate all.
    const std::map<std::string, std::vector<std::function<void()>>> states{
        {"frmSetiRAE1",
         {[&] { step1.chCountdown.Value = forms::vbChecked; }, [&] { step1.chStartFrom.Value = forms::vbChecked; },
          [&] { step1.chRepetitive.Value = forms::vbChecked; }}},
        {"frmSetiRAM",
         {[&] { manager.cmdActivateAll.Caption = core::LanguageFile.ReadText(core::kAlarmManagerPageSection, "DeActivateAll"); }}},
    };
    std::vector<std::string> cut;
    auto measure = [&](const forms::Form& form, std::int16_t language) {
        for (const std::string& line : CaptionsCutOff(form)) cut.push_back(std::to_string(language) + " " + line);
    };
    for (const core::LanguageChoice& choice : core::kLanguageFiles) {
        core::Settings.Language = choice.language;
        frmSeti().SetTexts(true);
        ClickNode(1);  // the group's description panel
        for (int i = 1; i <= frmSeti().treeO.Nodes.Count; ++i) frmSeti().treeO.Nodes(i).Expanded = true;
        measure(frmSeti(), choice.language);
        for (const char* name : pages) {
            core::StartNewAlarm();
            frmSeti().ShowSubWindow(settings::PageNamed(name), false);
            d.Advance(20);
            ASSERT_EQ(core::CurrentPageName, name);
            measure(*settings::PageNamed(name), choice.language);
            if (!states.contains(name)) continue;
            for (const auto& change : states.at(name)) {
                change();
                measure(*settings::PageNamed(name), choice.language);
            }
        }
    }
    std::string report;
    for (const std::string& line : cut) report += "\n" + line;
    EXPECT_TRUE(cut.empty()) << report;
}

TEST_F(SettingsWindow, ADraggedWindowKeepsItsPlaceThroughApplyAndOpensThereNextTime) {
    Open();
    const RECT before = d.Rect(Window());
    d.Drag(TitleBarPoint(3000), POINT{TitleBarPoint(3000).x + 50, TitleBarPoint(3000).y + 40});
    const RECT after = d.Rect(Window());
    EXPECT_EQ(after.left, before.left + 50);
    EXPECT_EQ(after.top, before.top + 40);
    d.Click(CentreOf(d.Rect(frmSeti().cmdApply.hWnd)));
    EXPECT_EQ(Saved("PX"), std::to_string(after.left * 15));
    EXPECT_EQ(Saved("PY"), std::to_string(after.top * 15));
    d.Click(CentreOf(d.Rect(frmSeti().cmdOkN.hWnd)));
    EXPECT_FALSE(frmSeti().IsLoaded());
    core::frmMain().SetFocus();
    Open();
    EXPECT_EQ(d.Rect(Window()).left, after.left);
    // A window manager maximised it (as some do even with a fixed size): closed so, it opens where
    // it stood before, not at the maximised corner.
    WindowManagerMaximized(Window(), true);
    WindowManagerPlaced(Window(), RECT{0, 0, 1280, 1024});
    d.Click(CentreOf(d.Rect(frmSeti().cmdCancelN.hWnd)));
    EXPECT_FALSE(frmSeti().IsLoaded());
    EXPECT_EQ(Saved("PX"), std::to_string(after.left * 15));
    core::frmMain().SetFocus();
    Open();
    EXPECT_EQ(d.Rect(Window()).left, after.left);

    // The session ends the program while the window is open: its place is kept, as Cancel keeps it.
    d.Drag(TitleBarPoint(3000), POINT{TitleBarPoint(3000).x - 30, TitleBarPoint(3000).y - 20});
    const RECT dragged = d.Rect(Window());
    ASSERT_EQ(dragged.left, after.left - 30);
    std::raise(SIGTERM);
    d.Advance(200);
    ASSERT_TRUE(d.Ended());
    EXPECT_EQ(Saved("PX"), std::to_string(dragged.left * 15));
    EXPECT_EQ(Saved("PY"), std::to_string(dragged.top * 15));
}

TEST_F(SettingsWindow, TheCloseZoneAltF4AndCancelAllCancelAndLeaveTheFileAsItWas) {
    struct Way {
        const char* name;
        std::function<void(SettingsWindow&)> close;
    };
    const Way ways[] = {
        {"close zone", [](SettingsWindow& t) {
             t.d.Click(t.TitleBarPoint(9000));
         }},
        {"Alt+F4", [](SettingsWindow& t) { t.d.KeyWithModifier(VK_MENU, VK_F4); }},
        {"the window manager's close", [](SettingsWindow& t) { WindowManagerClose(t.Window()); }},
        // A control of a page has the focus: its parent is the page, not the settings window.
        {"Alt+F4 in a page's control", [](SettingsWindow& t) {
             settings::frmSetiAS().optMatrix.SetFocus();
             t.d.KeyWithModifier(VK_MENU, VK_F4);
         }},
        {"the window manager's close past a page's control", [](SettingsWindow& t) {
             settings::frmSetiAS().optMatrix.SetFocus();
             WindowManagerClose(t.Window());
         }},
        {"Cancel", [](SettingsWindow& t) { t.d.Click(CentreOf(t.d.Rect(frmSeti().cmdCancelN.hWnd))); }},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        core::frmMain().SetFocus();
        Open();
        const std::string file = SettingsFileBytes();
        ClickNode(4);  // the aspect page
        settings::frmSetiAS().optMatrix.Value = true;
        EXPECT_EQ(core::Settings.ColorScheme, 1);
        way.close(*this);
        d.Advance(50);
        EXPECT_FALSE(frmSeti().IsLoaded());
        EXPECT_FALSE(core::ModalWindowOpen);
        EXPECT_EQ(core::Settings.ColorScheme, 3);
        EXPECT_EQ(SettingsFileBytes(), file);
    }
}

TEST_F(SettingsWindow, TheTwipBetweenTheButtonsLightsNeither) {
    Open();
    InjectMouseMove(TitleBarPoint(8910));
    d.Pump();
    EXPECT_FALSE(frmSeti().Bar().CloseHot());
    EXPECT_FALSE(frmSeti().Bar().MinimizeHot());
    InjectMouseMove(TitleBarPoint(8925));
    d.Pump();
    EXPECT_TRUE(frmSeti().Bar().CloseHot());
    InjectMouseMove(TitleBarPoint(8895));
    d.Pump();
    EXPECT_TRUE(frmSeti().Bar().MinimizeHot());
    InjectMouseMove(POINT{10, 10});  // off the bar: the next hover tick puts the buttons out
    d.Advance(50);
    EXPECT_FALSE(frmSeti().Bar().MinimizeHot());
}

TEST_F(SettingsWindow, ApplyWritesOrRemovesTheAutostartEntry) {
    Open();
    d.Click(CentreOf(d.Rect(frmSeti().cmdApply.hWnd)));
    ASSERT_EQ(d.Autostart().requests.size(), 1u);
    EXPECT_EQ(d.Autostart().requests[0], "enable " + d.Folder().string() + "/OZRClock");
    core::Settings.AutoStart = false;
    d.Click(CentreOf(d.Rect(frmSeti().cmdApply.hWnd)));
    EXPECT_EQ(d.Autostart().requests.back(), "disable");
    EXPECT_EQ(Saved("AutoStart"), "0");

    // An entry that cannot be written is told in the critical box; the settings are saved all the same.
    d.Autostart().answer = false;
    core::Settings.AutoStart = true;
    d.Click(CentreOf(d.Rect(frmSeti().cmdApply.hWnd)));
    ASSERT_FALSE(d.MessageBoxes().empty());
    EXPECT_EQ(d.MessageBoxes().back().type, 16u);
    EXPECT_NE(d.MessageBoxes().back().text.find("ApplyChanges | frmSeti"), std::string::npos);
    EXPECT_EQ(Saved("AutoStart"), "1");
}

TEST_F(SettingsWindow, MatrixTurnsWindowTitleBarAndPageGreenOnBlackAndApplyStoresIt) {
    Open();
    ClickNode(4);
    d.Click(CentreOf(d.Rect(settings::frmSetiAS().optMatrix.hWnd)));
    d.Advance(50);
    EXPECT_EQ(core::Settings.ColorScheme, 1);
    EXPECT_EQ(frmSeti().BackColor, 0u);
    EXPECT_EQ(settings::frmSetiAS().BackColor, 0u);
    EXPECT_EQ(settings::frmSetiAS().optMatrix.ForeColor, 0x00FF00u);
    EXPECT_TRUE(WriteScreenshot(d.PathOf("matrix.png").string()));
    if (const char* keep = std::getenv("OZR_KEEP_SCREENSHOT")) WriteScreenshot(keep);
    const RECT page = d.Rect(settings::frmSetiAS().hWnd);
    const RECT bar = d.Rect(frmSeti().pctGradient.hWnd);
    EXPECT_GT(PixelsNear(page, 0, 0, 0), page.width() * page.height() / 2);
    EXPECT_GT(PixelsNear(page, 0, 255, 0), 100);          // the page's green texts
    EXPECT_GT(PixelsNear(RECT{bar.left, bar.top, bar.left + 300, bar.bottom}, 0, 255, 0), 30);  // the title in green
    d.Click(CentreOf(d.Rect(frmSeti().cmdApply.hWnd)));
    EXPECT_EQ(Saved("ColorScheme"), "1");
}

TEST_F(SettingsWindow, TranslucentFromAnAlphaOfZeroUses200) {
    Open();
    ClickNode(4);
    ASSERT_EQ(core::Settings.MenusAlpha, 0);
    d.Click(CentreOf(d.Rect(settings::frmSetiAS().optTranslucent.hWnd)));
    EXPECT_TRUE(core::Settings.MenusTranslucent);
    EXPECT_EQ(core::Settings.MenusAlpha, 200);
    EXPECT_EQ(OpacityOf(Window()), 200);
    EXPECT_EQ(settings::frmSetiAS().scrOpacity.Value, 200);
    d.Click(CentreOf(d.Rect(settings::frmSetiAS().optNormal.hWnd)));
    EXPECT_EQ(OpacityOf(Window()), 255);
    EXPECT_FALSE(settings::frmSetiAS().scrOpacity.Enabled);
}

TEST_F(SettingsWindow, DutchSpeaksInTheWholeWindowAndItsBoxesAndCancelBringsEnglishBack) {
    Open();
    ClickNode(6);
    EXPECT_EQ(core::CurrentPageName, "frmSetiLA");
    EXPECT_TRUE(settings::frmSetiLA().optUK.Value);
    EXPECT_TRUE(d.MessageBoxes().empty());
    d.Click(CentreOf(d.Rect(settings::frmSetiLA().optNL.hWnd)));
    EXPECT_TRUE(d.MessageBoxes().empty()) << "the Dutch file is a translation, not a copy of the English one";
    EXPECT_EQ(core::Settings.Language, 2);
    EXPECT_EQ(frmSeti().treeO.Nodes(1).Text, "Programma-instellingen");
    EXPECT_EQ(frmSeti().cmdApply.Caption, "Toepassen");
    EXPECT_EQ(frmSeti().SectionTitle(), "Taal");
    EXPECT_EQ(std::string(settings::frmSetiLA().frmLanguage.Caption), "Kies een taal");
    EXPECT_EQ(frmSeti().HighlightedNodeIndex(), 6);
    EXPECT_EQ(frmSeti().SectionPictureFile(), "\\GUI\\Settings\\MainSettingsLA.bmp") << "the section's, whatever its text";
    EXPECT_TRUE(frmSeti().treeO.Nodes(1).Expanded);
    EXPECT_EQ(core::CurrentPageName, "frmSetiLA");  // the page stays
    EXPECT_TRUE(settings::frmSetiLA().FlagMarked(2));
    // Every box answers in Dutch.
    MessageBox(HWND{}, "?", "?", MB_YESNO);
    ASSERT_EQ(d.MessageBoxes().size(), 1u);
    EXPECT_EQ(d.MessageBoxes()[0].words, (MessageBoxWords{"Akkoord", "Annuleren", "&Ja", "&Nee"}));
    d.Click(CentreOf(d.Rect(frmSeti().cmdApply.hWnd)));
    EXPECT_EQ(Saved("Language"), "2");

    // English (UK) again, without a box; Cancel then brings back what Apply saved: Dutch.
    d.Click(CentreOf(d.Rect(settings::frmSetiLA().optUK.hWnd)));
    EXPECT_EQ(d.MessageBoxes().size(), 1u);
    EXPECT_EQ(frmSeti().cmdApply.Caption, "Apply");
    EXPECT_EQ(frmSeti().SectionTitle(), "Language");
    EXPECT_EQ(std::string(settings::frmSetiLA().frmLanguage.Caption), "Select Language");

    // A language file that is a copy of the English one says so before the switch.
    std::filesystem::copy_file(d.PathOf("System/Lang/000English.ozrini"), d.PathOf("System/Lang/002Romanian.ozrini"),
                               std::filesystem::copy_options::overwrite_existing);
    d.Click(CentreOf(d.Rect(settings::frmSetiLA().optRO.hWnd)));
    ASSERT_EQ(d.MessageBoxes().size(), 2u);
    EXPECT_EQ(d.MessageBoxes()[1].type, 4160u);
    EXPECT_EQ(d.MessageBoxes()[1].caption, "OZR Ruriv - Nobody Loves Me");
    EXPECT_EQ(core::Settings.Language, 1);

    d.Click(CentreOf(d.Rect(frmSeti().cmdCancelN.hWnd)));
    EXPECT_EQ(core::Settings.Language, 2);
    EXPECT_EQ(core::LanguageFile.ReadText("Program Settings Controls", "Button Apply"), "Toepassen");
}

// The tree's popup help goes when the pointer leaves the tree and when a click changes the page
// under the resting pointer, also while it waits for its delay; it does not come back until the
// pointer has left.
TEST_F(SettingsWindow, TheTreesBalloonGoesWhenThePointerLeavesAndWhenThePageChanges) {
    Open();
    auto balloon = [] {
        const HWND h = FindWindowEx(HWND{}, HWND{}, "OZRSW Tooltip", nullptr);
        return h && IsWindowVisible(h);
    };
    const POINT general = NodePoint(2);
    InjectMouseMove(general);
    d.Advance(700);
    ASSERT_TRUE(balloon());
    InjectMouseMove(POINT{5, 5});
    d.Advance(700);
    EXPECT_FALSE(balloon());
    InjectMouseMove(general);
    d.Advance(700);
    ASSERT_TRUE(balloon());
    d.Click(general);
    d.Advance(1500);
    EXPECT_EQ(core::CurrentPageName, "frmSetiGO");
    EXPECT_FALSE(balloon());
    // Onto another node and a click at once: the help still waiting does not come after it.
    const POINT aspect = NodePoint(4);
    InjectMouseMove(POINT{5, 5});
    d.Advance(100);
    InjectMouseMove(aspect);
    d.Advance(100);
    d.Click(aspect);
    d.Advance(1500);
    EXPECT_EQ(core::CurrentPageName, "frmSetiAS");
    EXPECT_FALSE(balloon());
}

TEST_F(SettingsWindow, CancelAfterChoosingDutchGivesEnglishBack) {
    Open();
    ClickNode(6);
    d.Click(CentreOf(d.Rect(settings::frmSetiLA().optNL.hWnd)));
    EXPECT_EQ(frmSeti().cmdCancelN.Caption, "Annuleren");
    d.Click(CentreOf(d.Rect(frmSeti().cmdCancelN.hWnd)));
    EXPECT_FALSE(frmSeti().IsLoaded());
    EXPECT_EQ(core::Settings.Language, 0);
    EXPECT_EQ(core::LanguageFile.ReadText("Program Settings Controls", "Button Apply"), "Apply");
}

TEST_F(SettingsWindow, F6OpensTheAboutWindowModelessAndAfterItClosesF2Works) {
    d.Key(VK_F6);
    d.Advance(50);
    ASSERT_TRUE(frmAbout().IsLoaded());
    EXPECT_TRUE(core::ModalWindowOpen);
    EXPECT_FALSE(frmAbout().OpenedFromSettings());
    const RECT r = d.Rect(frmAbout().hWnd);
    EXPECT_EQ(r.width(), 500);
    EXPECT_EQ(r.height(), 850);  // a 1024-pixel screen
    EXPECT_EQ(r.left, (1280 - 500) / 2);
    EXPECT_NE(std::string(frmAbout().rtbThanks.Text).find("OZR Ruriv"), std::string::npos);
    d.Key(VK_F2);  // goes to the about window: nothing opens
    d.Advance(50);
    EXPECT_FALSE(frmSeti().IsLoaded());
    d.Click(CentreOf(d.Rect(frmAbout().cmdClose.hWnd)));
    EXPECT_FALSE(frmAbout().IsLoaded());
    EXPECT_FALSE(core::ModalWindowOpen);
    Open();  // the clock has its keys again
}

// A minimised settings or about window stays open; whatever would show it brings it back: the
// clock's keys, the taskbar menu's item, the desktop's own restore.
TEST_F(SettingsWindow, AMinimisedWindowComesBackByTheKeysTheMenuAndTheDesktop) {
    Open();
    // Its bar's minimise box is the window's: the desktop's window manager is told it may minimise it.
    EXPECT_TRUE(GetWindowLong(Window(), GWL_STYLE) & static_cast<LONG>(WS_MINIMIZEBOX));
    HWND main = core::frmMain().hWnd;
    auto minimise = [&](const POINT& zone) {
        d.Click(zone);
        d.Advance(50);
    };
    minimise(TitleBarPoint(8600));
    ASSERT_TRUE(IsIconic(Window()));
    core::frmMain().SetFocus();
    d.Key(VK_F3);
    d.Advance(50);
    EXPECT_FALSE(IsIconic(Window()));
    EXPECT_EQ(core::SettingsWindowSelectedNode(), 1) << "the open window comes back as it was";
    minimise(TitleBarPoint(8600));
    SendMessage(main, core::WM_CLOCKNOTIFY, core::CN_OPENSETTINGS, 0);
    d.Advance(50);
    EXPECT_FALSE(IsIconic(Window()));
    WindowManagerIconic(Window(), true);
    EXPECT_EQ(frmSeti().WindowState, forms::vbMinimized);
    WindowManagerIconic(Window(), false);
    EXPECT_EQ(frmSeti().WindowState, forms::vbNormal);
    d.Click(TitleBarPoint(9000));
    d.Advance(50);
    ASSERT_FALSE(frmSeti().IsLoaded());

    core::frmMain().SetFocus();
    d.Key(VK_F6);
    d.Advance(50);
    ASSERT_TRUE(frmAbout().IsLoaded());
    const RECT bar = d.Rect(frmAbout().pctGradient.hWnd);
    minimise(POINT{bar.left + 6800 / 15, bar.top + 12});
    ASSERT_TRUE(IsIconic(frmAbout().hWnd));
    core::frmMain().SetFocus();
    d.Key(VK_F2);
    d.Advance(50);
    EXPECT_FALSE(IsIconic(frmAbout().hWnd));
    EXPECT_FALSE(frmSeti().IsLoaded());
}

// The modal about window, minimised, still blocks the settings window; the clock's keys and a click
// on the window it blocks bring it back, so that it can be closed.
TEST_F(SettingsWindow, AMinimisedModalAboutComesBackByTheKeysAndAClickOnTheWindowItBlocks) {
    Open();
    static Desktop* desktop = &d;
    static POINT onSettings;
    onSettings = TitleBarPoint(3000);
    SetTimer(HWND{}, 0, 300, [](HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(HWND{}, id);
        auto minimise = [] {
            const RECT bar = desktop->Rect(frmAbout().pctGradient.hWnd);
            desktop->Click(POINT{bar.left + 6800 / 15, bar.top + 12});
            desktop->Pump();
            EXPECT_TRUE(IsIconic(frmAbout().hWnd));
        };
        minimise();
        desktop->Key(VK_F2);
        desktop->Pump();
        EXPECT_FALSE(IsIconic(frmAbout().hWnd)) << "F2";
        minimise();
        desktop->Click(onSettings);
        desktop->Pump();
        EXPECT_FALSE(IsIconic(frmAbout().hWnd)) << "a click on the settings window";
        EXPECT_FALSE(IsWindowEnabled(frmSeti().hWnd));
        desktop->KeyWithModifier(VK_MENU, VK_F4);
    });
    ClickNode(13);
    d.Advance(500);
    EXPECT_FALSE(frmAbout().IsLoaded());
    EXPECT_TRUE(IsWindowEnabled(frmSeti().hWnd));
}

TEST_F(SettingsWindow, FromTheTreeTheAboutWindowIsModalAndTheSettingsWindowStays) {
    Open();
    // The modal about window runs its own loop inside the click: close it from a timer.
    static Desktop* desktop = &d;
    SetTimer(HWND{}, 0, 300, [](HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(HWND{}, id);
        EXPECT_TRUE(frmAbout().IsLoaded());
        EXPECT_TRUE(frmAbout().OpenedFromSettings());
        EXPECT_FALSE(IsWindowEnabled(frmSeti().hWnd));
        desktop->KeyWithModifier(VK_MENU, VK_F4);
    });
    const std::string title = frmSeti().SectionTitle();
    ClickNode(13);
    d.Advance(500);
    EXPECT_FALSE(frmAbout().IsLoaded());
    EXPECT_TRUE(frmSeti().IsLoaded());
    EXPECT_TRUE(core::ModalWindowOpen);
    EXPECT_EQ(frmSeti().SectionTitle(), title);
    // The highlight stays on the section on show, also once the tree has lost the focus.
    forms::TreeView& tree = frmSeti().treeO;
    SetFocus(frmSeti().cmdApply.hWnd);
    d.Pump();
    EXPECT_EQ(frmSeti().HighlightedNodeIndex(), 1);
    EXPECT_EQ(tree.SelectedItem(), &tree.Nodes(1));
    EXPECT_TRUE(tree.Nodes(1).Bold);
    EXPECT_FALSE(tree.Nodes(13).Bold);
    EXPECT_NE(tree.Nodes(13).ForeColor, 255u);
}

}  // namespace
