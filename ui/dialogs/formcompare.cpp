// The comparison window: the radio's tables beside the program's, before a write.

#include "ui/dialogs/formcompare.h"

#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QTableWidget *MakeTable(const char *name, QWidget *parent)
{
    auto *table = new QTableWidget(parent);
    table->setObjectName(QLatin1String(name));
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    // Focusable, so that the arrow keys (and a screen reader) go through the rows.
    table->setFocusPolicy(Qt::StrongFocus);
    // Tab leaves the table for the buttons; the arrows go through the cells.
    table->setTabKeyNavigation(false);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    return table;
}

QTableWidgetItem *Cell(const QString &text, bool changed, Qt::Alignment alignment = Qt::AlignCenter)
{
    auto *item = new QTableWidgetItem(text);
    item->setTextAlignment(alignment);
    if (changed) {
        item->setBackground(TFormCompare::ChangedColour());
        QFont font = item->font();
        font.setBold(true);
        item->setFont(font);
    }
    return item;
}

} // namespace

TFormCompare::TFormCompare(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormCompare"));
    setWindowTitle(tr("Сравнение с радиостанцией"));

    LabelSummary = new QLabel(this);
    LabelSummary->setObjectName(QStringLiteral("LabelSummary"));
    QFont bold = LabelSummary->font();
    bold.setBold(true);
    LabelSummary->setFont(bold);
    m_channelsTitle = new QLabel(tr("Каналы"), this);
    m_settingsTitle = new QLabel(tr("Настройки"), this);
    GridChannels = MakeTable("GridChannels", this);
    GridSettings = MakeTable("GridSettings", this);
    for (auto [title, table] : {std::pair{m_channelsTitle, GridChannels}, std::pair{m_settingsTitle, GridSettings}}) {
        title->setBuddy(table);
        table->setAccessibleName(title->text());
    }

    auto *buttons = new QDialogButtonBox(this);
    ButtonWrite = buttons->addButton(tr("Записать"), QDialogButtonBox::AcceptRole);
    ButtonWrite->setObjectName(QStringLiteral("ButtonWrite"));
    ButtonCancel = buttons->addButton(tr("Отменить"), QDialogButtonBox::RejectRole);
    ButtonCancel->setObjectName(QStringLiteral("ButtonCancel"));
    ButtonClose = buttons->addButton(tr("Закрыть"), QDialogButtonBox::RejectRole);
    ButtonClose->setObjectName(QStringLiteral("ButtonClose"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(LabelSummary);
    layout->addWidget(m_channelsTitle);
    layout->addWidget(GridChannels, 3);
    layout->addWidget(m_settingsTitle);
    layout->addWidget(GridSettings, 2);
    layout->addWidget(buttons);

    QSize size(1000, 640);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size() * 9 / 10);
    resize(size);
}

QColor TFormCompare::ChangedColour()
{
    return QColor(255, 214, 120);
}

void TFormCompare::Show(const comparison::Comparison &comparison, Mode mode)
{
    m_comparison = comparison;
    LabelSummary->setText(comparison.Summary());
    const bool beforeWrite = mode == Mode::BeforeWrite;
    ButtonWrite->setVisible(beforeWrite);
    ButtonCancel->setVisible(beforeWrite);
    ButtonClose->setVisible(!beforeWrite);
    (beforeWrite ? ButtonWrite : ButtonClose)->setDefault(true);
    FillChannels();
    FillSettings();
    // The keyboard starts on the first differences, or on the answer when there are none.
    QWidget *first = GridChannels->isVisibleTo(this)   ? static_cast<QWidget *>(GridChannels)
                     : GridSettings->isVisibleTo(this) ? static_cast<QWidget *>(GridSettings)
                     : beforeWrite                     ? static_cast<QWidget *>(ButtonWrite)
                                                       : static_cast<QWidget *>(ButtonClose);
    first->setFocus(Qt::OtherFocusReason);
}

void TFormCompare::FillChannels()
{
    const QList<comparison::ChannelRow> &rows = m_comparison.channels;
    const QList<int> columns = m_comparison.VisibleColumns();
    GridChannels->clear();
    GridChannels->setRowCount(int(rows.size()) * 2);
    GridChannels->setColumnCount(2 + int(columns.size()));
    QStringList headers{tr("Канал"), QString()};
    for (int c : columns)
        headers << comparison::ColumnCaption(c);
    GridChannels->setHorizontalHeaderLabels(headers);

    const QString radio = tr("В радиостанции");
    const QString program = tr("В программе");
    for (int i = 0; i < rows.size(); ++i) {
        const comparison::ChannelRow &row = rows[i];
        const int top = 2 * i;
        GridChannels->setItem(top, 0,
                              Cell(QStringLiteral("%1").arg(row.channel, 2, 10, QLatin1Char('0')), false));
        GridChannels->setSpan(top, 0, 2, 1);
        GridChannels->setItem(top, 1, Cell(radio, false, Qt::AlignLeft | Qt::AlignVCenter));
        GridChannels->setItem(top + 1, 1, Cell(program, false, Qt::AlignLeft | Qt::AlignVCenter));
        for (int k = 0; k < columns.size(); ++k) {
            const int c = columns[k];
            GridChannels->setItem(top, 2 + k, Cell(row.radio[c], row.changed[c]));
            GridChannels->setItem(top + 1, 2 + k, Cell(row.program[c], row.changed[c]));
        }
    }
    GridChannels->resizeColumnsToContents();
    GridChannels->setVisible(!rows.isEmpty());
    m_channelsTitle->setText(rows.isEmpty() ? tr("Каналы: отличий нет") : tr("Каналы"));
}

void TFormCompare::FillSettings()
{
    const QList<comparison::SettingRow> &rows = m_comparison.settings;
    GridSettings->clear();
    GridSettings->setRowCount(int(rows.size()));
    GridSettings->setColumnCount(3);
    GridSettings->setHorizontalHeaderLabels({tr("Параметр"), tr("В радиостанции"), tr("В программе")});
    for (int i = 0; i < rows.size(); ++i) {
        const comparison::SettingRow &row = rows[i];
        QTableWidgetItem *caption = Cell(row.caption, false, Qt::AlignLeft | Qt::AlignVCenter);
        caption->setToolTip(row.field);
        GridSettings->setItem(i, 0, caption);
        GridSettings->setItem(i, 1, Cell(row.radio, true));
        GridSettings->setItem(i, 2, Cell(row.program, true));
    }
    GridSettings->resizeColumnsToContents();
    // The two sides as wide as each other, so that they read as a pair.
    const int side = std::max({GridSettings->columnWidth(1), GridSettings->columnWidth(2), 160});
    GridSettings->setColumnWidth(1, side);
    GridSettings->setColumnWidth(2, side);
    GridSettings->setVisible(!rows.isEmpty());
    m_settingsTitle->setText(rows.isEmpty() ? tr("Настройки: отличий нет") : tr("Настройки"));
}
