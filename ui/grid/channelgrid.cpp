// The channel grid: 100 channels in twelve painted columns, selection and keys.

#include "ui/grid/channelgrid.h"

#include "model/channelscontext.h"
#include "ui/grid/gridaccessible.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <numeric>

namespace {

constexpr int kLastRow = CellPainter::Rows - 1;

} // namespace

ChannelGrid::ChannelGrid(const ChannelsContext &channels, CellPainter &painter, QWidget *parent)
    : QAbstractScrollArea(parent), m_channels(channels), m_painter(painter)
{
    setFont(GridFont());
    setFocusPolicy(Qt::StrongFocus);
    // A hundred rows never fit: the bar is always there, so showing it never
    // changes the client width that the columns are spread over.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAutoFillBackground(false);
    SizeGrid();
    connect(this, &ChannelGrid::selectionChanged, this, [this] { gridaccessible::SelectionChanged(this); });
}

void ChannelGrid::TableChanged()
{
    viewport()->update();
    gridaccessible::TableChanged(this);
}

QSize ChannelGrid::sizeHint() const
{
    return QSize(TotalWidth() + verticalScrollBar()->sizeHint().width() + 2 * frameWidth(),
                 m_metrics.headerHeight + 10 * m_metrics.rowHeight + 2 * frameWidth());
}

void ChannelGrid::SizeGrid()
{
    const int dpi = logicalDpiY();
    if (dpi != m_naturalDpi || font() != m_naturalFont) {
        m_natural = MeasureGrid(font(), dpi, 0);
        m_naturalFont = font();
        m_naturalDpi = dpi;
    }
    m_metrics = SpreadColumns(m_natural, viewport()->width());
    UpdateScrollBars();
    viewport()->update();
}

void ChannelGrid::changeEvent(QEvent *event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) {
        m_naturalDpi = 0;
        SizeGrid();
    }
}

int ChannelGrid::TotalWidth() const
{
    return std::accumulate(m_metrics.columnWidths.begin(), m_metrics.columnWidths.end(), 0);
}

int ChannelGrid::visibleRows() const
{
    if (m_metrics.rowHeight <= 0)
        return 1;
    return std::max(1, (viewport()->height() - m_metrics.headerHeight) / m_metrics.rowHeight);
}

int ChannelGrid::firstVisibleRow() const
{
    return verticalScrollBar()->value() + 1;
}

void ChannelGrid::UpdateScrollBars()
{
    const int rows = visibleRows();
    QScrollBar *v = verticalScrollBar();
    v->setRange(0, std::max(0, kLastRow - rows));
    v->setPageStep(rows);
    v->setSingleStep(1);
    QScrollBar *h = horizontalScrollBar();
    h->setRange(0, std::max(0, TotalWidth() - viewport()->width()));
    h->setPageStep(viewport()->width());
    h->setSingleStep(16);
}

int ChannelGrid::ColumnLeft(int column) const
{
    int x = 0;
    for (int c = 0; c < column && c < CellPainter::Columns; ++c)
        x += m_metrics.columnWidths[std::size_t(c)];
    return x;
}

QRect ChannelGrid::cellRect(int row, int column) const
{
    if (row < 0 || row > kLastRow || column < 0 || column >= CellPainter::Columns)
        return QRect();
    const int x = column == 0 ? 0 : ColumnLeft(column) - horizontalScrollBar()->value();
    const int y = row == 0 ? 0 : m_metrics.headerHeight + (row - firstVisibleRow()) * m_metrics.rowHeight;
    const int h = row == 0 ? m_metrics.headerHeight : m_metrics.rowHeight;
    return QRect(x, y, m_metrics.columnWidths[std::size_t(column)], h);
}

int ChannelGrid::rowAt(int y) const
{
    if (y < 0)
        return -1;
    if (y < m_metrics.headerHeight)
        return 0;
    if (m_metrics.rowHeight <= 0)
        return -1;
    const int row = firstVisibleRow() + (y - m_metrics.headerHeight) / m_metrics.rowHeight;
    return row <= kLastRow ? row : -1;
}

int ChannelGrid::columnAt(int x) const
{
    if (x < 0)
        return -1;
    if (x < m_metrics.columnWidths[0])
        return 0;
    int left = -horizontalScrollBar()->value();
    for (int c = 0; c < CellPainter::Columns; ++c) {
        const int right = left + m_metrics.columnWidths[std::size_t(c)];
        if (c > 0 && x >= left && x < right)
            return c;
        left = right;
    }
    return -1;
}

int ChannelGrid::DrawState(int row, int column) const
{
    if (row == 0 || column == 0)
        return CellPainter::Fixed;
    if (!m_selected.test(std::size_t(row)))
        return 0;
    return CellPainter::Selected | (row == m_currentRow && hasFocus() ? CellPainter::Focused : 0);
}

