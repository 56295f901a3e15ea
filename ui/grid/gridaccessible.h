// The channel grid as a table for screen readers.
#pragma once

#include <QString>

class Channel;
class CellPainter;
class ChannelGrid;
class QAccessibleInterface;
class QObject;

// The channel grid as screen readers see it: a table of the 100 channels
// (rows 0..99) and the 12 columns, with the header row as column headers.
// Each cell's text is what the cell shows, in words: both sides of a receive /
// transmit pair, "да" or "нет" for a mark, nothing but the number for an
// unused channel. Texts are decided when asked for, so they always follow the
// table; the grid tells when its current row, its selection or the table
// changed, so that a reader can announce it.
namespace gridaccessible {

// The accessible interface of a ChannelGrid; null for any other class.
QAccessibleInterface *Create(const QString &className, QObject *object);

// What the cell of grid row `row` (0 the header, r channel r - 1) and
// `column` says; `channel` is the one the row shows (channel 0 for the header).
QString SpokenText(CellPainter &painter, const Channel &channel, int row, int column);

// Notifications from the grid; nothing happens while no reader listens.
void SelectionChanged(ChannelGrid *grid);
void TableChanged(ChannelGrid *grid);
void FocusIn(ChannelGrid *grid);

} // namespace gridaccessible
