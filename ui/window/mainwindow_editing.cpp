// The main window's editing: unsaved changes, undo and redo, and the channel
// rows on the clipboard.

#include "ui/window/mainwindow.h"

#include "model/channelcsv.h"
#include "model/channeltext.h"
#include "model/configdocument.h"
#include "ui/app/dialogseam.h"
#include "ui/editor/formchannel.h"
#include "ui/grid/channelgrid.h"
#include "ui/grid/pictures.h"
#include "ui/settings/settingspages.h"
#include "ui/window/edithistory.h"
#include "ui/window/statuspanels.h"

#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenuBar>
#include <QToolBar>

void TForm1::CreateEditActions()
{
    m_edits = new EditHistory(m_channels, m_settings, this);
    connect(m_edits, &EditHistory::tablesRestored, this, &TForm1::TablesRestored);
    connect(m_edits, &EditHistory::modifiedChanged, this, &TForm1::ShowEditState);
    connect(m_edits, &EditHistory::stepsChanged, this, &TForm1::ShowEditState);
    connect(m_settingsPages, &SettingsPages::settingsEdited, this,
            [this](const QString &control) { m_edits->Record(tr("изменение настроек"), control); });

    auto make = [this](QAction *&action, const char *name, const QString &caption,
                       const QList<QKeySequence> &shortcuts, void (TForm1::*slot)(), const char *icon) {
        action = new QAction(caption, this);
        action->setObjectName(QLatin1String(name));
        action->setToolTip(caption);
        action->setShortcuts(shortcuts);
        action->setIcon(SvgIcon(QStringLiteral(":/icons/edit/%1.svg").arg(QLatin1String(icon)), 20));
        connect(action, &QAction::triggered, this, slot);
    };
    make(ActionUndo, "ActionUndo", tr("Отменить"), {QKeySequence(Qt::CTRL | Qt::Key_Z)}, &TForm1::UndoExecute,
         "undo");
    make(ActionRedo, "ActionRedo", tr("Повторить"),
         {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
         &TForm1::RedoExecute, "redo");
    // Ctrl+C belongs to "Выбрать COM порт": the rows use the other common keys.
    make(ActionCutChannels, "ActionCutChannels", tr("Вырезать каналы"),
         {QKeySequence(Qt::SHIFT | Qt::Key_Delete), QKeySequence(Qt::CTRL | Qt::Key_X)},
         &TForm1::CutChannelsExecute, "cut");
    make(ActionCopyChannels, "ActionCopyChannels", tr("Копировать каналы"), {QKeySequence(Qt::CTRL | Qt::Key_Insert)},
         &TForm1::CopyChannelsExecute, "copy");
    make(ActionPasteChannels, "ActionPasteChannels", tr("Вставить каналы"),
         {QKeySequence(Qt::SHIFT | Qt::Key_Insert), QKeySequence(Qt::CTRL | Qt::Key_V)},
         &TForm1::PasteChannelsExecute, "paste");
    make(ActionDeleteChannels, "ActionDeleteChannels", tr("Удалить каналы"), {QKeySequence(Qt::Key_Delete)},
         &TForm1::DeleteChannelsExecute, "delete");
    addAction(ActionUndo);
    addAction(ActionRedo);

    // The row keys work in the grid only: elsewhere Delete and Shift+Insert
    // belong to the entry fields.
    const QList<QAction *> rows{ActionCutChannels, ActionCopyChannels, ActionPasteChannels, ActionDeleteChannels};
    for (QAction *a : rows)
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    m_grid->addActions(rows);
    m_grid->setContextMenuPolicy(Qt::ActionsContextMenu);

    // "Правка" right of "Файл".
    QMenuBar *bar = menuBar();
    auto *edit = m_editMenu = new QMenu(tr("Правка"), bar);
    edit->addAction(ActionUndo);
    edit->addAction(ActionRedo);
    edit->addSeparator();
    edit->addActions(rows);
    const QList<QAction *> menus = bar->actions();
    bar->insertMenu(menus.size() > 1 ? menus.at(1) : nullptr, edit);

    // Undo and redo on the tool bar between the files and the radio.
    if (auto *tools = qobject_cast<QToolBar *>(bar->cornerWidget(Qt::TopRightCorner))) {
        const QList<QAction *> buttons = tools->actions();
        const qsizetype info = buttons.indexOf(ActionGetInfo);
        QAction *before = info > 0 ? buttons.at(info - 1) : ActionGetInfo;
        tools->insertAction(before, ActionUndo);
        tools->insertAction(before, ActionRedo);
        tools->insertSeparator(ActionUndo);
    }
    ShowEditState();
}

void TForm1::ShowEditState()
{
    setWindowTitle(MarkedCaption(windowTitle(), m_edits->IsModified()));
    ActionUndo->setEnabled(m_edits->CanUndo());
    ActionRedo->setEnabled(m_edits->CanRedo());
    ActionUndo->setToolTip(m_edits->CanUndo() ? tr("Отменить: %1").arg(m_edits->UndoText()) : tr("Отменить"));
    ActionRedo->setToolTip(m_edits->CanRedo() ? tr("Повторить: %1").arg(m_edits->RedoText()) : tr("Повторить"));
}

void TForm1::TablesRestored()
{
    ShowSettings();
    ShowCurrentRange();
    RepaintGrid();
    // Showing the settings may put a value into its control's range.
    m_edits->Adopt();
}

bool TForm1::SaveChangesFirst()
{
    return GoOnWithUnsaved(
        m_edits->IsModified(),
        [this] {
            return DialogSeam::Current().AskSave(this, tr("Каналы и настройки были изменены. Сохранить изменения?"));
        },
        [this] {
            FileSaveAs1Execute();
            return !m_edits->IsModified();
        });
}

void TForm1::closeEvent(QCloseEvent *event)
{
    if (m_dialogOpen || !SaveChangesFirst()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

void TForm1::UndoExecute()
{
    m_edits->Undo();
}

void TForm1::RedoExecute()
{
    m_edits->Redo();
}

QList<int> TForm1::SelectedChannels() const
{
    QList<int> channels;
    for (int row : m_grid->selectedRows())
        channels << row - 1;
    return channels;
}

void TForm1::EraseChannels(const QList<int> &channels)
{
    for (int n : channels)
        m_channels.channels[std::size_t(n)].Reset();
    RepaintGrid();
}

void TForm1::CopyChannelsExecute()
{
    QGuiApplication::clipboard()->setText(ChannelText::Format(m_channels.channels, SelectedChannels()));
}

void TForm1::CutChannelsExecute()
{
    CopyChannelsExecute();
    EraseChannels(SelectedChannels());
    m_edits->Record(tr("вырезание каналов"));
}

void TForm1::DeleteChannelsExecute()
{
    EraseChannels(SelectedChannels());
    m_edits->Record(tr("удаление каналов"));
}

void TForm1::PasteChannelsExecute()
{
    const ChannelText::Parsed parsed = ChannelText::Parse(QGuiApplication::clipboard()->text());
    if (!parsed.ok()) {
        DialogSeam::Current().Message(this, DialogSeam::Icon::Error,
                                      tr("Текст в буфере обмена не является таблицей каналов (строка %1, столбец %2).")
                                          .arg(parsed.errorLine)
                                          .arg(parsed.errorColumn));
        return;
    }
    if (parsed.channels.isEmpty()) {
        DialogSeam::Current().Message(this, DialogSeam::Icon::Warning, tr("В буфере обмена нет каналов."));
        return;
    }
    const int first = SelectedChannels().first();
    const ChannelText::PasteResult result = ChannelText::Paste(m_channels, first, parsed.channels);
    m_grid->selectRows(first + 1, first + result.pasted);
    RepaintGrid();
    m_edits->Record(tr("вставка каналов"));
    if (result.removed > 0)
        DialogSeam::Current().Message(
            this, DialogSeam::Icon::Warning,
            tr("При вставке были удалены каналы, не соответствующие диапазону частот."));
    if (result.dropped > 0)
        DialogSeam::Current().Message(this, DialogSeam::Icon::Warning,
                                      tr("Каналы, не поместившиеся после канала 99, не вставлены."));
}
