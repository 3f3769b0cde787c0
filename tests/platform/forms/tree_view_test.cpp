// The tree view: nodes placed by their relationships, numbered and found by key, events of the
// user's choices, expanding and collapsing, and what it draws.
#include "control_test_support.h"
#include "platform/forms/image_list.h"
#include "platform/forms/tree_view.h"

namespace formtest {
namespace {

struct TreeForm : Form {
    explicit TreeForm(Trace& trace) : Form("frmTree"), trace_(trace) {
        treeO.NodeClick = [this](Node& n) { trace_("NodeClick " + n.Key()); };
        treeO.Click = [this] { trace_("Click"); };
        treeO.Expand = [this](Node& n) { trace_("Expand " + n.Key()); };
        treeO.Collapse = [this](Node& n) { trace_("Collapse " + n.Key()); };
    }
    TreeView treeO{this, "treeO"};
    forms::ImageList imgList{this, "imgList"};
    TextBox txtOther{this, "txtOther"};

    void Design() override {
        BorderStyle = vbBSNone;
        ScaleMode = vbPixels;
        Move(0, 0, 6000, 6000);
        treeO.Move(10, 10, 200, 300);
        txtOther.Move(250, 10, 100, 21);
    }
    // The settings window's shape: three groups, the first two with children.
    void BuildGroups() {
        treeO.Nodes.Add({}, tvwLast, "root1", "Program Settings");
        for (const char* k : {"1_1", "1_2"}) treeO.Nodes.Add("root1", tvwChild, k, std::string("Page ") + k);
        treeO.Nodes.Add({}, tvwLast, "root2", "Alarm Settings");
        for (const char* k : {"2_1", "2_2"}) treeO.Nodes.Add("root2", tvwChild, k, std::string("Page ") + k);
        treeO.Nodes.Add({}, tvwLast, "root6", "About");
    }
    RECT RowOnScreen(const std::string& key) {
        Node& n = treeO.Nodes(key);
        return OnScreen(treeO.hWnd, treeO.RowRect(treeO.RowOfNode(n)));
    }
    // Where the node's picture starts: rows are indented by level (and one more with root lines).
    int NodeX(const std::string& key) {
        int depth = 0;
        for (Node* p = treeO.Nodes(key).Parent(); p; p = p->Parent()) ++depth;
        return RowOnScreen(key).left + 2 + (depth + treeO.LineStyle) * Indent();
    }
    int Indent() { return std::max(16, int(treeO.Indentation)); }
    POINT TextPoint(const std::string& key) {
        int image = imgList.ImageWidth;
        RECT row = RowOnScreen(key);
        return POINT{NodeX(key) + image + (image ? 3 : 0) + 5, (row.top + row.bottom) / 2};
    }
    POINT ButtonPoint(const std::string& key) {
        RECT row = RowOnScreen(key);
        return POINT{NodeX(key) - Indent() / 2, (row.top + row.bottom) / 2};
    }

private:
    Trace& trace_;
};

class Tree : public FormsTest {};

std::vector<std::string> ShownKeys(TreeView& tree) {
    std::vector<std::string> keys;
    for (Node* n : tree.Nodes.VisibleOrder()) keys.push_back(n->Key());
    return keys;
}

TEST_F(Tree, RelationshipsPlaceNodesAndIndicesFollowTheOrderOfAdding) {
    Trace trace;
    TreeForm f(trace);
    f.Show();
    auto& nodes = f.treeO.Nodes;
    nodes.Add({}, tvwLast, "b", "B");
    nodes.Add({}, tvwFirst, "a", "A");
    nodes.Add("b", tvwNext, "d", "D");
    nodes.Add("d", tvwPrevious, "c", "C");
    nodes.Add("b", tvwChild, "b2", "B2");
    nodes.Add("b2", tvwFirst, "b1", "B1");
    nodes.Add("b2", tvwLast, "b3", "B3");
    EXPECT_EQ(ShownKeys(f.treeO), (std::vector<std::string>{"a", "b", "c", "d"})) << "children hide in a collapsed node";
    nodes("b").Expanded = true;
    EXPECT_EQ(ShownKeys(f.treeO), (std::vector<std::string>{"a", "b", "b1", "b2", "b3", "c", "d"}));
    EXPECT_EQ(nodes.Count, 7);
    EXPECT_EQ(nodes(2).Key(), "a") << "numbered in the order of adding, from 1";
    EXPECT_EQ(nodes("c").Index(), 4);
    EXPECT_EQ(nodes("b").Children(), 3);
    EXPECT_EQ(nodes("b3").Parent(), &nodes("b"));
    EXPECT_EQ(nodes("b").Child(), &nodes("b1"));
    EXPECT_EQ(nodes("b1").Next(), &nodes("b2"));
    EXPECT_EQ(nodes("a").Previous(), nullptr);

    nodes.Remove("b");
    EXPECT_EQ(nodes.Count, 3) << "a node goes with its children";
    EXPECT_EQ(nodes(2).Key(), "d") << "and the ones after it are renumbered";
    EXPECT_EQ(ShownKeys(f.treeO), (std::vector<std::string>{"a", "c", "d"}));
}

TEST_F(Tree, WrongKeysIndicesAndImagesRaiseErrors) {
    Trace trace;
    TreeForm f(trace);
    f.Show();
    auto& nodes = f.treeO.Nodes;
    nodes.Add({}, tvwLast, "k", "K");
    EXPECT_THROW(nodes.Add({}, tvwLast, "k", "again"), Error) << "a key is unique";
    EXPECT_THROW(nodes.Add("missing", tvwChild, "x", "X"), Error);
    EXPECT_THROW(nodes.Add(5, tvwChild, "x", "X"), Error);
    EXPECT_THROW(nodes(0), Error);
    EXPECT_THROW(nodes("none"), Error);
    EXPECT_THROW(nodes(1).Image = "pic", Error) << "no image list yet";
    ScratchFolder folder;
    f.imgList.ListImages.Add("pic", folder.SolidPicture("pic", 16, 16, RGB(255, 0, 0)));
    EXPECT_THROW(f.imgList.ListImages.Add("pic", folder.SolidPicture("pic2", 16, 16, RGB(0, 0, 255))), Error);
    f.treeO.ImageList = &f.imgList;
    EXPECT_THROW(nodes(1).Image = "other", Error);
    nodes(1).Image = "pic";
    EXPECT_EQ(nodes(1).Image(), "pic");
    EXPECT_EQ(nodes.Count, 1) << "refused adds add nothing";
}

TEST_F(Tree, ARemovedNodeHeldElsewhereRaisesAnErrorInsteadOfCrashing) {
    Trace trace;
    TreeForm f(trace);
    f.Show();
    f.BuildGroups();
    Node* held = &f.treeO.Nodes("1_1");
    f.treeO.SelectedItem = held;
    f.treeO.Nodes.Clear();
    EXPECT_EQ(f.treeO.Nodes.Count, 0);
    EXPECT_EQ(f.treeO.SelectedItem(), nullptr);
    EXPECT_THROW(held->Bold = true, Error);
    EXPECT_THROW(f.treeO.SelectedItem = held, Error);
    f.BuildGroups();
    EXPECT_EQ(f.treeO.Nodes.Count, 7) << "keys of removed nodes are free again";
    held = &f.treeO.Nodes("root6");
    f.Unload();
    f.Show();
    EXPECT_EQ(f.treeO.Nodes.Count, 0) << "a new load starts without nodes";
    EXPECT_THROW((void)held->Text(), Error);
}

TEST_F(Tree, AClickOnANodeRaisesClickThenNodeClickEvenWhenItIsSelected) {
    Trace trace;
    TreeForm f(trace);
    f.Show();
    f.BuildGroups();
    f.treeO.Nodes("root1").Expanded = true;
    trace.Clear();
    ClickAt(f.TextPoint("1_2"));
    EXPECT_EQ(trace.events, (std::vector<std::string>{"Click", "NodeClick 1_2"}));
    EXPECT_EQ(f.treeO.SelectedItem(), &f.treeO.Nodes("1_2"));
    EXPECT_TRUE(f.treeO.Nodes("1_2").Selected);
    trace.Clear();
    ClickAt(f.TextPoint("1_2"));
    EXPECT_EQ(trace.events, (std::vector<std::string>{"Click", "NodeClick 1_2"}));

    trace.Clear();
    f.treeO.SelectedItem = &f.treeO.Nodes("root2");
    f.treeO.Nodes("root6").Selected = true;
    EXPECT_TRUE(trace.events.empty()) << "selecting from code raises nothing";
    EXPECT_FALSE(f.treeO.Nodes("root2").Selected);

    trace.Clear();
    RECT below = f.RowOnScreen("root6");
    ClickAt(POINT{below.left + 40, below.bottom + 40});
    EXPECT_EQ(trace.events, (std::vector<std::string>{"Click"})) << "a click beside the nodes reports no node";
}

TEST_F(Tree, KeysMoveTheSelectionAndExpandAndCollapse) {
    Trace trace;
    TreeForm f(trace);
    f.Show();
    f.BuildGroups();
    f.treeO.SetFocus();
    trace.Clear();
    Key(VK_DOWN);
    EXPECT_EQ(trace.events, (std::vector<std::string>{"NodeClick root1"})) << "Down without a selection takes the first node";
    Key(VK_RIGHT);
    Key(VK_RIGHT);
    Key(VK_DOWN);
    EXPECT_EQ(trace.events, (std::vector<std::string>{"NodeClick root1", "Expand root1", "NodeClick 1_1", "NodeClick 1_2"}));
    trace.Clear();
    Key(VK_DOWN);
    Key(VK_UP);
    Key(VK_HOME);
    Key(VK_HOME);
    EXPECT_EQ(trace.events, (std::vector<std::string>{"NodeClick root2", "NodeClick 1_2", "NodeClick root1"}))
        << "moving onto the selected node raises nothing";
    Key(VK_END);
    EXPECT_EQ(f.treeO.SelectedItem()->Key(), "root6");
    f.treeO.SelectedItem = &f.treeO.Nodes("1_1");
    trace.Clear();
    Key(VK_LEFT);
    Key(VK_LEFT);
    EXPECT_EQ(trace.events, (std::vector<std::string>{"NodeClick root1", "Collapse root1"})) << "Left goes to the parent, then closes it";
    Key(0x6B, '+');  // the keypad's plus
    EXPECT_TRUE(f.treeO.Nodes("root1").Expanded);
}

TEST_F(Tree, PlusBoxesAndDoubleClicksExpandCollapsingMovesTheSelectionUp) {
    Trace trace;
    TreeForm f(trace);
    f.Show();
    f.treeO.LineStyle = tvwRootLines;
    f.BuildGroups();
    trace.Clear();
    ClickAt(f.ButtonPoint("root2"));
    EXPECT_TRUE(f.treeO.Nodes("root2").Expanded);
    EXPECT_EQ(trace.events, (std::vector<std::string>{"Expand root2", "Click"})) << "a plus box reports no node";
    EXPECT_GE(f.treeO.RowOfNode(f.treeO.Nodes("2_2")), 0);
    ClickAt(f.TextPoint("2_2"));
    trace.Clear();
    ClickAt(f.ButtonPoint("root2"));
    EXPECT_FALSE(f.treeO.Nodes("root2").Expanded);
    EXPECT_EQ(f.treeO.SelectedItem(), &f.treeO.Nodes("root2")) << "the selection may not hide in a collapsed node";
    EXPECT_EQ(f.treeO.RowOfNode(f.treeO.Nodes("2_2")), -1);
    DoubleClickAt(f.TextPoint("root1"));
    EXPECT_TRUE(f.treeO.Nodes("root1").Expanded);

    f.treeO.LineStyle = tvwTreeLines;
    trace.Clear();
    ClickAt(f.ButtonPoint("root2"));
    EXPECT_FALSE(f.treeO.Nodes("root2").Expanded) << "without root lines a root has no plus box";
}

TEST_F(Tree, BoldColouredNodesPicturesAndTheHighlightArePainted) {
    Trace trace;
    TreeForm f(trace);
    f.Show();
    ScratchFolder folder;
    f.imgList.ListImages.Add("green", folder.SolidPicture("green", 16, 16, RGB(0, 200, 0)));
    f.treeO.ImageList = &f.imgList;
    f.treeO.FontSize = 9;
    f.BuildGroups();
    f.treeO.Nodes("root2").Image = "green";
    RECT root1 = f.RowOnScreen("root1"), root2 = f.RowOnScreen("root2");
    EXPECT_EQ(CountColor(ScreenPixels(root1), RGB(0, 200, 0)), 0u);
    EXPECT_EQ(CountColor(ScreenPixels(root2), RGB(0, 200, 0)), 256u) << "the node's picture, whole";

    std::size_t normalInk = CountColor(ScreenPixels(root1), RGB(0, 0, 0));
    f.treeO.Nodes("root1").Bold = true;
    EXPECT_GT(CountColor(ScreenPixels(root1), RGB(0, 0, 0)), normalInk) << "bold text is darker";
    f.treeO.Nodes("root1").ForeColor = RGB(255, 0, 0);
    EXPECT_GT(CountColor(ScreenPixels(root1), RGB(255, 0, 0)), 20u);

    f.treeO.SelectedItem = &f.treeO.Nodes("root6");
    f.txtOther.SetFocus();
    RECT about = f.RowOnScreen("root6");
    EXPECT_EQ(CountColor(ScreenPixels(about), ResolveColor(vbHighlight)), 0u) << "HideSelection: no highlight without the focus";
    f.treeO.SetFocus();
    EXPECT_GT(CountColor(ScreenPixels(about), ResolveColor(vbHighlight)), 50u);
    f.txtOther.SetFocus();
    f.treeO.HideSelection = false;
    EXPECT_GT(CountColor(ScreenPixels(about), ResolveColor(vbButtonFace)), 50u) << "kept, in the quiet colour";
}

TEST_F(Tree, ALongTreeScrollsToTheChosenNode) {
    Trace trace;
    TreeForm f(trace);
    f.Show();
    for (int i = 1; i <= 60; ++i) f.treeO.Nodes.Add({}, tvwLast, "n" + std::to_string(i), "Node " + std::to_string(i));
    f.treeO.SetFocus();
    Key(VK_END);
    Node& last = f.treeO.Nodes("n60");
    RECT row = f.treeO.RowRect(f.treeO.RowOfNode(last));
    EXPECT_GE(row.top, 0);
    EXPECT_LE(row.bottom, 300) << "the last node is in view";
    EXPECT_GT(f.treeO.TopRow(), 0);
    Key(VK_HOME);
    EXPECT_EQ(f.treeO.TopRow(), 0);
    f.treeO.Nodes("n45").EnsureVisible();
    EXPECT_GT(f.treeO.TopRow(), 0);
}

}  // namespace
}  // namespace formtest
