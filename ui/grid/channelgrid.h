// The channel grid: 100 channels in twelve painted columns, selection and keys.
#pragma once

#include "ui/grid/cellpainter.h"

#include <QAbstractScrollArea>
#include <QList>

#include <bitset>

class ChannelsContext;

// The channel grid: 12 columns and 101 rows, row 0 the header, which stays in
// view while the channel rows scroll; column 0 (the channel number) stays in
// view when the others scroll sideways. Every cell is painted by the channel
// table's DrawCell through the CellPainter; the grid only lays cells out,
// keeps the selected rows and turns input into moves and edit requests.
// Several rows can be selected (Shift extends from the anchor, Ctrl adds or
// takes away a row, Ctrl+A takes all); the current row, the one the editor
// opens, is always among them.
class ChannelGrid : public QAbstractScrollArea
{
    Q_OBJECT
public:
    ChannelGrid(const ChannelsContext &channels, CellPainter &painter, QWidget *parent = nullptr);

    // The current row, 1..100 (channel row - 1).
    int currentRow() const { return m_currentRow; }
    // Selects a row alone (clamped to 1..100), scrolls it into view and repaints.
    void setCurrentRow(int row);
    // Selects the rows from `anchor` to `current` (both clamped to 1..100);
    // `current` becomes the current row.
    void selectRows(int anchor, int current);
    // The selected rows in ascending order; never empty.
    QList<int> selectedRows() const;
    bool isRowSelected(int row) const;

    // Spreads the columns over the client width, then a full repaint; done
    // when the window is first shown and on every resize. The texts are
    // measured again only when the font or the resolution has changed.
    void SizeGrid();
    const GridMetrics &metrics() const { return m_metrics; }

    // Cell geometry in viewport coordinates; rowAt/columnAt give -1 outside.
    QRect cellRect(int row, int column) const;
    int rowAt(int y) const;
    int columnAt(int x) const;
    // The first channel row below the header.
    int firstVisibleRow() const;
    // Data rows that fit the viewport completely (at least 1).
    int visibleRows() const;

    // Paints every cell that meets `area` (viewport coordinates).
    void PaintCells(QPainter &painter, const QRect &area);

    // The channels or the table-wide values of the painter changed: repaints,
    // and tells a screen reader which cells now say something else.
    void TableChanged();

    // What the grid shows, for its accessible interface.
    const ChannelsContext &channels() const { return m_channels; }
    CellPainter &painter() const { return m_painter; }

signals:
    // A double click on a channel row, or Enter.
    void editRequested();
    void selectionChanged();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    // Another language: the headings change, and the widths with them.
    void changeEvent(QEvent *event) override;
    QSize sizeHint() const override;

private:
    void UpdateScrollBars();
    int ColumnLeft(int column) const;  // before horizontal scrolling
    int TotalWidth() const;
    int DrawState(int row, int column) const;
    // Makes `row` current; `extend` selects from the anchor to it, else it is
    // selected alone and becomes the anchor.
    void MoveTo(int row, bool extend);
    void ScrollToRow(int row);

    const ChannelsContext &m_channels;
    CellPainter &m_painter;
    GridMetrics m_metrics;
    // The columns' own widths, and what they were measured for.
    GridMetrics m_natural;
    QFont m_naturalFont;
    int m_naturalDpi = 0;
    int m_currentRow = 1;
    int m_anchorRow = 1;
    std::bitset<CellPainter::Rows> m_selected{1u << 1};
};
