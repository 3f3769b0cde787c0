// The flex grid: its row operations, sizes in twips, the current cell and the selection by code,
// mouse and keys, and the cells it paints.
#include "control_test_support.h"
#include "platform/draw/gdi_objects.h"
#include "platform/forms/flex_grid.h"

namespace formtest {
namespace {

struct GridForm : Form {
    explicit GridForm(Trace& trace) : Form("frmGrid"), trace_(trace) {
        flxAlarms.RowColChange = [this] { trace_("RowColChange " + std::to_string(flxAlarms.Row) + "," + std::to_string(flxAlarms.Col)); };
        flxAlarms.SelChange = [this] { trace_("SelChange"); };
        flxAlarms.Click = [this] { trace_("Click"); };
        flxAlarms.DblClick = [this] { trace_("DblClick"); };
        flxAlarms.KeyDown = [this](int& key, int) { trace_("KeyDown " + std::to_string(key) + " row " + std::to_string(flxAlarms.Row)); };
    }
    FlexGrid flxAlarms{this, "flxAlarms"};
    TextBox txtOther{this, "txtOther"};

    void Design() override {
        BorderStyle = vbBSNone;
        Move(0, 0, 9000, 6000);
        flxAlarms.Move(150, 150, 5700, 3000);  // 380 x 200 pixels
        flxAlarms.FixedCols = 0;
        txtOther.Move(6000, 150, 1500, 315);
        txtOther.TabIndex = 0;
    }
    // The alarm list's layout: a header, alarm rows, and the spare row that shows nothing.
    void Prepare(int alarms) {
        flxAlarms.Cols = 4;
        flxAlarms.FormatString = "^Active|^Type|<Name|>Activation";
        int widths[] = {600, 600, 2670, 1725};
        for (int c = 0; c < 4; ++c) flxAlarms.ColWidth(c) = widths[c];
        for (int i = 0; i < alarms; ++i) {
            flxAlarms.AddItem("\t\tAlarm " + std::to_string(i) + "\t2024-01-0" + std::to_string(i + 1) + " 07:00:00", flxAlarms.Rows - 1);
            flxAlarms.RowData(flxAlarms.Rows - 2) = 10 * i;
        }
        flxAlarms.RowHeight(-1) = 510;
        flxAlarms.RowHeight(0) = 300;
    }
    POINT CellPoint(int row, int col) { return CentreOfRect(OnScreen(flxAlarms.hWnd, flxAlarms.CellRect(row, col))); }

private:
    Trace& trace_;
};

class Grid : public FormsTest {};

std::vector<std::string> Column(FlexGrid& g, int col) {
    std::vector<std::string> out;
    for (int r = 0; r < g.Rows; ++r) out.push_back(g.TextMatrix(r, col));
    return out;
}

TEST_F(Grid, FormatStringSetsColumnsHeadersAndAlignments) {
    Trace trace;
    GridForm f(trace);
    f.Show();
    f.Prepare(0);
    EXPECT_EQ(f.flxAlarms.Cols, 4);
    EXPECT_EQ(f.flxAlarms.Rows, 2) << "the header and the spare row";
    EXPECT_EQ(f.flxAlarms.TextMatrix(0, 0), "Active");
    EXPECT_EQ(f.flxAlarms.TextMatrix(0, 3), "Activation");
    int expected[] = {flexAlignCenterCenter, flexAlignCenterCenter, flexAlignLeftCenter, flexAlignRightCenter};
    for (int c = 0; c < 4; ++c) EXPECT_EQ(f.flxAlarms.ColAlignment(c), expected[c]) << c;
    f.flxAlarms.FormatString = "|Name|Address;|Bob|Jane";
    EXPECT_EQ(f.flxAlarms.Cols, 3);
    EXPECT_EQ(f.flxAlarms.Rows, 3);
    EXPECT_EQ(Column(f.flxAlarms, 0), (std::vector<std::string>{"", "Bob", "Jane"}));
    EXPECT_EQ(f.flxAlarms.ColAlignment(1), flexAlignGeneral);
}

TEST_F(Grid, RowsAreAddedAndRemovedWithTheirCellsAndRowData) {
    Trace trace;
    GridForm f(trace);
    f.Show();
    f.Prepare(3);
    auto& g = f.flxAlarms;
    EXPECT_EQ(g.Rows, 5);
    EXPECT_EQ(Column(g, 2), (std::vector<std::string>{"Name", "Alarm 0", "Alarm 1", "Alarm 2", ""}));
    EXPECT_EQ(g.TextMatrix(2, 3), "2024-01-02 07:00:00") << "fields are split at tabs";
    EXPECT_EQ(g.RowData(3), 20);

    g.RemoveItem(2);
    EXPECT_EQ(Column(g, 2), (std::vector<std::string>{"Name", "Alarm 0", "Alarm 2", ""}));
    EXPECT_EQ(g.RowData(2), 20) << "row data moves with its row";
    g.AddItem("a\tb\tc\td\te\tf", 1);
    EXPECT_EQ(g.TextMatrix(1, 3), "d") << "fields beyond the columns are dropped";
    g.AddItem("only");
    EXPECT_EQ(g.TextMatrix(g.Rows - 1, 0), "only");
    EXPECT_EQ(g.TextMatrix(g.Rows - 1, 1), "");
    EXPECT_EQ(g.RowData(g.Rows - 1), 0);

    EXPECT_THROW(g.AddItem("x", g.Rows + 1), Error);
    EXPECT_THROW(g.RemoveItem(0), Error) << "a fixed row";
    EXPECT_THROW(g.RemoveItem(g.Rows), Error);
    EXPECT_THROW((void)g.TextMatrix(0, 4)(), Error);
    while (g.Rows > 2) g.RemoveItem(1);
    EXPECT_THROW(g.RemoveItem(1), Error) << "the last non-fixed row stays";
    EXPECT_THROW(g.Rows = 0, Error);
    g.Rows = 4;
    EXPECT_EQ(g.TextMatrix(3, 2), "");
}

TEST_F(Grid, ClearEmptiesCellsAndKeepsRowsColumnsAndRowData) {
    Trace trace;
    GridForm f(trace);
    f.Show();
    f.Prepare(2);
    auto& g = f.flxAlarms;
    ScratchFolder folder;
    g.Row = 1;
    g.Col = 0;
    g.CellPicture = folder.SolidPicture("on", 16, 16, RGB(0, 255, 0));
    g.CellBackColor = RGB(1, 2, 3);
    g.Clear();
    EXPECT_EQ(g.Rows, 4);
    EXPECT_EQ(g.Cols, 4);
    EXPECT_EQ(g.TextMatrix(0, 0), "");
    EXPECT_EQ(g.TextMatrix(1, 2), "");
    EXPECT_FALSE(g.CellPicture());
    EXPECT_EQ(g.CellBackColor(), g.BackColor()) << "the cell's colour is the grid's again";
    EXPECT_EQ(g.RowData(2), 10);
    EXPECT_EQ(g.ColWidth(2), 2670);
    g.ClearStructure();
    EXPECT_EQ(g.ColWidth(2), 960) << "the default width";
}

TEST_F(Grid, RowsFilledLaterGetTheirCellsOnceWhenFirstPaintedReadOrChanged) {
    Trace trace;
    GridForm f(trace);
    f.Show();
    f.Prepare(0);
    auto& g = f.flxAlarms;
    std::vector<LONG> filled;
    g.AddRowsFilledLater(1, 1000, [&filled](GridRow& row) {
        filled.push_back(row.data);
        row.cells[2].text = "Alarm " + std::to_string(row.data);
    });
    for (int r = 1; r <= 1000; ++r) g.RowData(r) = r;
    EXPECT_EQ(g.Rows, 1002) << "the spare row stays last";
    Pump();
    ASSERT_FALSE(filled.empty());
    EXPECT_LT(filled.size(), 20u) << "only the rows shown";
    EXPECT_EQ(filled.front(), 1);
    RECT name = OnScreen(g.hWnd, g.CellRect(1, 2));
    auto pixels = ScreenPixels(RECT{name.left + 2, name.top + 2, name.right - 2, name.bottom - 2});
    EXPECT_LT(CountColor(pixels, ResolveColor(vbWindowBackground)) + 20, pixels.size()) << "the filled text is painted";

    g.TopRow = 500;
    Pump();
    EXPECT_NE(std::find(filled.begin(), filled.end(), 500), filled.end()) << "scrolled into view";
    EXPECT_TRUE(g.RowWaiting(900));
    EXPECT_EQ(g.TextMatrix(900, 2)(), "Alarm 900");
    EXPECT_FALSE(g.RowWaiting(900));
    g.Row = 800;
    g.Col = 2;
    g.CellBackColor = RGB(1, 2, 3);
    EXPECT_EQ(g.Text(), "Alarm 800") << "a change keeps what the filler made";
    g.RemoveItem(2);
    EXPECT_EQ(g.TextMatrix(2, 2)(), "Alarm 3") << "a waiting row moves with its data";
    g.Cols = 5;
    EXPECT_EQ(g.TextMatrix(700, 4)(), "");
    g.Clear();
    EXPECT_EQ(g.TextMatrix(600, 2)(), "") << "Clear empties the waiting rows too";
    std::vector<LONG> once = filled;
    std::sort(once.begin(), once.end());
    EXPECT_EQ(std::adjacent_find(once.begin(), once.end()), once.end()) << "each row once";
    EXPECT_EQ(std::find(filled.begin(), filled.end(), 600), filled.end());
    EXPECT_THROW(g.AddRowsFilledLater(g.Rows + 1, 1, nullptr), Error);
}

TEST_F(Grid, SizesAreTwipsWhateverTheScale) {
    Trace trace;
    GridForm f(trace);
    f.Show();
    f.Prepare(2);
    auto& g = f.flxAlarms;
    RECT header = g.CellRect(0, 2), row1 = g.CellRect(1, 2), row2 = g.CellRect(2, 0);
    EXPECT_EQ(header.height(), 20);
    EXPECT_EQ(row1.height(), 34);
    EXPECT_EQ(row1.top, header.bottom);
    EXPECT_EQ(row1.width(), 178);
    EXPECT_EQ(row2.left, g.CellRect(2, 1).left - 40);
    EXPECT_EQ(g.RowHeight(1), 510);
    EXPECT_THROW(g.ColWidth(4) = 100, Error);
    EXPECT_THROW((void)g.RowHeight(-2)(), Error);
}

TEST_F(Grid, TheCurrentCellAndSelectionRaiseTheirEventsFromCodeToo) {
    Trace trace;
    GridForm f(trace);
    f.Show();
    f.Prepare(3);
    auto& g = f.flxAlarms;
    g.Row = 1;
    g.Col = 2;
    trace.Clear();
    g.Row = 3;
    EXPECT_EQ(trace.events, (std::vector<std::string>{"RowColChange 3,2", "SelChange"}));
    trace.Clear();
    g.Row = 3;
    EXPECT_TRUE(trace.events.empty());
    g.RowSel = 1;
    EXPECT_EQ(trace.events, (std::vector<std::string>{"SelChange"}));
    EXPECT_EQ(g.Text(), "Alarm 2");
    EXPECT_THROW(g.Row = 7, Error);

    // The Cell properties act on the current cell, or on the selection with FillStyle repeat.
    g.ColSel = 3;
    g.CellForeColor = RGB(9, 9, 9);
    g.Row = 2;
    EXPECT_NE(g.CellForeColor(), RGB(9, 9, 9));
    g.Row = 3;
    g.Col = 2;
    g.RowSel = 1;
    g.ColSel = 3;
    g.FillStyle = flexFillRepeat;
    g.CellForeColor = RGB(7, 7, 7);
    g.Row = 2;
    g.Col = 3;
    EXPECT_EQ(g.CellForeColor(), RGB(7, 7, 7));
    g.Col = 1;
    EXPECT_NE(g.CellForeColor(), RGB(7, 7, 7));
}

TEST_F(Grid, ClicksMakeACellCurrentAndShiftExtendsTheSelection) {
    Trace trace;
    GridForm f(trace);
    f.Show();
    f.Prepare(3);
    auto& g = f.flxAlarms;
    g.Row = 1;
    g.Col = 0;
    trace.Clear();
    ClickAt(f.CellPoint(2, 2));
    EXPECT_EQ(trace.events, (std::vector<std::string>{"RowColChange 2,2", "SelChange", "Click"}));
    EXPECT_EQ(g.MouseRow, 2);
    EXPECT_EQ(g.MouseCol, 2);
    EXPECT_EQ(g.RowSel, 2);
    InjectKey(VK_SHIFT, true);
    ClickAt(f.CellPoint(3, 3));
    InjectKey(VK_SHIFT, false);
    EXPECT_EQ(g.Row, 2) << "Shift keeps the current cell";
    EXPECT_EQ(g.RowSel, 3);
    EXPECT_EQ(g.ColSel, 3);
    trace.Clear();
    ClickAt(f.CellPoint(0, 1));
    EXPECT_EQ(trace.events, (std::vector<std::string>{"Click"})) << "a header is no cell to choose";
    EXPECT_EQ(g.Row, 2);
    trace.Clear();
    DoubleClickAt(f.CellPoint(1, 0));
    EXPECT_EQ(g.Row, 1);
    EXPECT_EQ(g.Col, 0);
    EXPECT_EQ(trace.events.back(), "DblClick");
}

TEST_F(Grid, KeysMoveTheCurrentCellAfterTheKeyDownHandlerRan) {
    Trace trace;
    GridForm f(trace);
    f.Show();
    f.Prepare(3);
    auto& g = f.flxAlarms;
    g.Row = 1;
    g.Col = 2;
    g.SetFocus();
    trace.Clear();
    Key(VK_DOWN);
    EXPECT_EQ(trace.events, (std::vector<std::string>{"KeyDown 40 row 1", "RowColChange 2,2", "SelChange"}));
    struct Step {
        int modifier, key, row, col, rowSel;
    } steps[] = {
        {0, VK_DOWN, 3, 2, 3},        {0, VK_DOWN, 4, 2, 4},  // the spare row is a row like the others
        {0, VK_DOWN, 4, 2, 4},        {0, VK_UP, 3, 2, 3},         {0, VK_LEFT, 3, 1, 3},
        {VK_CONTROL, VK_HOME, 1, 1, 1}, {VK_SHIFT, VK_DOWN, 1, 1, 2}, {0, VK_END, 1, 3, 1},
        {VK_CONTROL, VK_END, 4, 3, 4},
    };
    for (const Step& s : steps) {
        if (s.modifier)
            KeyWith(s.modifier, s.key);
        else
            Key(s.key);
        EXPECT_EQ(g.Row, s.row) << s.key;
        EXPECT_EQ(g.Col, s.col) << s.key;
        EXPECT_EQ(g.RowSel, s.rowSel) << s.key;
    }
    // A handler that changes the current row sees the grid move on from there.
    g.KeyDown = [&](int& key, int) {
        if (key == VK_DOWN) g.Row = g.Row - 1;
    };
    g.Row = 4;
    Key(VK_DOWN);
    EXPECT_EQ(g.Row, 4);
}

TEST_F(Grid, TopRowScrollsBelowTheFixedRowsAndStopsAtTheEnd) {
    Trace trace;
    GridForm f(trace);
    f.Show();
    f.Prepare(20);
    auto& g = f.flxAlarms;
    EXPECT_EQ(g.TopRow, 1);
    g.TopRow = 5;
    EXPECT_EQ(g.TopRow, 5);
    EXPECT_EQ(g.CellRect(5, 0).top, g.CellRect(0, 0).bottom) << "the top row sits right under the header";
    EXPECT_TRUE(g.CellRect(4, 0).empty()) << "rows above it are not shown";
    g.TopRow = 21;
    int last = g.TopRow;
    EXPECT_LT(last, 21) << "never past the point where the last row reaches the bottom";
    EXPECT_LE(g.CellRect(21, 0).bottom, 200);
    EXPECT_GT(g.CellRect(21, 0).bottom + 34, 200 - 1);
    g.TopRow = 0;
    EXPECT_EQ(g.TopRow, 1);
    g.Row = 1;
    g.SetFocus();
    KeyWith(VK_CONTROL, VK_END);
    EXPECT_EQ(g.TopRow, last) << "the keys bring the current row into view";
}

TEST_F(Grid, CellColoursPicturesAndTheSelectionArePainted) {
    Trace trace;
    GridForm f(trace);
    f.Show();
    f.Prepare(3);
    auto& g = f.flxAlarms;
    ScratchFolder folder;
    g.Row = 1;
    g.Col = 0;
    g.CellPictureAlignment = flexAlignCenterCenter;
    g.CellPicture = folder.SolidPicture("on", 16, 16, RGB(0, 255, 0));
    RECT cell = OnScreen(g.hWnd, g.CellRect(1, 0));
    EXPECT_EQ(CountColor(ScreenPixels(cell), RGB(0, 255, 0)), 256u) << "the whole picture";
    POINT mid = CentreOfRect(cell);
    EXPECT_EQ(CountColor(ScreenPixels(RECT{mid.x - 6, mid.y - 6, mid.x + 6, mid.y + 6}), RGB(0, 255, 0)), 144u) << "centred";
    EXPECT_EQ(CountColor(ScreenPixels(RECT{cell.left, cell.top, cell.left + 8, cell.top + 8}), RGB(0, 255, 0)), 0u);

    // Selection colours of the alarm list: the grid's own highlight stays out of the way.
    g.HighLight = flexHighlightNever;
    g.Row = 2;
    g.Col = 0;
    g.ColSel = 3;
    g.FillStyle = flexFillRepeat;
    g.CellBackColor = RGB(0, 0, 0);
    g.CellForeColor = RGB(0, 255, 0);
    RECT name = OnScreen(g.hWnd, g.CellRect(2, 2));
    auto pixels = ScreenPixels(name);
    EXPECT_GT(CountColor(pixels, RGB(0, 0, 0)), pixels.size() / 2) << "black is a colour, not the default";
    EXPECT_GT(std::count_if(pixels.begin(), pixels.end(), [](Pixel p) { return ((p >> 8) & 0xFF) > 120 && (p & 0xFF00FF) == 0; }), 20)
        << "the name in green";

    g.FillStyle = flexFillSingle;
    g.HighLight = flexHighlightAlways;
    g.Row = 3;
    g.Col = 0;
    g.ColSel = 3;
    COLORREF sel = ResolveColor(vbHighlight);
    EXPECT_GT(CountColor(ScreenPixels(OnScreen(g.hWnd, g.CellRect(3, 2))), sel), 100u);
    EXPECT_EQ(CountColor(ScreenPixels(OnScreen(g.hWnd, g.CellRect(3, 0))), sel), 0u) << "the current cell has the focus rectangle instead";
    g.HighLight = flexHighlightWithFocus;
    EXPECT_EQ(CountColor(ScreenPixels(OnScreen(g.hWnd, g.CellRect(3, 2))), sel), 0u);
    g.SetFocus();
    EXPECT_GT(CountColor(ScreenPixels(OnScreen(g.hWnd, g.CellRect(3, 2))), sel), 100u);
}

TEST_F(Grid, WithRedrawOffChangesShowOnlyWhenItIsOnAgain) {
    Trace trace;
    GridForm f(trace);
    f.Show();
    f.Prepare(2);
    auto& g = f.flxAlarms;
    RECT cell = OnScreen(g.hWnd, g.CellRect(1, 2));
    auto before = ScreenPixels(cell);
    g.Redraw = false;
    g.Row = 1;
    g.Col = 2;
    g.CellBackColor = RGB(255, 0, 0);
    g.TextMatrix(1, 2) = "Changed";
    EXPECT_EQ(ScreenPixels(cell), before);
    g.Redraw = true;
    EXPECT_GT(CountColor(ScreenPixels(cell), RGB(255, 0, 0)), 100u);
}

TEST_F(Grid, RepaintingAHundredRowsMakesNoDrawingObjectPerCell) {
    Trace trace;
    GridForm f(trace);
    f.Show();
    f.Prepare(100);
    auto& g = f.flxAlarms;
    g.RowHeight(-1) = 15;  // 1 pixel: all 101 rows are on the screen at once
    ScratchFolder folder;
    Picture on = folder.SolidPicture("on", 16, 16, RGB(0, 255, 0));
    g.Col = 0;
    for (int row = 1; row <= 100; ++row) {
        g.Row = row;
        g.CellPicture = on;  // a picture in every row's first cell, as the alarm list has
    }
    Pump();
    RECT client;
    GetClientRect(g.hWnd, &client);
    ASSERT_LE(g.CellRect(100, 3).bottom, client.bottom);
    const std::size_t objects = MadeGdiObjectCount(), dcs = MadeDcCount();
    for (int i = 0; i < 3; ++i) {
        g.TextMatrix(50, 2) = "Alarm " + std::to_string(i);
        g.Refresh();
        Pump();
    }
    // 3 repaints of 404 cells, 100 with a picture: what is made is per paint (the window's DC),
    // never per cell.
    EXPECT_LE(MadeGdiObjectCount() - objects, 3u);
    EXPECT_LE(MadeDcCount() - dcs, 6u);
}

}  // namespace
}  // namespace formtest
