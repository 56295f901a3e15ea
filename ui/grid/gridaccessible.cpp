// The channel grid as a table for screen readers.

#include "ui/grid/gridaccessible.h"

#include "model/channelscontext.h"
#include "ui/grid/cellpainter.h"
#include "ui/grid/channelgrid.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QHash>
#include <QPointer>

#include <bitset>

namespace gridaccessible {
namespace {

constexpr int kRows = ChannelsContext::Count;
constexpr int kColumns = CellPainter::Columns;

struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(ChannelGridAccessible)
};

QString JoinLines(std::initializer_list<QString> lines)
{
    // Tones are padded to five places (" 67,0") to line up; words need no padding.
    QStringList nonEmpty;
    for (const QString &l : lines) {
        if (!l.trimmed().isEmpty())
            nonEmpty << l.trimmed();
    }
    return nonEmpty.join(QLatin1Char(' '));
}

class GridTable;

// One cell of the grid; `row` -1 is the header row. Cells belong to their
// table, which registers them and deletes them with itself.
class GridCell : public QAccessibleInterface, public QAccessibleTableCellInterface, public QAccessibleActionInterface
{
public:
    GridCell(GridTable *table, int row, int column) : m_table(table), m_row(row), m_column(column) {}

    bool isValid() const override;
    QObject *object() const override { return nullptr; }
    QWindow *window() const override;
    QAccessibleInterface *parent() const override;
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return m_row < 0 ? QAccessible::ColumnHeader : QAccessible::Cell; }
    QAccessible::State state() const override;
    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TableCellInterface && m_row >= 0)
            return static_cast<QAccessibleTableCellInterface *>(this);
        if (type == QAccessible::ActionInterface && m_row >= 0)
            return static_cast<QAccessibleActionInterface *>(this);
        return nullptr;
    }

    // A channel's cell selects its row, or opens the row in the editor as a
    // double click does.
    QStringList actionNames() const override { return {setFocusAction(), pressAction()}; }
    void doAction(const QString &name) override;
    QStringList keyBindingsForAction(const QString &name) const override
    {
        return name == pressAction() ? QStringList{QStringLiteral("Return")} : QStringList();
    }

    bool isSelected() const override;
    QList<QAccessibleInterface *> columnHeaderCells() const override;
    QList<QAccessibleInterface *> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return m_column; }
    int rowIndex() const override { return m_row; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface *table() const override;

    // The text last given to a reader, to tell whether it changed.
    mutable QString spoken;
    mutable bool asked = false;

private:
    ChannelGrid *grid() const;

    GridTable *m_table;
    int m_row;
    int m_column;
};

class GridTable : public QAccessibleWidget, public QAccessibleTableInterface
{
public:
    explicit GridTable(ChannelGrid *grid) : QAccessibleWidget(grid, QAccessible::Table), m_grid(grid)
    {
        TakeSelection();
    }
    ~GridTable() override
    {
        for (QAccessible::Id id : std::as_const(m_cells))
            QAccessible::deleteAccessibleInterface(id);
    }

    ChannelGrid *grid() const { return m_grid; }

    // Child indexes: the header cells first, then the cells row by row.
    static int IndexOf(int row, int column) { return (row + 1) * kColumns + column; }

    GridCell *Cell(int row, int column) const
    {
        if (row < -1 || row >= kRows || column < 0 || column >= kColumns)
            return nullptr;
        const int index = IndexOf(row, column);
        if (const auto it = m_cells.constFind(index); it != m_cells.constEnd())
            return static_cast<GridCell *>(QAccessible::accessibleInterface(*it));
        auto *cell = new GridCell(const_cast<GridTable *>(this), row, column);
        m_cells.insert(index, QAccessible::registerAccessibleInterface(cell));
        return cell;
    }

    QString CellText(int row, int column) const
    {
        const ChannelsContext &channels = m_grid->channels();
        const Channel &channel = channels.channels[std::size_t(std::max(row, 0))];
        return SpokenText(m_grid->painter(), channel, row + 1, column);
    }

