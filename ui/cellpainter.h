#pragma once

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QRect>
#include <QSize>
#include <QString>

#include <array>
#include <cstdint>

class Channel;
class ChannelsContext;
class QPainter;

// Paints one cell of the channel grid at a time and measures sample texts for
// the grid's sizing. Besides the per-cell state it holds the values that
// describe the whole table, which the main window and the settings pages write.
class CellPainter
{
public:
    enum DrawState { Selected = 1, Focused = 2, Fixed = 4 };

    CellPainter();

    // Table-wide values.
    std::array<std::int32_t, 4> PowerWatts{5, 10, 20, 40};
    bool CommonTxPower = false;
    bool CommonSquelch = false;
    std::int32_t CommonTxPowerLevel = 3;
    std::int32_t CommonSquelchLevel = 1;

    bool BindChannel(const Channel *channel);
    void BeginCell(QPainter *painter, const QRect &rect, int drawState);
    void PaintCell(int row, int column);
    // (height, width) of a cell's texts on the painter given to BeginCell.
    QSize MeasureCell(int row, int column);
};

// The grid's owner-draw entry: row 0 is the header, row r channel r - 1.
bool DrawCell(const ChannelsContext &channels, CellPainter &painter, QPainter *canvas, const QRect &rect, int column,
              int row, int drawState);
