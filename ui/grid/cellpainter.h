// The channel grid's painter: what each cell shows and how it is drawn.
#pragma once

#include <QColor>
#include <QFont>
#include <QHash>
#include <QImage>
#include <QRect>
#include <QSize>
#include <QStaticText>
#include <QString>

#include <array>
#include <cstdint>

class Channel;
class ChannelsContext;
class QPainter;

// Paints one cell of the channel grid at a time and measures sample texts for
// the grid's sizing. Besides the per-cell state it holds the values that
// describe the whole table, which the main window and the settings pages write.
//
// A cell has up to four short text lines, arranged by one of four layouts:
// 1 receive row above transmit row (labels left, values right), 2 one row,
// 3 a centred stack, 4 a check mark.
class CellPainter
{
public:
    enum DrawState { Selected = 1, Focused = 2, Fixed = 4 };
    enum Layout { LayoutPairs = 1, LayoutSingle = 2, LayoutStack = 3, LayoutCheck = 4 };

    static constexpr int Columns = 12;
    static constexpr int Rows = 101;  // the header and channels 0..99
    static constexpr int MinDataHeight = 44;
    static constexpr int IconWidth = 24;
    static constexpr int IconHeight = 18;

    struct Line
    {
        QString text;
        int width = 0;
        int height = 0;
        int x = 0;
        int y = 0;
        QColor colour;
    };

    CellPainter();

    // Table-wide values.
    std::array<std::int32_t, 4> PowerWatts{5, 10, 20, 40};
    bool CommonTxPower = false;
    bool CommonSquelch = false;
    std::int32_t CommonTxPowerLevel = 3;
    std::int32_t CommonSquelchLevel = 1;

    // False, and nothing changes, for a null channel.
    bool BindChannel(const Channel *channel);
    void BeginCell(QPainter *painter, const QRect &rect, int drawState);
    // Decides, arranges and draws the cell; row 0 is the header.
    void PaintCell(int row, int column);
    // Decides the cell's texts, pictures and mark as PaintCell does, without
    // a canvas (what a screen reader reads); false for a column with no cell.
    bool DecideCell(int row, int column);
    // Width and height the cell's texts need, measured with the font of the
    // painter given to BeginCell; row 0 measures the header, others the samples.
    QSize MeasureCell(int row, int column);

    // What the last PaintCell decided, for the grid's tests.
    const Line &line(int i) const { return m_lines[std::size_t(i)]; }
    int layout() const { return m_layout; }
    bool showRxIcon() const { return m_showRxIcon; }
    bool showTxIcon() const { return m_showTxIcon; }
    bool checkValue() const { return m_check; }
    QColor background() const { return m_background; }

    // The fixed texts of the header row, lines 1-4 of a column.
    static const std::array<QString, 4> &HeaderTexts(int column);

private:
    struct ShapedText
    {
        QStaticText text;
        int width = 0;
    };
    const ShapedText &Shaped(const QString &text);
    void ClearLines();
    void SetHeaderTexts(int column);
    // False for a column that has no data cell.
    bool SetDataTexts(int row, int column);
    void SetSidePair(const QString &rx, bool rxShown, const QString &tx, bool txShown, bool icons);
    void MeasureLines();
    void Arrange();
    void ChooseColours(int row, int column);
    void Render(int row, int column);
    void DrawCheckMark();
    const QImage &Picture(int index) const;

    const Channel *m_channel = nullptr;
    QPainter *m_canvas = nullptr;
    QRect m_rect;
    int m_state = 0;

    std::array<Line, 4> m_lines;
    bool m_showRxIcon = false;
    bool m_showTxIcon = false;
    bool m_check = false;
    int m_layout = LayoutStack;
    QColor m_background;
    QColor m_markColour;

    QFont m_cacheFont;
    QHash<QString, ShapedText> m_cache;
    QHash<QRgb, QImage> m_marks;
    qreal m_marksRatio = 0;
};

// The grid's owner-draw entry: row 0 is the header (painted with channel 0
// bound), row r channel r - 1, other rows nothing. Always true.
bool DrawCell(const ChannelsContext &channels, CellPainter &painter, QPainter *canvas, const QRect &rect, int column,
              int row, int drawState);

// Column widths and row heights of the grid for a font and a client width.
struct GridMetrics
{
    std::array<int, CellPainter::Columns> columnWidths{};
    int headerHeight = 0;
    int rowHeight = 0;
};

// Measures the header and the sample texts with a temporary painter on a canvas
// with `font` at `dpi`, and spreads the columns over `clientWidth` when they
// need less than that.
GridMetrics MeasureGrid(const QFont &font, int dpi, int clientWidth);
// The columns of `natural` (measured for a client width of 0) spread over
// `clientWidth` when they need less than that, as MeasureGrid does.
GridMetrics SpreadColumns(const GridMetrics &natural, int clientWidth);

// The grid's font: "Lucida Console" where it is installed, else the system's
// fixed-pitch font; bold, 12 points.
QFont GridFont();
