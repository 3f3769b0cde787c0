// FlexGrid: a grid of text and picture cells with fixed header rows and columns, a current cell
// (Row, Col) and a selection that runs from it to RowSel, ColSel.
//
// Rows and columns count from 0; the first FixedRows rows and FixedCols columns are the headers. The
// "Cell" properties (CellPicture, CellBackColor, ...) act on the current cell, or on the whole
// selection when FillStyle is flexFillRepeat. ColWidth and RowHeight are in twips whatever the
// container's scale; index -1 sets every column or row. AddItem inserts a row whose cells are the
// tab-separated fields of its text; RemoveItem refuses to remove a fixed row or the last non-fixed
// row. Clear empties every cell (text, picture, cell colours) and keeps the rows and columns.
//
// The user makes a cell current with a left click (Shift extends the selection; dragging too) or
// with the arrow keys, Home, End (with Ctrl: the first or last row), Page Up and Page Down; the
// grid's own key handling runs after the KeyDown event. RowColChange is raised whenever the current
// cell changes and SelChange whenever the selection does, from code too. HighLight says when the
// selection is drawn in the selection colours (never, always, only with the focus); the current
// cell is marked by the focus rectangle instead. With Redraw False nothing is repainted until it
// becomes True again.
#pragma once

#include "platform/forms/grid_model.h"
#include "platform/forms/scroll_model.h"
#include "platform/forms/windowed_control.h"

namespace platform::forms {

constexpr int flexHighlightNever = 0;
constexpr int flexHighlightAlways = 1;
constexpr int flexHighlightWithFocus = 2;
constexpr int flexFocusNone = 0;
constexpr int flexFocusLight = 1;
constexpr int flexFocusHeavy = 2;
constexpr int flexFillSingle = 0;
constexpr int flexFillRepeat = 1;
constexpr int flexSelectionFree = 0;
constexpr int flexSelectionByRow = 1;
constexpr int flexSelectionByColumn = 2;

class FlexGrid;

// One cell's text: `flxAlarms.TextMatrix(r, 2) = name;`
class GridCellText {
public:
    GridCellText(FlexGrid* grid, int row, int col) : grid_(grid), row_(row), col_(col) {}
    std::string operator()() const;
    operator std::string() const { return (*this)(); }
    GridCellText& operator=(const std::string& value);
    GridCellText& operator=(const GridCellText& other) { return *this = other(); }
    friend bool operator==(const GridCellText& a, const std::string& b) { return a() == b; }
    friend bool operator==(const GridCellText& a, const char* b) { return a() == b; }

private:
    FlexGrid* grid_;
    int row_;
    int col_;
};

class FlexGrid : public WindowedControl {
    int rows() const { return model_.Rows(); }
    void setRows(int value);
    int cols() const { return model_.Cols(); }
    void setCols(int value);
    int fixedRows() const { return fixedRows_; }
    void setFixedRows(int value);
    int fixedCols() const { return fixedCols_; }
    void setFixedCols(int value);
    int row() const { return row_; }
    void setRow(int value);
    int col() const { return col_; }
    void setCol(int value);
    int rowSel() const { return rowSel_; }
    void setRowSel(int value);
    int colSel() const { return colSel_; }
    void setColSel(int value);
    int topRow() const { return topRow_; }
    void setTopRow(int value);
    std::string text() const;
    void setText(std::string value);
    forms::Picture cellPicture() const;
    void setCellPicture(forms::Picture value);
    int cellPictureAlignment() const;
    void setCellPictureAlignment(int value);
    int cellAlignment() const;
    void setCellAlignment(int value);
    COLORREF cellBackColor() const;
    void setCellBackColor(COLORREF value);
    COLORREF cellForeColor() const;
    void setCellForeColor(COLORREF value);
    std::string formatString() const { return formatString_; }
    void setFormatString(std::string value);
    bool redraw() const { return redraw_; }
    void setRedraw(bool value);
    int highLight() const { return highLight_; }
    void setHighLight(int value);
    int focusRect() const { return focusRect_; }
    void setFocusRect(int value);
    int fillStyle() const { return fillStyle_; }
    void setFillStyle(int value) { fillStyle_ = value == flexFillRepeat ? flexFillRepeat : flexFillSingle; }
    int selectionMode() const { return selectionMode_; }
    void setSelectionMode(int value);
    COLORREF gridColor() const { return gridColor_; }
    void setGridColor(COLORREF value);
    COLORREF backColorBkg() const { return backColorBkg_; }
    void setBackColorBkg(COLORREF value);
    COLORREF backColorFixed() const { return backColorFixed_; }
    void setBackColorFixed(COLORREF value);
    COLORREF foreColorFixed() const { return foreColorFixed_; }
    void setForeColorFixed(COLORREF value);
    COLORREF backColorSel() const { return backColorSel_; }
    void setBackColorSel(COLORREF value);
    COLORREF foreColorSel() const { return foreColorSel_; }
    void setForeColorSel(COLORREF value);
    int mouseRow() const { return mouseRow_; }
    int mouseCol() const { return mouseCol_; }
    int colWidth(int index) const;
    void setColWidth(int index, int value);
    int rowHeight(int index) const;
    void setRowHeight(int index, int value);
    LONG rowData(int index) const;
    void setRowData(int index, LONG value);
    int colAlignment(int index) const;
    void setColAlignment(int index, int value);

public:
    FlexGrid(ContainerRef container, std::string name, int index = -1);