    // QAccessibleInterface
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return Tr::tr("Каналы");
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.multiSelectable = true;
        s.extSelectable = true;
        return s;
    }
    int childCount() const override { return (kRows + 1) * kColumns; }
    QAccessibleInterface *child(int index) const override
    {
        return index >= 0 && index < childCount() ? Cell(index / kColumns - 1, index % kColumns) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        const auto *cell = dynamic_cast<const GridCell *>(child);
        return cell && cell->parent() == this ? IndexOf(cell->rowIndex(), cell->columnIndex()) : -1;
    }
    QAccessibleInterface *childAt(int x, int y) const override
    {
        const QPoint p = m_grid->viewport()->mapFromGlobal(QPoint(x, y));
        const int row = m_grid->rowAt(p.y());
        const int column = m_grid->columnAt(p.x());
        if (row < 0 || column < 0)
            return nullptr;
        return Cell(row - 1, column);
    }
    QAccessibleInterface *focusChild() const override
    {
        return m_grid->hasFocus() ? Cell(m_grid->currentRow() - 1, 0) : nullptr;
    }
    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    // QAccessibleTableInterface
    QAccessibleInterface *caption() const override { return nullptr; }
    QAccessibleInterface *summary() const override { return nullptr; }
    QAccessibleInterface *cellAt(int row, int column) const override
    {
        return row >= 0 ? Cell(row, column) : nullptr;
    }
    int selectedCellCount() const override { return selectedRowCount() * kColumns; }
    QList<QAccessibleInterface *> selectedCells() const override
    {
        QList<QAccessibleInterface *> cells;
        for (int row : selectedRows()) {
            for (int c = 0; c < kColumns; ++c)
                cells << Cell(row, c);
        }
        return cells;
    }
    QString columnDescription(int column) const override
    {
        return column >= 0 && column < kColumns ? CellText(-1, column) : QString();
    }
    QString rowDescription(int) const override { return QString(); }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return int(m_grid->selectedRows().size()); }
    int columnCount() const override { return kColumns; }
    int rowCount() const override { return kRows; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override
    {
        QList<int> rows;
        for (int r : m_grid->selectedRows())
            rows << r - 1;
        return rows;
    }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int row) const override { return m_grid->isRowSelected(row + 1); }
    // Rows are chosen as a click chooses them: the row alone. A row cannot be
    // taken away (one is always selected), nor a column chosen.
    bool selectRow(int row) override
    {
        if (row < 0 || row >= kRows)
            return false;
        m_grid->setCurrentRow(row + 1);
        return true;
    }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    // The table keeps its shape; the cells decide their texts when asked.
    void modelChange(QAccessibleTableModelChangeEvent *) override {}

    // Tells what changed since the last call: the first row newly selected,
    // the first one no longer selected, and the current row when it moved.
    void AnnounceSelection()
    {
        const std::bitset<kRows> before = m_selected;
        const int currentBefore = m_current;
        TakeSelection();
        auto announce = [this](QAccessible::Event type, int row) {
            QAccessibleEvent event(m_grid, type);
            event.setChild(IndexOf(row, 0));
            QAccessible::updateAccessibility(&event);
        };
        for (int r = 0; r < kRows; ++r) {
            if (m_selected.test(std::size_t(r)) && !before.test(std::size_t(r))) {
                announce(QAccessible::SelectionAdd, r);
                break;
            }
        }
        for (int r = 0; r < kRows; ++r) {
            if (!m_selected.test(std::size_t(r)) && before.test(std::size_t(r))) {
                announce(QAccessible::SelectionRemove, r);
                break;
            }
        }
        if (m_current != currentBefore && m_grid->hasFocus())
            announce(QAccessible::Focus, m_current);
    }

    void AnnounceFocus()
    {
        TakeSelection();
        QAccessibleEvent event(m_grid, QAccessible::Focus);
        event.setChild(IndexOf(m_current, 0));
        QAccessible::updateAccessibility(&event);
    }

    // The table changed: every cell a reader has read and that now says
    // something else is announced.
    void AnnounceTable()
    {
        QAccessibleTableModelChangeEvent change(m_grid, QAccessibleTableModelChangeEvent::DataChanged);
        change.setFirstRow(0);
        change.setLastRow(kRows - 1);
        change.setFirstColumn(0);
        change.setLastColumn(kColumns - 1);
        QAccessible::updateAccessibility(&change);
        for (QAccessible::Id id : std::as_const(m_cells)) {
            auto *cell = static_cast<GridCell *>(QAccessible::accessibleInterface(id));
            if (!cell || !cell->asked)
                continue;
            const QString now = CellText(cell->rowIndex(), cell->columnIndex());
            if (now == cell->spoken)
                continue;
            cell->spoken = now;
            QAccessibleEvent event(cell, QAccessible::NameChanged);
            QAccessible::updateAccessibility(&event);
        }
    }

private:
    void TakeSelection()
    {
        m_selected.reset();
        for (int r : m_grid->selectedRows())
            m_selected.set(std::size_t(r - 1));
        m_current = m_grid->currentRow() - 1;
    }

    QPointer<ChannelGrid> m_grid;
    mutable QHash<int, QAccessible::Id> m_cells;
    std::bitset<kRows> m_selected;
    int m_current = 0;
};

