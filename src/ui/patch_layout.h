#pragma once

#include <QRect>

// Where the patch page puts its controls, in the page's pixels. The knob and value-button rows
// mirror the controller: rows of eight in the controller's order (rows 0..7, 8..15, 16..23,
// 24..31, 32..39, 40..47), each control in its column; the page's own column and the operator
// panel are at the right.
namespace PatchLayout {

constexpr int Columns = 8;
constexpr int ColumnWidth = 85;
constexpr int GridLeft = 8;
constexpr int KnobSide = 75;
constexpr int ButtonWidth = 76;
constexpr int ButtonHeight = 22;
constexpr int HeadingHeight = 15;
constexpr int ValueLabelHeight = 15;

// The top of each row's two heading lines, and of its controls.
struct RowPlace {
    int firstRow; // the patch row (controller CC) in column 0
    int headingTop;
    int controlTop;
    bool knobs;
};
constexpr RowPlace Places[] = {
    {0, 28, 60, true},    {8, 152, 184, false}, {16, 212, 244, false},
    {24, 300, 332, true}, {32, 424, 456, true}, {40, 548, 580, true},
};

constexpr int ColumnLeft(int column) {
    return GridLeft + column * ColumnWidth;
}

// The right-hand column beside the grid, and the operator panel at the page's right edge.
constexpr int SideLeft = ColumnLeft(Columns) + 4;
constexpr int SideWidth = 104;
constexpr int PanelLeft = SideLeft + SideWidth + 6;
constexpr int PanelWidth = 152;

constexpr QRect ModGroupButton{ColumnLeft(0), 4, 150, 20};
constexpr QRect RandomiserArea{ColumnLeft(0), 272, ColumnWidth* Columns, 22};
constexpr QRect Algorithm{SideLeft + 18, 332, 67, 77};
constexpr QRect PreviewButtons{SideLeft, 572, SideWidth, 26};

} // namespace PatchLayout
