// The channel table on paper and in PDF.
#pragma once

#include "ui/grid/cellpainter.h"

#include <QList>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

class ChannelsContext;
class QPagedPaintDevice;
class QPainter;

// What the top of every printed page says besides the page number.
struct PrintHeading
{
    QString file;    // the table's file; empty when it has none
    QString range;   // the current frequency range as the status bar shows it
    QString printed; // date and time of printing
};

// The channel table on paper: the used channels in the grid's columns, drawn
// by the grid's own cell painter, under a heading with the file, the range and
// the page number. The grid's header row repeats on every page; the table is
// as wide as the page and the rows run on over as many pages as they need.
//
// Layout happens in units of 1/96 inch at the grid's font size and is scaled
// to the device, so any paint device shows the same page: a printer, a PDF
// writer, the preview or an image.
class ChannelPrint
{
public:
    // `look`: the table-wide values the grid is painted with (power levels in
    // watts, common squelch and power); copied.
    ChannelPrint(const ChannelsContext &channels, const CellPainter &look, const PrintHeading &heading);

    // Lays the used channels out on pages of `page` device pixels at `dpi`
    // dots per inch. Always at least one page.
    void Paginate(const QSize &page, int dpi);
    int pageCount() const { return int(m_pages.size()); }
    // Channel numbers on a page, in order.
    const QList<int> &pageChannels(int page) const { return m_pages[page]; }
    // The heading of a page: file, range, page number, date.
    QStringList HeadingLines(int page) const;
    // Where a cell lands on its page, in device pixels; `index` counts the
    // page's channel rows from 0, -1 is the header row.
    QRect CellRect(int index, int column) const;

    // Paints one page of the last Paginate onto the painter's device, whose
    // top left corner is the page's.
    void PaintPage(QPainter &painter, int page);
    // Paginates for the device and prints every page; false when painting on
    // it could not start.
    bool Print(QPagedPaintDevice *device);

private:
    QRect LogicalCell(int index, int column) const;

    const ChannelsContext &m_channels;
    CellPainter m_cells;
    PrintHeading m_heading;

    GridMetrics m_metrics;
    QList<QList<int>> m_pages;
    double m_scale = 1;  // device pixels per layout unit
    int m_pageWidth = 0; // layout units
    int m_headingHeight = 0;
    int m_lineHeight = 0;
};