    Prop<&FlexGrid::rows, &FlexGrid::setRows> Rows{this};
    Prop<&FlexGrid::cols, &FlexGrid::setCols> Cols{this};
    Prop<&FlexGrid::fixedRows, &FlexGrid::setFixedRows> FixedRows{this};
    Prop<&FlexGrid::fixedCols, &FlexGrid::setFixedCols> FixedCols{this};
    Prop<&FlexGrid::row, &FlexGrid::setRow> Row{this};
    Prop<&FlexGrid::col, &FlexGrid::setCol> Col{this};
    Prop<&FlexGrid::rowSel, &FlexGrid::setRowSel> RowSel{this};
    Prop<&FlexGrid::colSel, &FlexGrid::setColSel> ColSel{this};
    Prop<&FlexGrid::topRow, &FlexGrid::setTopRow> TopRow{this};
    Prop<&FlexGrid::text, &FlexGrid::setText> Text{this};  // the current cell's
    Prop<&FlexGrid::cellPicture, &FlexGrid::setCellPicture> CellPicture{this};
    Prop<&FlexGrid::cellPictureAlignment, &FlexGrid::setCellPictureAlignment> CellPictureAlignment{this};
    Prop<&FlexGrid::cellAlignment, &FlexGrid::setCellAlignment> CellAlignment{this};
    Prop<&FlexGrid::cellBackColor, &FlexGrid::setCellBackColor> CellBackColor{this};
    Prop<&FlexGrid::cellForeColor, &FlexGrid::setCellForeColor> CellForeColor{this};
    Prop<&FlexGrid::formatString, &FlexGrid::setFormatString> FormatString{this};
    Prop<&FlexGrid::redraw, &FlexGrid::setRedraw> Redraw{this};
    Prop<&FlexGrid::highLight, &FlexGrid::setHighLight> HighLight{this};
    Prop<&FlexGrid::focusRect, &FlexGrid::setFocusRect> FocusRect{this};
    Prop<&FlexGrid::fillStyle, &FlexGrid::setFillStyle> FillStyle{this};
    Prop<&FlexGrid::selectionMode, &FlexGrid::setSelectionMode> SelectionMode{this};
    Prop<&FlexGrid::gridColor, &FlexGrid::setGridColor> GridColor{this};
    Prop<&FlexGrid::backColorBkg, &FlexGrid::setBackColorBkg> BackColorBkg{this};  // behind the cells
    Prop<&FlexGrid::backColorFixed, &FlexGrid::setBackColorFixed> BackColorFixed{this};
    Prop<&FlexGrid::foreColorFixed, &FlexGrid::setForeColorFixed> ForeColorFixed{this};
    Prop<&FlexGrid::backColorSel, &FlexGrid::setBackColorSel> BackColorSel{this};
    Prop<&FlexGrid::foreColorSel, &FlexGrid::setForeColorSel> ForeColorSel{this};
    // The cell under the pointer at the last mouse event (-1 outside the cells).
    Prop<&FlexGrid::mouseRow> MouseRow{this};
    Prop<&FlexGrid::mouseCol> MouseCol{this};