void ChannelGrid::PaintCells(QPainter &p, const QRect &area)
{
    p.setFont(font());
    const QRect client = viewport()->rect();
    const int first = firstVisibleRow();
    const int fixedWidth = m_metrics.columnWidths[0];

    // Rows that meet the area: the header, then channel rows from `first`.
    auto paintRows = [&](int fromColumn, int toColumn) {
        for (int row = 0; row <= kLastRow; row = row == 0 ? first : row + 1) {
            const QRect r0 = cellRect(row, 0);
            if (row != 0 && r0.top() >= client.bottom() + 1)
                break;
            if (r0.bottom() < area.top() || r0.top() > area.bottom())
                continue;
            for (int c = fromColumn; c <= toColumn; ++c) {
                const QRect r = cellRect(row, c);
                if (r.intersects(area))
                    DrawCell(m_channels, m_painter, &p, r, c, row, DrawState(row, c));
            }
        }
    };

    // Columns 1..11 scroll sideways under the fixed number column.
    p.save();
    p.setClipRect(QRect(fixedWidth, 0, client.width() - fixedWidth, client.height()));
    paintRows(1, CellPainter::Columns - 1);
    p.restore();
    paintRows(0, 0);

    // What lies beyond the last column or below the last row.
    const int right = std::max(fixedWidth, TotalWidth() - horizontalScrollBar()->value());
    const int bottom = cellRect(kLastRow, 0).bottom() + 1;
    const QColor empty = palette().color(QPalette::Base);
    if (right < client.width())
        p.fillRect(QRect(right, 0, client.width() - right, client.height()).intersected(area), empty);
    if (bottom < client.height())
        p.fillRect(QRect(0, bottom, std::min(right, client.width()), client.height() - bottom).intersected(area), empty);
}

void ChannelGrid::paintEvent(QPaintEvent *event)
{
    QPainter p(viewport());
    PaintCells(p, event->rect());
}

void ChannelGrid::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    SizeGrid();
}

void ChannelGrid::scrollContentsBy(int, int)
{
    viewport()->update();
}

void ChannelGrid::setCurrentRow(int row)
{
    row = std::clamp(row, 1, kLastRow);
    selectRows(row, row);
}

void ChannelGrid::selectRows(int anchor, int current)
{
    anchor = std::clamp(anchor, 1, kLastRow);
    current = std::clamp(current, 1, kLastRow);
    m_selected.reset();
    for (int r = std::min(anchor, current); r <= std::max(anchor, current); ++r)
        m_selected.set(std::size_t(r));
    m_anchorRow = anchor;
    m_currentRow = current;
    ScrollToRow(current);
    viewport()->update();
    emit selectionChanged();
}

void ChannelGrid::MoveTo(int row, bool extend)
{
    selectRows(extend ? m_anchorRow : row, row);
}

void ChannelGrid::ScrollToRow(int row)
{
    QScrollBar *v = verticalScrollBar();
    const int first = firstVisibleRow();
    if (row < first)
        v->setValue(row - 1);
    else if (row >= first + visibleRows())
        v->setValue(row - visibleRows());
}

QList<int> ChannelGrid::selectedRows() const
{
    QList<int> rows;
    for (int r = 1; r <= kLastRow; ++r) {
        if (m_selected.test(std::size_t(r)))
            rows << r;
    }
    return rows;
}

bool ChannelGrid::isRowSelected(int row) const
{
    return row >= 1 && row <= kLastRow && m_selected.test(std::size_t(row));
}

void ChannelGrid::keyPressEvent(QKeyEvent *event)
{
    const int page = visibleRows();
    const bool extend = event->modifiers() & Qt::ShiftModifier;
    if (event->matches(QKeySequence::SelectAll)) {
        selectRows(1, kLastRow);
        event->accept();
        return;
    }
    switch (event->key()) {
    case Qt::Key_Up: MoveTo(std::max(1, m_currentRow - 1), extend); break;
    case Qt::Key_Down: MoveTo(std::min(kLastRow, m_currentRow + 1), extend); break;
    case Qt::Key_PageUp: MoveTo(std::max(1, m_currentRow - page), extend); break;
    case Qt::Key_PageDown: MoveTo(std::min(kLastRow, m_currentRow + page), extend); break;
    case Qt::Key_Home: MoveTo(1, extend); break;
    case Qt::Key_End: MoveTo(kLastRow, extend); break;
    case Qt::Key_Left:
        horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
        break;
    case Qt::Key_Right:
        horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit editRequested();
        break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    event->accept();
}

void ChannelGrid::mousePressEvent(QMouseEvent *event)
{
    const int row = rowAt(event->position().toPoint().y());
    if (row >= 1 && event->button() == Qt::LeftButton) {
        if (event->modifiers() & Qt::ShiftModifier) {
            MoveTo(row, true);
        } else if (event->modifiers() & Qt::ControlModifier) {
            // Adds the row or takes it away; the last selected row stays.
            if (!m_selected.test(std::size_t(row)) || m_selected.count() > 1) {
                m_selected.flip(std::size_t(row));
                if (m_selected.test(std::size_t(row)))
                    m_currentRow = row;
                else if (row == m_currentRow)
                    m_currentRow = selectedRows().first();
                m_anchorRow = row;
                viewport()->update();
                emit selectionChanged();
            }
        } else {
            MoveTo(row, false);
        }
    } else if (row >= 1 && event->button() == Qt::RightButton && !m_selected.test(std::size_t(row))) {
        // The context menu acts on the row under the pointer.
        MoveTo(row, false);
    }
    QAbstractScrollArea::mousePressEvent(event);
}

void ChannelGrid::mouseMoveEvent(QMouseEvent *event)
{
    // Dragging with the left button selects from the anchor to the pointer.
    const int row = rowAt(event->position().toPoint().y());
    if ((event->buttons() & Qt::LeftButton) && row >= 1 && row != m_currentRow
        && !(event->modifiers() & Qt::ControlModifier))
        MoveTo(row, true);
    QAbstractScrollArea::mouseMoveEvent(event);
}

void ChannelGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    const int row = rowAt(event->position().toPoint().y());
    if (event->button() == Qt::LeftButton && row >= 1 && !(event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier))) {
        setCurrentRow(row);
        emit editRequested();
        return;
    }
    QAbstractScrollArea::mouseDoubleClickEvent(event);
}

void ChannelGrid::focusInEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
    gridaccessible::FocusIn(this);
}

void ChannelGrid::focusOutEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}