bool GridCell::isValid() const
{
    return m_table->isValid();
}

QWindow *GridCell::window() const
{
    return m_table->window();
}

QAccessibleInterface *GridCell::parent() const
{
    return m_table;
}

QAccessibleInterface *GridCell::table() const
{
    return m_table;
}

ChannelGrid *GridCell::grid() const
{
    return m_table->grid();
}

QString GridCell::text(QAccessible::Text t) const
{
    if (t != QAccessible::Name || !grid())
        return QString();
    spoken = m_table->CellText(m_row, m_column);
    asked = true;
    return spoken;
}

void GridCell::doAction(const QString &name)
{
    ChannelGrid *g = grid();
    if (!g || (name != setFocusAction() && name != pressAction()))
        return;
    g->setCurrentRow(m_row + 1);
    if (name == pressAction())
        emit g->editRequested();
}

QRect GridCell::rect() const
{
    if (!grid())
        return QRect();
    const QRect r = grid()->cellRect(m_row + 1, m_column);
    return QRect(grid()->viewport()->mapToGlobal(r.topLeft()), r.size());
}

bool GridCell::isSelected() const
{
    return m_row >= 0 && grid() && grid()->isRowSelected(m_row + 1);
}

QAccessible::State GridCell::state() const
{
    QAccessible::State s;
    ChannelGrid *g = grid();
    if (!g)
        return s;
    const QRect r = g->cellRect(m_row + 1, m_column);
    // Columns 1..11 scroll under the number column; rows under the header.
    const int fixedWidth = g->cellRect(0, 0).width();
    const int top = m_row < 0 ? 0 : g->cellRect(0, 0).height();
    const QRect shown = g->viewport()->rect().adjusted(m_column == 0 ? 0 : fixedWidth, top, 0, 0);
    s.offscreen = !g->isVisible() || !shown.intersects(r);
    s.invisible = !g->isVisible();
    if (m_row >= 0) {
        s.selectable = true;
        s.focusable = true;
        s.selected = isSelected();
        s.focused = g->hasFocus() && m_column == 0 && g->currentRow() == m_row + 1;
    }
    return s;
}

QList<QAccessibleInterface *> GridCell::columnHeaderCells() const
{
    return {m_table->Cell(-1, m_column)};
}

GridTable *TableOf(ChannelGrid *grid)
{
    if (!grid || !QAccessible::isActive())
        return nullptr;
    return dynamic_cast<GridTable *>(QAccessible::queryAccessibleInterface(grid));
}

} // namespace

QAccessibleInterface *Create(const QString &className, QObject *object)
{
    if (className == QLatin1String("ChannelGrid")) {
        if (auto *grid = qobject_cast<ChannelGrid *>(object))
            return new GridTable(grid);
    }
    return nullptr;
}

QString SpokenText(CellPainter &painter, const Channel &channel, int row, int column)
{
    painter.BindChannel(&channel);
    if (!painter.DecideCell(row, column))
        return QString();
    // An unused channel's row shows its number only.
    if (row != 0 && column != 0 && !channel.IsUsed())
        return QString();
    auto line = [&painter](int i) { return painter.line(i).text; };
    switch (painter.layout()) {
    case CellPainter::LayoutCheck:
        return painter.checkValue() ? Tr::tr("да") : Tr::tr("нет");
    case CellPainter::LayoutPairs: {
        // The receive and transmit pictures stand for "Rx:" and "Tx:".
        const QString rx = JoinLines({painter.showRxIcon() ? QString() : line(0), line(1)});
        const QString tx = JoinLines({painter.showTxIcon() ? QString() : line(2), line(3)});
        QStringList sides;
        if (!rx.isEmpty())
            sides << Tr::tr("прием %1").arg(rx);
        if (!tx.isEmpty())
            sides << Tr::tr("передача %1").arg(tx);
        return sides.join(QStringLiteral("; "));
    }
    default:
        return JoinLines({line(0), line(1), line(2), line(3)});
    }
}

void SelectionChanged(ChannelGrid *grid)
{
    if (GridTable *table = TableOf(grid))
        table->AnnounceSelection();
}

void TableChanged(ChannelGrid *grid)
{
    if (GridTable *table = TableOf(grid))
        table->AnnounceTable();
}

void FocusIn(ChannelGrid *grid)
{
    if (GridTable *table = TableOf(grid))
        table->AnnounceFocus();
}

} // namespace gridaccessible
