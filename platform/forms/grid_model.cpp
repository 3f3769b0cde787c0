#include "platform/forms/grid_model.h"

#include <algorithm>

namespace platform::forms {

void GridModel::SetRows(int rows) {
    rows = std::max(0, rows);
    while (Rows() > rows) rows_.pop_back();
    while (Rows() < rows) InsertRow(Rows());
}

void GridModel::SetCols(int cols) {
    cols = std::max(0, cols);
    cols_.resize(Index(cols));
    for (auto& r : rows_)
        if (!r.waiting) r.cells.resize(Index(cols));
}

void GridModel::InsertRow(int at) {
    GridRow row;
    row.cells.resize(cols_.size());
    rows_.insert(rows_.begin() + at, std::move(row));
}

void GridModel::InsertRowsFilledLater(int at, int count, RowFiller fill) {
    if (count <= 0) return;
    GridRow waiting;
    waiting.waiting = true;
    rows_.insert(rows_.begin() + at, Index(count), waiting);
    filler_ = std::move(fill);
}

GridRow& GridModel::Filled(int row) const {
    GridRow& r = rows_[Index(row)];
    if (r.waiting) {
        // No longer waiting before the filler runs, so that it may read the row's cells itself.
        r.waiting = false;
        r.cells.resize(cols_.size());
        if (filler_) filler_(r);
    }
    return r;
}

void GridModel::RemoveRow(int at) { rows_.erase(rows_.begin() + at); }

void GridModel::ClearContents() {
    for (auto& r : rows_) {
        r.waiting = false;
        r.cells.assign(cols_.size(), GridCell{});
    }
}

void GridModel::ClearStructure() {
    for (auto& c : cols_) c = GridColumn{};
    for (auto& r : rows_) r.height = -1;
}

GridFormat ParseGridFormat(const std::string& format) {
    auto split = [](const std::string& s) {
        std::vector<std::string> parts;
        std::size_t start = 0;
        for (;;) {
            std::size_t bar = s.find('|', start);
            parts.push_back(s.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
            if (bar == std::string::npos) return parts;
            start = bar + 1;
        }
    };
    GridFormat out;
    std::size_t semicolon = format.find(';');
    std::string columns = format.substr(0, semicolon);
    if (!columns.empty()) {
        for (std::string part : split(columns)) {
            GridFormat::Column c;
            if (!part.empty() && (part[0] == '<' || part[0] == '^' || part[0] == '>')) {
                c.alignment = part[0] == '<' ? flexAlignLeftCenter : part[0] == '^' ? flexAlignCenterCenter : flexAlignRightCenter;
                part.erase(0, 1);
            }
            c.header = std::move(part);
            out.columns.push_back(std::move(c));
        }
    }
    if (semicolon != std::string::npos) {
        out.hasRowPart = true;
        auto rows = split(format.substr(semicolon + 1));
        // The first entry stands above the row headers, in the corner; the rest are rows 1, 2, ...
        out.rowHeaders.assign(rows.begin() + 1, rows.end());
    }
    return out;
}

POINT AlignInCell(const RECT& cell, SIZE item, int alignment) {
    if (alignment < flexAlignLeftTop || alignment > flexAlignRightBottom) alignment = flexAlignLeftCenter;
    int column = alignment / 3, row = alignment % 3;  // 0 left / top, 1 centre, 2 right / bottom
    int x = column == 0 ? cell.left : column == 1 ? cell.left + (cell.width() - item.cx) / 2 : cell.right - item.cx;
    int y = row == 0 ? cell.top : row == 1 ? cell.top + (cell.height() - item.cy) / 2 : cell.bottom - item.cy;
    return POINT{x, y};
}

}  // namespace platform::forms
