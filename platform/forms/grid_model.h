// The cells, rows and columns of a flex grid, apart from how the grid looks; and its FormatString.
#pragma once

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
    std::vector<GridCell> cells;
};

struct GridColumn {
    int width = -1;  // pixels; -1: the default width
    int alignment = flexAlignGeneral;
};

class GridModel {
public:
    int Rows() const { return static_cast<int>(rows_.size()); }
    int Cols() const { return static_cast<int>(cols_.size()); }
    void SetRows(int rows);
    void SetCols(int cols);
    void InsertRow(int at);
    void RemoveRow(int at);
    bool ValidCell(int row, int col) const { return row >= 0 && row < Rows() && col >= 0 && col < Cols(); }
    GridCell& Cell(int row, int col) { return rows_[Index(row)].cells[Index(col)]; }
    const GridCell& Cell(int row, int col) const { return rows_[Index(row)].cells[Index(col)]; }
    GridRow& Row(int row) { return rows_[Index(row)]; }
    const GridRow& Row(int row) const { return rows_[Index(row)]; }
    GridColumn& Col(int col) { return cols_[Index(col)]; }
    const GridColumn& Col(int col) const { return cols_[Index(col)]; }
    // Texts, pictures and cell formats go; rows, columns, sizes and row data stay.
    void ClearContents();
    // Column widths and alignments and row heights return to their defaults.
    void ClearStructure();

private:
    static std::size_t Index(int i) { return static_cast<std::size_t>(i); }
    std::vector<GridRow> rows_;
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
