// The channel table on paper and in PDF.

#include "ui/grid/channelprint.h"

#include "model/channelscontext.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>

namespace {

// The texts of this file, for Qt Linguist.
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(ChannelPrint)
};

// Layout units per inch: the grid's own measure on a common screen.
constexpr int kUnitsPerInch = 96;
// The grid's 12 points at that measure.
constexpr int kCellFontPixels = 16;
constexpr int kHeadingFontPixels = 14;
constexpr int kHeadingGap = 12;
const QColor kTableFrame(160, 160, 160);

QFont CellFont()
{
    QFont font = GridFont();
    font.setPixelSize(kCellFontPixels);
    return font;
}

QFont HeadingFont()
{
    QFont font = GridFont();
    font.setBold(false);
    font.setPixelSize(kHeadingFontPixels);
    return font;
}

} // namespace

ChannelPrint::ChannelPrint(const ChannelsContext &channels, const CellPainter &look,
                           const PrintHeading &heading)
    : m_channels(channels), m_heading(heading)
{
    m_cells.PowerWatts = look.PowerWatts;
    m_cells.CommonTxPower = look.CommonTxPower;
    m_cells.CommonSquelch = look.CommonSquelch;
    m_cells.CommonTxPowerLevel = look.CommonTxPowerLevel;
    m_cells.CommonSquelchLevel = look.CommonSquelchLevel;
    m_pages.append(QList<int>());
}

void ChannelPrint::Paginate(const QSize &page, int dpi)
{
    // Measured at the layout's own resolution; the font has a pixel size, so
    // the device's resolution does not enter the measures.
    m_metrics = MeasureGrid(CellFont(), kUnitsPerInch, 0);
    int natural = 0;
    for (int w : m_metrics.columnWidths)
        natural += w;
    m_scale = double(std::max(dpi, 1)) / kUnitsPerInch;
    const int pageWidth = std::max(1, int(page.width() / m_scale));
    if (natural <= pageWidth) {
        // Spread over the page as the grid spreads over its window.
        m_metrics = MeasureGrid(CellFont(), kUnitsPerInch, pageWidth);
        m_pageWidth = pageWidth;
    } else {
        // Narrower than the grid wants: the whole page shrinks to fit.
        m_scale *= double(pageWidth) / natural;
        m_pageWidth = natural;
    }
    const int pageHeight = int(page.height() / m_scale);

    const QFontMetrics heading(HeadingFont());
    m_lineHeight = heading.height();
    m_headingHeight = 2 * m_lineHeight + kHeadingGap;
    const int free = pageHeight - m_headingHeight - m_metrics.headerHeight;
    const int perPage = std::max(1, free / std::max(1, m_metrics.rowHeight));

    m_pages.clear();
    QList<int> current;
    for (int n = 0; n < ChannelsContext::Count; ++n) {
        if (!m_channels.channels[std::size_t(n)].IsUsed())
            continue;
        current << n;
        if (current.size() == perPage) {
            m_pages << current;
            current.clear();
        }
    }
    if (!current.isEmpty() || m_pages.isEmpty())
        m_pages << current;
}

QStringList ChannelPrint::HeadingLines(int page) const
{
    const QString file = m_heading.file.isEmpty() ? Tr::tr("(нет)") : m_heading.file;
    return {Tr::tr("Файл: %1").arg(file), Tr::tr("Диапазон частот: %1").arg(m_heading.range),
            Tr::tr("Лист %1 из %2").arg(page + 1).arg(pageCount()), m_heading.printed};
}

QRect ChannelPrint::LogicalCell(int index, int column) const
{
    int x = 0;
    for (int c = 0; c < column; ++c)
        x += m_metrics.columnWidths[std::size_t(c)];
    const int width = m_metrics.columnWidths[std::size_t(column)];
    if (index < 0)
        return QRect(x, m_headingHeight, width, m_metrics.headerHeight);
    return QRect(x, m_headingHeight + m_metrics.headerHeight + index * m_metrics.rowHeight, width,
                 m_metrics.rowHeight);
}

QRect ChannelPrint::CellRect(int index, int column) const
{
    const QRect r = LogicalCell(index, column);
    return QRectF(r.x() * m_scale, r.y() * m_scale, r.width() * m_scale, r.height() * m_scale)
        .toAlignedRect();
}

void ChannelPrint::PaintPage(QPainter &painter, int page)
{
    if (page < 0 || page >= pageCount())
        return;
    painter.save();
    painter.scale(m_scale, m_scale);

    const QStringList heading = HeadingLines(page);
    painter.setFont(HeadingFont());
    painter.setPen(Qt::black);
    const QRect line1(0, 0, m_pageWidth, m_lineHeight);
    const QRect line2(0, m_lineHeight, m_pageWidth, m_lineHeight);
    const QFontMetrics fm(painter.font());
    const int rightWidth = std::max(fm.horizontalAdvance(heading[2]), fm.horizontalAdvance(heading[3])) + 16;
    auto left = [&](const QRect &r, const QString &text) {
        painter.drawText(r.adjusted(0, 0, -rightWidth, 0), Qt::AlignLeft | Qt::AlignVCenter,
                         fm.elidedText(text, Qt::ElideMiddle, r.width() - rightWidth));
    };
    left(line1, heading[0]);
    left(line2, heading[1]);
    painter.drawText(line1, Qt::AlignRight | Qt::AlignVCenter, heading[2]);
    painter.drawText(line2, Qt::AlignRight | Qt::AlignVCenter, heading[3]);

    painter.setFont(CellFont());
    const QList<int> &rows = m_pages[page];
    for (int c = 0; c < CellPainter::Columns; ++c)
        DrawCell(m_channels, m_cells, &painter, LogicalCell(-1, c), c, 0, CellPainter::Fixed);
    for (int i = 0; i < rows.size(); ++i)
        for (int c = 0; c < CellPainter::Columns; ++c)
            DrawCell(m_channels, m_cells, &painter, LogicalCell(i, c), c, rows[i] + 1,
                     c == 0 ? CellPainter::Fixed : 0);

    const QRect header = LogicalCell(-1, 0).united(LogicalCell(-1, CellPainter::Columns - 1));
    const QRect table = rows.isEmpty() ? header : header.united(LogicalCell(int(rows.size()) - 1, 0));
    painter.setPen(kTableFrame);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(table.adjusted(0, 0, -1, -1));
    if (rows.isEmpty()) {
        painter.setFont(HeadingFont());
        painter.setPen(Qt::black);
        painter.drawText(QRect(0, table.bottom() + kHeadingGap, m_pageWidth, m_lineHeight), Qt::AlignLeft,
                         Tr::tr("Используемых каналов нет."));
    }
    painter.restore();
}

bool ChannelPrint::Print(QPagedPaintDevice *device)
{
    QPainter painter;
    if (!device || !painter.begin(device))
        return false;
    Paginate(QSize(device->width(), device->height()), device->logicalDpiY());
    for (int page = 0; page < pageCount(); ++page) {
        if (page > 0 && !device->newPage())
            return false;
        PaintPage(painter, page);
    }
    return painter.end();
}
