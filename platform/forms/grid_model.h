// The cells, rows and columns of a flex grid, apart from how the grid looks; and its FormatString.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/base.h"
#include "platform/forms/picture.h"

namespace platform::forms {

// Alignments of cell texts and pictures (CellAlignment, ColAlignment, CellPictureAlignment).
constexpr int flexAlignLeftTop = 0;
constexpr int flexAlignLeftCenter = 1;
constexpr int flexAlignLeftBottom = 2;
constexpr int flexAlignCenterTop = 3;
constexpr int flexAlignCenterCenter = 4;
constexpr int flexAlignCenterBottom = 5;
constexpr int flexAlignRightTop = 6;
constexpr int flexAlignRightCenter = 7;
constexpr int flexAlignRightBottom = 8;
constexpr int flexAlignGeneral = 9;  // texts left, numbers right, centred vertically

struct GridCell {
    std::string text;
    forms::Picture picture;
    int pictureAlignment = flexAlignLeftCenter;
    int alignment = -1;  // -1: the column's
    bool hasBack = false;
    bool hasFore = false;
    COLORREF back = 0;
    COLORREF fore = 0;
};

struct GridRow {
    int height = -1;  // pixels; -1: the grid's default height
    LONG data = 0;
    std::vector<GridCell> cells;  // empty while the row waits for its filler
    bool waiting = false;
};

struct GridColumn {
    int width = -1;  // pixels; -1: the default width
    int alignment = flexAlignGeneral;
};

// A grid of many thousand rows needs the cells of only the few that are shown: rows inserted with a
// filler have no cells until one of them is first asked for (to be painted, read or changed); then
// the filler gets the row, its cells there and empty, and fills them from its data.
class GridModel {
public:
    using RowFiller = std::function<void(GridRow& row)>;

    int Rows() const { return static_cast<int>(rows_.size()); }
    int Cols() const { return static_cast<int>(cols_.size()); }
    void SetRows(int rows);
    void SetCols(int cols);
    void InsertRow(int at);
    // count rows at `at`, filled by fill when first needed; fill serves every waiting row from now on.
    void InsertRowsFilledLater(int at, int count, RowFiller fill);
    void RemoveRow(int at);
    bool ValidCell(int row, int col) const { return row >= 0 && row < Rows() && col >= 0 && col < Cols(); }
    GridCell& Cell(int row, int col) { return Filled(row).cells[Index(col)]; }
    const GridCell& Cell(int row, int col) const { return Filled(row).cells[Index(col)]; }
    GridRow& Row(int row) { return rows_[Index(row)]; }
    const GridRow& Row(int row) const { return rows_[Index(row)]; }
    bool Waiting(int row) const { return rows_[Index(row)].waiting; }
    GridColumn& Col(int col) { return cols_[Index(col)]; }
    const GridColumn& Col(int col) const { return cols_[Index(col)]; }
    // Texts, pictures and cell formats go; rows, columns, sizes and row data stay.
    void ClearContents();
    // Column widths and alignments and row heights return to their defaults.
    void ClearStructure();

private:
    static std::size_t Index(int i) { return static_cast<std::size_t>(i); }
    // The row with its cells, filled first when it waits: what the grid holds does not change by
    // that, so a reader may fill it too.
    GridRow& Filled(int row) const;
    mutable std::vector<GridRow> rows_;
    RowFiller filler_;
    std::vector<GridColumn> cols_;
};

// A FormatString: "^Active|^Type|<Name|>Activation" gives four columns with their header texts and
// alignments ("<" left, "^" centred, ">" right; none: general); texts after a ";" are the headers
// of the rows, "|" between them, as in "|<Name;|Row 1|Row 2".
struct GridFormat {
    struct Column {
        std::string header;
        int alignment = flexAlignGeneral;
    };
    std::vector<Column> columns;
    std::vector<std::string> rowHeaders;  // from row 1 on; empty when the string has no ";"
    bool hasRowPart = false;
};
GridFormat ParseGridFormat(const std::string& format);

// Where an item of the given size lies in a cell by an alignment (0 to 8; general counts as left).
POINT AlignInCell(const RECT& cell, SIZE item, int alignment);

}  // namespace platform::forms
