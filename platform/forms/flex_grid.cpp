#include "platform/forms/flex_grid.h"

#include <algorithm>
#include <cstdlib>

#include "platform/forms/form.h"
#include "platform/forms/painter.h"

namespace platform::forms {

namespace {
constexpr int kBarWidth = 17;
constexpr int kDefaultColPx = 64;
constexpr int kTextInset = 3;

bool LooksNumeric(const std::string& text) {
    if (text.empty()) return false;
    char* end = nullptr;
    std::strtod(text.c_str(), &end);
    return end && *end == '\0';
}
}  // namespace

// ---- Cell texts ----

std::string GridCellText::operator()() const {
    grid_->Touch();
    return grid_->CellText(row_, col_);
}

GridCellText& GridCellText::operator=(const std::string& value) {
    grid_->Touch();
    grid_->SetCellText(row_, col_, value);
    return *this;
}

// ---- The grid ----

FlexGrid::FlexGrid(ContainerRef container, std::string name, int index) : WindowedControl(container, std::move(name), index) {
    FlexGrid::ResetToDesign();
}

void FlexGrid::ResetToDesign() {
    WindowedControl::ResetToDesign();
    rect_ = RECT{0, 0, 160, 120};
    SetDefaultColors(vbWindowBackground, vbWindowText);
    model_ = GridModel{};
    model_.SetCols(2);
    model_.SetRows(2);
    fixedRows_ = fixedCols_ = 1;
    row_ = col_ = rowSel_ = colSel_ = topRow_ = 1;
    formatString_.clear();
    redraw_ = true;
    highLight_ = flexHighlightAlways;
    focusRect_ = flexFocusLight;
    fillStyle_ = flexFillSingle;
    selectionMode_ = flexSelectionFree;
    gridColor_ = 0xC0C0C0;
    backColorBkg_ = vbButtonShadow;
    backColorFixed_ = vbButtonFace;
    foreColorFixed_ = vbButtonText;
    backColorSel_ = vbHighlight;
    foreColorSel_ = vbHighlightText;
    mouseRow_ = mouseCol_ = -1;
    selecting_ = false;
}

void FlexGrid::Invalidate() {
    if (redraw_) WindowedControl::Invalidate();
}

// ---- Checks ----

void FlexGrid::CheckRow(int row) const {
    if (row < 0 || row >= model_.Rows())
        throw Error("The row " + std::to_string(row) + " is outside " + DisplayName() + ", which has " +
                    std::to_string(model_.Rows()) + " rows");
}

void FlexGrid::CheckCol(int col) const {
    if (col < 0 || col >= model_.Cols())
        throw Error("The column " + std::to_string(col) + " is outside " + DisplayName() + ", which has " +
                    std::to_string(model_.Cols()) + " columns");
}

void FlexGrid::CheckCell(int row, int col) const {
    CheckRow(row);
    CheckCol(col);
}

// ---- Structure ----

void FlexGrid::setRows(int value) {
    if (value < fixedRows_)
        throw Error("The rows of " + DisplayName() + " cannot be fewer than its " + std::to_string(fixedRows_) + " fixed rows");
    model_.SetRows(value);
    ClampCursor();
    Invalidate();
}

void FlexGrid::setCols(int value) {
    if (value < fixedCols_)
        throw Error("The columns of " + DisplayName() + " cannot be fewer than its " + std::to_string(fixedCols_) +
                    " fixed columns");
    model_.SetCols(value);
    ClampCursor();
    Invalidate();
}

void FlexGrid::setFixedRows(int value) {
    if (value < 0 || value > model_.Rows())
        throw Error("The fixed rows of " + DisplayName() + " must lie between 0 and its " + std::to_string(model_.Rows()) + " rows");
    fixedRows_ = value;
    ClampCursor();
    Invalidate();
}

void FlexGrid::setFixedCols(int value) {
    if (value < 0 || value > model_.Cols())
        throw Error("The fixed columns of " + DisplayName() + " must lie between 0 and its " + std::to_string(model_.Cols()) +
                    " columns");
    fixedCols_ = value;
    ClampCursor();
    Invalidate();
}

void FlexGrid::ClampCursor() {
    int firstRow = fixedRows_ < model_.Rows() ? fixedRows_ : 0, lastRow = std::max(0, model_.Rows() - 1);
    int firstCol = fixedCols_ < model_.Cols() ? fixedCols_ : 0, lastCol = std::max(0, model_.Cols() - 1);
    // The current cell stays where code put it (a fixed cell too) as long as that cell exists.
    if (row_ > lastRow) row_ = std::max(firstRow, lastRow);
    if (col_ > lastCol) col_ = std::max(firstCol, lastCol);
    rowSel_ = std::min(rowSel_, lastRow);
    colSel_ = std::min(colSel_, lastCol);
    topRow_ = std::clamp(topRow_, fixedRows_, std::max(fixedRows_, MaxTopRow()));
}

void FlexGrid::AddItem(const std::string& item, int index) {
    Touch();
    if (index == -1) index = model_.Rows();
    if (index < 0 || index > model_.Rows())
        throw Error("A row cannot be added at " + std::to_string(index) + " in " + DisplayName() + ", which has " +
                    std::to_string(model_.Rows()) + " rows");
    model_.InsertRow(index);
    std::size_t start = 0;
    for (int c = 0; c < model_.Cols(); ++c) {
        std::size_t tab = item.find('\t', start);
        model_.Cell(index, c).text = item.substr(start, tab == std::string::npos ? std::string::npos : tab - start);
        if (tab == std::string::npos) break;
        start = tab + 1;
    }
    ClampCursor();
    Invalidate();
}

void FlexGrid::AddRowsFilledLater(int index, int count, GridModel::RowFiller fill) {
    Touch();
    if (index == -1) index = model_.Rows();
    if (index < 0 || index > model_.Rows() || count < 0)
        throw Error(std::to_string(count) + " rows cannot be added at " + std::to_string(index) + " in " + DisplayName() +
                    ", which has " + std::to_string(model_.Rows()) + " rows");
    model_.InsertRowsFilledLater(index, count, std::move(fill));
    ClampCursor();
    Invalidate();
}

bool FlexGrid::RowWaiting(int row) const {
    CheckRow(row);
    return model_.Waiting(row);
}

void FlexGrid::RemoveItem(int index) {
    Touch();
    CheckRow(index);
    if (index < fixedRows_) throw Error("The fixed row " + std::to_string(index) + " of " + DisplayName() + " cannot be removed");
    if (model_.Rows() - fixedRows_ <= 1) throw Error("The last non-fixed row of " + DisplayName() + " cannot be removed");
    model_.RemoveRow(index);
    ClampCursor();
    Invalidate();
}

void FlexGrid::Clear() {
    Touch();
    model_.ClearContents();
    Invalidate();
}

void FlexGrid::ClearStructure() {
    Touch();
    model_.ClearStructure();
    formatString_.clear();
    ClampCursor();
    Invalidate();
}

void FlexGrid::setFormatString(std::string value) {
    GridFormat format = ParseGridFormat(value);
    if (!format.columns.empty()) {
        int n = static_cast<int>(format.columns.size());
        fixedCols_ = std::min(fixedCols_, n);
        model_.SetCols(n);
        for (int c = 0; c < n; ++c) {
            const auto& column = format.columns[static_cast<std::size_t>(c)];
            model_.Col(c).alignment = column.alignment;
            if (!column.header.empty()) model_.Col(c).width = MeasureText(font_, column.header).cx + 2 * kTextInset + 2;
            if (model_.Rows() > 0) model_.Cell(0, c).text = column.header;
        }
    }
    if (format.hasRowPart) {
        int rows = static_cast<int>(format.rowHeaders.size()) + 1;
        model_.SetRows(std::max(rows, fixedRows_));
        if (model_.Cols() > 0)
            for (int r = 1; r < rows; ++r) model_.Cell(r, 0).text = format.rowHeaders[static_cast<std::size_t>(r - 1)];
    }
    formatString_ = std::move(value);
    ClampCursor();
    Invalidate();
}

// ---- Sizes ----

int FlexGrid::DefaultRowPx() const {
    if (!(measuredFont_ == font_) || defaultRowPx_ < 0) {
        measuredFont_ = font_;
        defaultRowPx_ = LineHeight(font_) + 2;
    }
    return defaultRowPx_;
}

int FlexGrid::RowPx(int row) const {
    int h = model_.Row(row).height;
    return h < 0 ? DefaultRowPx() : h;
}

int FlexGrid::ColPx(int col) const {
    int w = model_.Col(col).width;
    return w < 0 ? kDefaultColPx : w;
}

int FlexGrid::colWidth(int index) const {
    CheckCol(index);
    return PixelsToTwips(ColPx(index));
}

void FlexGrid::setColWidth(int index, int value) {
    int px = value < 0 ? -1 : TwipsToPixels(value);
    if (index == -1) {
        for (int c = 0; c < model_.Cols(); ++c) model_.Col(c).width = px;
    } else {
        CheckCol(index);
        model_.Col(index).width = px;
    }
    Invalidate();
}

int FlexGrid::rowHeight(int index) const {
    CheckRow(index);
    return PixelsToTwips(RowPx(index));
}

void FlexGrid::setRowHeight(int index, int value) {
    int px = value < 0 ? -1 : TwipsToPixels(value);
    if (index == -1) {
        for (int r = 0; r < model_.Rows(); ++r) model_.Row(r).height = px;
    } else {
        CheckRow(index);
        model_.Row(index).height = px;
    }
    ClampCursor();
    Invalidate();
}

LONG FlexGrid::rowData(int index) const {
    CheckRow(index);
    return model_.Row(index).data;
}

void FlexGrid::setRowData(int index, LONG value) {
    CheckRow(index);
    model_.Row(index).data = value;
}

int FlexGrid::colAlignment(int index) const {
    CheckCol(index);
    return model_.Col(index).alignment;
}

void FlexGrid::setColAlignment(int index, int value) {
    int a = std::clamp(value, flexAlignLeftTop, flexAlignGeneral);
    if (index == -1) {
        for (int c = 0; c < model_.Cols(); ++c) model_.Col(c).alignment = a;
    } else {
        CheckCol(index);
        model_.Col(index).alignment = a;
    }
    Invalidate();
}

// ---- Layout and scrolling ----

RECT FlexGrid::CellsRect() const {
    return RECT{1, 1, std::max(1, rect_.width() - 1 - (HasScrollBar() ? kBarWidth : 0)), std::max(1, rect_.height() - 1)};
}

RECT FlexGrid::ScrollBarRect() const { return RECT{rect_.width() - 1 - kBarWidth, 1, rect_.width() - 1, rect_.height() - 1}; }

// Asked at every added row (ClampCursor): the default height is looked up once, not for each row
// that fits the view.
int FlexGrid::MaxTopRow() const {
    int rows = model_.Rows();
    if (rows <= fixedRows_) return fixedRows_;
    const int defaultPx = DefaultRowPx();
    auto rowPx = [&](int row) {
        const int h = model_.Row(row).height;
        return h < 0 ? defaultPx : h;
    };
    int available = rect_.height() - 2;
    for (int r = 0; r < fixedRows_; ++r) available -= rowPx(r);
    int used = 0, top = rows;
    while (top > fixedRows_ && used + rowPx(top - 1) <= available) used += rowPx(--top);
    return std::min(top, rows - 1);
}

bool FlexGrid::HasScrollBar() const { return MaxTopRow() > fixedRows_; }

int FlexGrid::RowsShownFrom(int top) const {
    int available = rect_.height() - 2, n = 0;
    for (int r = 0; r < fixedRows_ && r < model_.Rows(); ++r) available -= RowPx(r);
    for (int r = top; r < model_.Rows() && available >= RowPx(r); ++r, ++n) available -= RowPx(r);
    return std::max(1, n);
}

ScrollModel FlexGrid::VerticalModel() const {
    ScrollModel m;
    m.vertical = true;
    m.min = fixedRows_;
    m.max = std::max(fixedRows_, MaxTopRow());
    m.value = std::clamp(topRow_, m.min, m.max);
    m.smallChange = 1;
    m.largeChange = RowsShownFrom(topRow_);
    return m;
}

void FlexGrid::ScrollTo(int top) {
    int t = std::clamp(top, fixedRows_, std::max(fixedRows_, MaxTopRow()));
    if (t == topRow_) return;
    topRow_ = t;
    Invalidate();
}

void FlexGrid::setTopRow(int value) { ScrollTo(value); }

bool FlexGrid::RowIsVisible(int row) const {
    CheckRow(row);
    if (row < fixedRows_) return true;
    return row >= topRow_ && row < topRow_ + RowsShownFrom(topRow_);
}

void FlexGrid::EnsureRowVisible(int row) {
    if (row < fixedRows_ || row >= model_.Rows()) return;
    if (row < topRow_) {
        ScrollTo(row);
        return;
    }
    int top = topRow_;
    while (top < row && row >= top + RowsShownFrom(top)) ++top;
    ScrollTo(top);
}

int FlexGrid::RowTop(int row) const {
    int y = 0;
    if (row < fixedRows_) {
        for (int r = 0; r < row; ++r) y += RowPx(r);
        return y;
    }
    if (row < topRow_) return -1;
    for (int r = 0; r < fixedRows_; ++r) y += RowPx(r);
    for (int r = topRow_; r < row; ++r) y += RowPx(r);
    return y;
}

RECT FlexGrid::CellRect(int row, int col) const {
    if (!model_.ValidCell(row, col)) return RECT{};
    int top = RowTop(row);
    if (top < 0) return RECT{};
    RECT cells = CellsRect();
    int x = cells.left;
    for (int c = 0; c < col; ++c) x += ColPx(c);
    return RECT{x, cells.top + top, x + ColPx(col), cells.top + top + RowPx(row)};
}

FlexGrid::CellAt FlexGrid::HitCell(POINT px) const {
    RECT cells = CellsRect();
    if (!cells.contains(px)) return {};
    CellAt at;
    for (int c = 0, x = cells.left; c < model_.Cols(); x += ColPx(c), ++c)
        if (px.x >= x && px.x < x + ColPx(c)) at.col = c;
    int y = cells.top;
    auto probe = [&](int r) {
        if (px.y >= y && px.y < y + RowPx(r)) at.row = r;
        y += RowPx(r);
    };
    for (int r = 0; r < fixedRows_ && r < model_.Rows(); ++r) probe(r);
    for (int r = topRow_; r < model_.Rows() && y < cells.bottom; ++r) probe(r);
    if (at.row < 0 || at.col < 0) return {};
    return at;
}

// ---- Current cell and selection ----

void FlexGrid::MoveTo(int row, int col, int rowSel, int colSel) {
    bool cellChanged = row != row_ || col != col_;
    bool selChanged = cellChanged || rowSel != rowSel_ || colSel != colSel_;
    row_ = row;
    col_ = col;
    rowSel_ = rowSel;
    colSel_ = colSel;
    if (selChanged) Invalidate();
    if (!Live()) return;
    if (cellChanged) RowColChange();
    if (selChanged) SelChange();
}

void FlexGrid::setRow(int value) {
    CheckRow(value);
    MoveTo(value, col_, value, col_);
}

void FlexGrid::setCol(int value) {
    CheckCol(value);
    MoveTo(row_, value, row_, value);
}

void FlexGrid::setRowSel(int value) {
    CheckRow(value);
    MoveTo(row_, col_, value, colSel_);
}

void FlexGrid::setColSel(int value) {
    CheckCol(value);
    MoveTo(row_, col_, rowSel_, value);
}

void FlexGrid::setSelectionMode(int value) {
    selectionMode_ = std::clamp(value, flexSelectionFree, flexSelectionByColumn);
    Invalidate();
}

bool FlexGrid::Highlighted(int row, int col) const {
    if (highLight_ == flexHighlightNever || (highLight_ == flexHighlightWithFocus && !hasFocus_)) return false;
    if (row < fixedRows_ || col < fixedCols_) return false;
    bool inRows = row >= std::min(row_, rowSel_) && row <= std::max(row_, rowSel_);
    bool inCols = col >= std::min(col_, colSel_) && col <= std::max(col_, colSel_);
    switch (selectionMode_) {
        case flexSelectionByRow: return inRows;
        case flexSelectionByColumn: return inCols;
        default: return inRows && inCols && !(row == row_ && col == col_);
    }
}

// ---- Cells ----

std::string FlexGrid::CellText(int row, int col) const {
    CheckCell(row, col);
    return model_.Cell(row, col).text;
}

void FlexGrid::SetCellText(int row, int col, std::string value) {
    CheckCell(row, col);
    model_.Cell(row, col).text = std::move(value);
    Invalidate();
}

template <class F>
void FlexGrid::ForTargetCells(F f) {
    CheckCell(row_, col_);
    if (fillStyle_ == flexFillRepeat) {
        for (int r = std::min(row_, rowSel_); r <= std::max(row_, rowSel_); ++r)
            for (int c = std::min(col_, colSel_); c <= std::max(col_, colSel_); ++c) f(model_.Cell(r, c));
    } else {
        f(model_.Cell(row_, col_));
    }
    Invalidate();
}

std::string FlexGrid::text() const { return CellText(row_, col_); }
void FlexGrid::setText(std::string value) {
    ForTargetCells([&](GridCell& c) { c.text = value; });
}

forms::Picture FlexGrid::cellPicture() const {
    CheckCell(row_, col_);
    return model_.Cell(row_, col_).picture;
}
void FlexGrid::setCellPicture(forms::Picture value) {
    ForTargetCells([&](GridCell& c) { c.picture = value; });
}

int FlexGrid::cellPictureAlignment() const {
    CheckCell(row_, col_);
    return model_.Cell(row_, col_).pictureAlignment;
}
void FlexGrid::setCellPictureAlignment(int value) {
    int a = std::clamp(value, flexAlignLeftTop, flexAlignRightBottom);
    ForTargetCells([&](GridCell& c) { c.pictureAlignment = a; });
}

int FlexGrid::cellAlignment() const {
    CheckCell(row_, col_);
    int a = model_.Cell(row_, col_).alignment;
    return a < 0 ? model_.Col(col_).alignment : a;
}
void FlexGrid::setCellAlignment(int value) {
    int a = std::clamp(value, flexAlignLeftTop, flexAlignGeneral);
    ForTargetCells([&](GridCell& c) { c.alignment = a; });
}

COLORREF FlexGrid::cellBackColor() const {
    CheckCell(row_, col_);
    const GridCell& c = model_.Cell(row_, col_);
    return c.hasBack ? c.back : row_ < fixedRows_ || col_ < fixedCols_ ? backColorFixed_ : backColor_;
}
void FlexGrid::setCellBackColor(COLORREF value) {
    ForTargetCells([&](GridCell& c) {
        c.hasBack = true;
        c.back = value;
    });
}

COLORREF FlexGrid::cellForeColor() const {
    CheckCell(row_, col_);
    const GridCell& c = model_.Cell(row_, col_);
    return c.hasFore ? c.fore : row_ < fixedRows_ || col_ < fixedCols_ ? foreColorFixed_ : foreColor_;
}
void FlexGrid::setCellForeColor(COLORREF value) {
    ForTargetCells([&](GridCell& c) {
        c.hasFore = true;
        c.fore = value;
    });
}

// ---- Look properties ----

void FlexGrid::setRedraw(bool value) {
    redraw_ = value;
    Invalidate();
}

void FlexGrid::setHighLight(int value) {
    highLight_ = std::clamp(value, flexHighlightNever, flexHighlightWithFocus);
    Invalidate();
}

void FlexGrid::setFocusRect(int value) {
    focusRect_ = std::clamp(value, flexFocusNone, flexFocusHeavy);
    Invalidate();
}

void FlexGrid::setGridColor(COLORREF value) {
    gridColor_ = value;
    Invalidate();
}
void FlexGrid::setBackColorBkg(COLORREF value) {
    backColorBkg_ = value;
    Invalidate();
}
void FlexGrid::setBackColorFixed(COLORREF value) {
    backColorFixed_ = value;
    Invalidate();
}
void FlexGrid::setForeColorFixed(COLORREF value) {
    foreColorFixed_ = value;
    Invalidate();
}
void FlexGrid::setBackColorSel(COLORREF value) {
    backColorSel_ = value;
    Invalidate();
}
void FlexGrid::setForeColorSel(COLORREF value) {
    foreColorSel_ = value;
    Invalidate();
}

// ---- Input ----

void FlexGrid::HandleMouseDown(int button, int shift, POINT px) {
    CellAt at = HitCell(px);
    mouseRow_ = at.row;
    mouseCol_ = at.col;
    WindowedControl::HandleMouseDown(button, shift, px);
    if (button != vbLeftButton || !hwnd_) return;
    if (HasScrollBar() && tracker_.Press(hwnd_, VerticalModel(), ScrollBarRect(), px, [this](int v) { ScrollTo(v); }))
        return;
    if (at.row < fixedRows_ || at.col < fixedCols_) return;  // outside the cells, or a header
    selecting_ = true;
    if (shift & vbShiftMask)
        MoveTo(row_, col_, at.row, at.col);
    else
        MoveTo(at.row, at.col, at.row, at.col);
    EnsureRowVisible(at.row);
}

void FlexGrid::HandleMouseMove(int buttons, int shift, POINT px) {
    CellAt at = HitCell(px);
    mouseRow_ = at.row;
    mouseCol_ = at.col;
    if (tracker_.Active()) {
        tracker_.Move(VerticalModel(), ScrollBarRect(), px, [this](int v) { ScrollTo(v); });
    } else if (selecting_ && (buttons & vbLeftButton) && at.row >= fixedRows_ && at.col >= fixedCols_) {
        MoveTo(row_, col_, at.row, at.col);
    }
    WindowedControl::HandleMouseMove(buttons, shift, px);
}

void FlexGrid::HandleMouseUp(int button, int shift, POINT px, bool inside) {
    CellAt at = HitCell(px);
    mouseRow_ = at.row;
    mouseCol_ = at.col;
    if (button == vbLeftButton) {
        tracker_.Release(hwnd_);
        selecting_ = false;
    }
    WindowedControl::HandleMouseUp(button, shift, px, inside);
}

void FlexGrid::HandleDoubleClick(int button, int shift, POINT px) {
    CellAt at = HitCell(px);
    mouseRow_ = at.row;
    mouseCol_ = at.col;
    WindowedControl::HandleDoubleClick(button, shift, px);
}

void FlexGrid::OnTimerTick(UINT_PTR id) {
    if (id == ScrollTracker::kRepeatTimer) tracker_.Repeat(hwnd_, VerticalModel(), ScrollBarRect(), [this](int v) { ScrollTo(v); });
}

void FlexGrid::OnKey(int keyCode, int shift) {
    int rows = model_.Rows(), cols = model_.Cols();
    if (rows <= fixedRows_ || cols <= fixedCols_) return;
    bool extend = (shift & vbShiftMask) != 0, ctrl = (shift & vbCtrlMask) != 0;
    int r = extend ? rowSel_ : row_, c = extend ? colSel_ : col_;
    int page = RowsShownFrom(topRow_);
    switch (keyCode) {
        case VK_UP: --r; break;
        case VK_DOWN: ++r; break;
        case VK_LEFT: --c; break;
        case VK_RIGHT: ++c; break;
        case VK_HOME: (ctrl ? r : c) = 0; break;
        case VK_END: (ctrl ? r : c) = ctrl ? rows - 1 : cols - 1; break;
        case VK_PRIOR: r -= page; break;
        case VK_NEXT: r += page; break;
        default: return;
    }
    r = std::clamp(r, fixedRows_, rows - 1);
    c = std::clamp(c, fixedCols_, cols - 1);
    if (extend)
        MoveTo(row_, col_, r, c);
    else
        MoveTo(r, c, r, c);
    EnsureRowVisible(r);
}

// ---- Look ----

void FlexGrid::PaintCell(Painter& painter, int row, int col, const RECT& r) {
    const GridCell& cell = model_.Cell(row, col);
    bool fixed = row < fixedRows_ || col < fixedCols_;
    bool lit = Highlighted(row, col);
    COLORREF back = lit ? backColorSel_ : cell.hasBack ? cell.back : fixed ? backColorFixed_ : backColor_;
    COLORREF fore = !enabled_ ? vbGrayText : lit ? foreColorSel_ : cell.hasFore ? cell.fore : fixed ? foreColorFixed_ : foreColor_;
    RECT inner{r.left, r.top, r.right - 1, r.bottom - 1};
    painter.FillRect(inner, back);
    COLORREF line = fixed ? vbButtonShadow : gridColor_;
    painter.FillRect(RECT{r.right - 1, r.top, r.right, r.bottom}, line);
    painter.FillRect(RECT{r.left, r.bottom - 1, r.right, r.bottom}, line);
    if (cell.picture) {
        POINT at = AlignInCell(inner, cell.picture.PixelSize(), cell.pictureAlignment);
        painter.DrawPicture(cell.picture, at.x, at.y);
    }
    if (cell.text.empty()) return;
    int alignment = cell.alignment >= 0 ? cell.alignment : model_.Col(col).alignment;
    if (alignment == flexAlignGeneral) alignment = LooksNumeric(cell.text) ? flexAlignRightCenter : flexAlignLeftCenter;
    RECT area{inner.left + kTextInset, inner.top, inner.right - kTextInset, inner.bottom};
    if (area.empty()) return;
    SIZE size = MeasureText(font_, cell.text);
    POINT at = AlignInCell(area, size, alignment);
    Painter::Scope clip(painter, area);
    painter.Text(RECT{at.x - area.left, at.y - area.top, at.x - area.left + size.cx + 1, at.y - area.top + size.cy}, cell.text,
                 font_, fore, kTextLeft | kTextNoClip);
}

void FlexGrid::PaintLook(Painter& painter) {
    RECT all{0, 0, rect_.width(), rect_.height()};
    painter.FillRect(all, backColorBkg_);
    painter.FrameRect(all, vbButtonShadow);
    if (HasScrollBar()) VerticalModel().Paint(painter, ScrollBarRect(), enabled_);
    RECT cells = CellsRect();
    {
        Painter::Scope scope(painter, cells);
        auto paintRow = [&](int r) {
            for (int c = 0; c < model_.Cols(); ++c) {
                RECT cell = OffsetRectBy(CellRect(r, c), -cells.left, -cells.top);
                if (cell.left >= cells.width()) break;
                PaintCell(painter, r, c, cell);
            }
        };
        for (int r = 0; r < fixedRows_ && r < model_.Rows(); ++r) paintRow(r);
        for (int r = topRow_; r < model_.Rows() && RowTop(r) < cells.height(); ++r) paintRow(r);
        bool currentShown = model_.ValidCell(row_, col_) && row_ >= fixedRows_ && col_ >= fixedCols_ && RowTop(row_) >= 0;
        if (hasFocus_ && focusRect_ != flexFocusNone && currentShown) {
            RECT r = OffsetRectBy(CellRect(row_, col_), -cells.left, -cells.top);
            RECT inner{r.left, r.top, r.right - 1, r.bottom - 1};
            if (focusRect_ == flexFocusHeavy)
                painter.FrameRect(inner, vbWindowText);
            else
                painter.FocusRect(inner, vbWindowText);
        }
    }
}

}  // namespace platform::forms
