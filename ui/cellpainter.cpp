#include "ui/cellpainter.h"

#include "model/channelscontext.h"

// Placeholder until the grid is painted; see the grid's issue.
CellPainter::CellPainter() = default;

bool CellPainter::BindChannel(const Channel *channel)
{
    return channel != nullptr;
}

void CellPainter::BeginCell(QPainter *, const QRect &, int) {}

void CellPainter::PaintCell(int, int) {}

QSize CellPainter::MeasureCell(int, int)
{
    return QSize();
}

bool DrawCell(const ChannelsContext &, CellPainter &, QPainter *, const QRect &, int, int, int)
{
    return true;
}