    IndexedProp<&FlexGrid::colWidth, &FlexGrid::setColWidth> ColWidth(int index) { return {this, index}; }
    IndexedProp<&FlexGrid::rowHeight, &FlexGrid::setRowHeight> RowHeight(int index) { return {this, index}; }
    IndexedProp<&FlexGrid::rowData, &FlexGrid::setRowData> RowData(int index) { return {this, index}; }
    IndexedProp<&FlexGrid::colAlignment, &FlexGrid::setColAlignment> ColAlignment(int index) { return {this, index}; }
    GridCellText TextMatrix(int row, int col) { return {this, row, col}; }
    // Whether the row is wholly shown (a fixed row always is; a row scrolled away is not).
    bool RowIsVisible(int row) const;

    // index -1: after the last row.
    void AddItem(const std::string& item, int index = -1);
    // Toolkit side: count empty rows at index (-1: after the last row) whose cells fill makes only
    // when one of them is first painted, read or changed, so that rows never shown cost no cells.
    // The filler must not change the grid; it serves every row still waiting.
    void AddRowsFilledLater(int index, int count, GridModel::RowFiller fill);
    bool RowWaiting(int row) const;  // whether the row's cells are still to be made
    void RemoveItem(int index);
    void Clear();
    void ClearStructure();

    Event<> RowColChange;
    Event<> SelChange;

    void PaintLook(Painter& painter) override;
    void HandleMouseDown(int button, int shift, POINT px) override;
    void HandleMouseMove(int buttons, int shift, POINT px) override;
    void HandleMouseUp(int button, int shift, POINT px, bool inside) override;
    void HandleDoubleClick(int button, int shift, POINT px) override;
    void Invalidate() override;

    // Toolkit side.
    std::string CellText(int row, int col) const;
    void SetCellText(int row, int col, std::string value);
    // A cell's rectangle in the control's pixels (empty when the cell is scrolled away).
    RECT CellRect(int row, int col) const;

protected:
    void ResetToDesign() override;
    const char* ClassName() const override { return "OzrFlexGrid"; }
    void OnKey(int keyCode, int shift) override;
    void OnTimerTick(UINT_PTR id) override;

private:
    struct CellAt {
        int row = -1;
        int col = -1;
    };

    void CheckRow(int row) const;
    void CheckCol(int col) const;
    void CheckCell(int row, int col) const;
    int RowPx(int row) const;
    int ColPx(int col) const;
    int DefaultRowPx() const;
    RECT CellsRect() const;  // inside the frame, left of the bar
    RECT ScrollBarRect() const;
    bool HasScrollBar() const;
    int MaxTopRow() const;
    int RowsShownFrom(int top) const;
    ScrollModel VerticalModel() const;
    void ScrollTo(int top);
    void EnsureRowVisible(int row);
    int RowTop(int row) const;  // in cell-area pixels; -1 when not shown
    CellAt HitCell(POINT px) const;
    // Moves the current cell and the selection's end, raising RowColChange and SelChange on change.
    void MoveTo(int row, int col, int rowSel, int colSel);
    void ClampCursor();
    // The cells the Cell properties act on.
    template <class F>
    void ForTargetCells(F f);
    bool Highlighted(int row, int col) const;
    void PaintCell(Painter& painter, int row, int col, const RECT& r);

    GridModel model_;
    int fixedRows_ = 1;
    int fixedCols_ = 1;
    int row_ = 1;
    int col_ = 1;
    int rowSel_ = 1;
    int colSel_ = 1;
    int topRow_ = 1;
    std::string formatString_;
    bool redraw_ = true;
    int highLight_ = flexHighlightAlways;
    int focusRect_ = flexFocusLight;
    int fillStyle_ = flexFillSingle;
    int selectionMode_ = flexSelectionFree;
    COLORREF gridColor_ = 0xC0C0C0;
    COLORREF backColorBkg_ = vbButtonShadow;
    COLORREF backColorFixed_ = vbButtonFace;
    COLORREF foreColorFixed_ = vbButtonText;
    COLORREF backColorSel_ = vbHighlight;
    COLORREF foreColorSel_ = vbHighlightText;
    int mouseRow_ = -1;
    int mouseCol_ = -1;
    bool selecting_ = false;  // a left press on a cell; dragging extends the selection
    ScrollTracker tracker_;
    mutable FontDescription measuredFont_;  // the font the default row height was measured for
    mutable int defaultRowPx_ = -1;
};

}  // namespace platform::forms
