// The main window: its actions, menus, pages and panels, start-up, the refresh
// of its pages from the model, and the small dialogs it opens.

#include "ui/window/mainwindow.h"

#include "job/jobrunner.h"
#include "job/programmerid.h"
#include "link/portdirectory.h"
#include "ui/app/dialogseam.h"
#include "ui/dialogs/about.h"
#include "ui/dialogs/form_freqrange.h"
#include "ui/dialogs/formcom.h"
#include "ui/dialogs/formprogress.h"
#include "ui/dialogs/formreport.h"
#include "ui/editor/formchannel.h"
#include "ui/grid/channelgrid.h"
#include "ui/grid/pictures.h"
#include "ui/settings/settingspages.h"
#include "ui/window/edithistory.h"
#include "ui/window/statuspanels.h"

#include <QAction>
#include <QApplication>
#include <QFontDatabase>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QShowEvent>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QWheelEvent>

#include <algorithm>

namespace {

QFont InfoFont()
{
    QFont font;
    if (QFontDatabase::hasFamily(QStringLiteral("Lucida Console")))
        font = QFont(QStringLiteral("Lucida Console"));
    else
        font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    return font;
}

// Resets a flag however the scope is left.
class FlagScope
{
public:
    explicit FlagScope(bool &flag) : m_flag(flag) { m_flag = true; }
    ~FlagScope() { m_flag = false; }
    FlagScope(const FlagScope &) = delete;
    FlagScope &operator=(const FlagScope &) = delete;

private:
    bool &m_flag;
};

} // namespace

ExchangeLook ExchangeLookFor(ProgrammingJob::Operation operation)
{
    switch (operation) {
    case ProgrammingJob::OpRead: return {TForm1::tr("Чтение ..."), QColor(0, 128, 0), 35};
    case ProgrammingJob::OpWrite: return {TForm1::tr("Запись ..."), QColor(255, 0, 0), 70};
    case ProgrammingJob::OpInfo: return {TForm1::tr("Информация ..."), QColor(0, 128, 0), 35};
    }
    return {};
}

bool WriteAllowed(const TInfoContext &info)
{
    return info.programmerVersion == ProgrammerId();
}

ValuesNotice NoticeForValues(const QList<ValueFinding> &findings)
{
    // A message box stays readable with this many lines; the rest is counted.
    constexpr int MaxLines = 20;
    ValuesNotice notice;
    if (findings.isEmpty())
        return notice;
    notice.refused = HasRefused(findings);
    QStringList lines;
    lines << (notice.refused
                  ? TForm1::tr("Запись этого файла в радиостанцию будет отклонена: радиостанция не примет эти значения без изменения.")
                  : TForm1::tr("При записи в радиостанцию эти значения будут изменены:"));
    for (const ValueFinding &f : findings.mid(0, MaxLines))
        lines << FindingLine(f);
    if (findings.size() > MaxLines)
        lines << TForm1::tr("... и ещё %1").arg(findings.size() - MaxLines);
    notice.text = lines.join(QLatin1Char('\n'));
    return notice;
}

bool RadioRangeDiffers(const TInfoContext &info, const FreqRangeList &ranges)
{
    return info.range.IsValid() && !info.range.Equals(ranges.Current());
}

TForm1::TForm1(const QString &rangeListPath, QWidget *parent)
    : QMainWindow(parent), m_channels(rangeListPath)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(tr("Программатор мобильных радиостанций"));
    setMinimumSize(960, 600);
    resize(960, 600);

    CreateActions();
    CreateCsvPrintActions();
    CreatePages();
    CreateMenusAndToolBar();
    CreateEditActions();
    CreateLanguageMenu();
    setAcceptDrops(true);

    // Port, range, spare; the port panel widens when "COM255" would not fit.
    const int portWidth = std::max(50, fontMetrics().horizontalAdvance(QStringLiteral("COM255")) + 10);
    m_status = new StatusPanels({portWidth, 600, 50}, this);
    m_status->setObjectName(QStringLiteral("StatusBar"));
    // Nothing else tells that a press on these panels changes them.
    m_status->SetToolTip(PanelPort, tr("Выбрать COM порт"));
    m_status->SetToolTip(PanelRange, tr("Выбрать диапазон частот"));
    statusBar()->setSizeGripEnabled(false);
    statusBar()->setContentsMargins(0, 0, 0, 0);
    statusBar()->addWidget(m_status, 1);
    connect(m_status, &StatusPanels::panelPressed, this, &TForm1::StatusPanelPressed);

    // The settings pages take the mouse wheel anywhere over the window first.
    qApp->installEventFilter(this);
}

TForm1::~TForm1()
{
    qApp->removeEventFilter(this);
}

void TForm1::SetDialogs(const ProgramDialogs &dialogs)
{
    m_dialogs = dialogs;
}

void TForm1::CreateActions()
{
    auto make = [this](QAction *&action, const char *name, const QString &caption, const QKeySequence &shortcut,
                       void (TForm1::*slot)(), const QString &icon = QString()) {
        action = new QAction(caption, this);
        action->setObjectName(QLatin1String(name));
        action->setToolTip(caption);
        action->setIconText(caption);
        action->setShortcut(shortcut);
        if (!icon.isEmpty())
            action->setIcon(SvgIcon(icon, 20));
        connect(action, &QAction::triggered, this, slot);
    };
    make(FileCreate, "FileCreate", tr("Создать"), QKeySequence(Qt::CTRL | Qt::Key_N), &TForm1::FileCreateExecute,
         QStringLiteral(":/icons/file_new.svg"));
    make(FileOpen1, "FileOpen1", tr("Открыть"), QKeySequence(Qt::CTRL | Qt::Key_O), &TForm1::FileOpen1Execute,
         QStringLiteral(":/icons/file_open.svg"));
    make(FileSaveAs1, "FileSaveAs1", tr("Сохранить как"), QKeySequence(Qt::CTRL | Qt::Key_S),
         &TForm1::FileSaveAs1Execute, QStringLiteral(":/icons/file_save.svg"));
    make(ActionGridRiver, "ActionGridRiver", tr("Судовая сетка частот"), QKeySequence(),
         &TForm1::ActionGridRiverExecute);
    make(ActionGridBank, "ActionGridBank", tr("Береговая сетка частот"), QKeySequence(),
         &TForm1::ActionGridBankExecute);
    make(ActionGetInfo, "ActionGetInfo", tr("Информация"), QKeySequence(Qt::CTRL | Qt::Key_I),
         &TForm1::ActionGetInfoExecute, QStringLiteral(":/icons/radio_info.svg"));
    make(ActionRead, "ActionRead", tr("Прочитать из радиостанции"), QKeySequence(Qt::CTRL | Qt::Key_R),
         &TForm1::ActionReadExecute, QStringLiteral(":/icons/radio_read.svg"));
    make(ActionWrite, "ActionWrite", tr("Записать в радиостанцию"), QKeySequence(Qt::CTRL | Qt::Key_W),
         &TForm1::ActionWriteExecute, QStringLiteral(":/icons/radio_write.svg"));
    make(ActionComPort, "ActionComPort", tr("Выбрать COM порт"), QKeySequence(Qt::CTRL | Qt::Key_C),
         &TForm1::ActionComPortExecute);
    make(ActionSelectFreqRange, "ActionSelectFreqRange", tr("Выбрать диапазон частот"),
         QKeySequence(Qt::CTRL | Qt::Key_F), &TForm1::ActionSelectFreqRangeExecute);
    make(ActionAbout, "ActionAbout", tr("О программе"), QKeySequence(Qt::Key_F1), &TForm1::ActionAboutExecute);
    make(ActionEditChannel, "ActionEditChannel", QString(), QKeySequence(), &TForm1::ActionEditChannelExecute);
    ActionExit = new QAction(tr("Выход"), this);
    ActionExit->setObjectName(QStringLiteral("ActionExit"));
    ActionExit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    ActionExit->setMenuRole(QAction::QuitRole);
    connect(ActionExit, &QAction::triggered, this, &QWidget::close);

    // Menu entries whose text differs from the action's caption; the caption
    // stays the tool bar's tip.
    FileSaveAs1->setText(tr("Сохранить как ..."));
    ActionRead->setText(tr("Прочитать"));
    ActionWrite->setText(tr("Записать"));
    ActionComPort->setText(tr("Выбрать &COM порт"));

    // Shortcuts work wherever the focus is in the window.
    for (QAction *a : {FileCreate, FileOpen1, FileSaveAs1, ActionGetInfo, ActionRead, ActionWrite, ActionComPort,
                       ActionSelectFreqRange, ActionAbout, ActionExit})
        addAction(a);
    CreateSafetyActions();
}

void TForm1::CreateMenusAndToolBar()
{
    QMenuBar *bar = menuBar();
    QMenu *file = m_fileMenu = bar->addMenu(tr("Файл"));
    file->addAction(FileCreate);
    file->addAction(FileOpen1);
    file->addAction(FileSaveAs1);
    AddCsvPrintMenus(file);
    file->addAction(ActionGridRiver);
    file->addAction(ActionGridBank);
    file->addSeparator();
    file->addAction(ActionExit);
    QMenu *radio = m_radioMenu = bar->addMenu(tr("Радиостанция"));
    radio->addAction(ActionGetInfo);
    radio->addAction(ActionRead);
    radio->addAction(ActionWrite);
    QMenu *setup = m_setupMenu = bar->addMenu(tr("Установки"));
    setup->addAction(ActionComPort);
    setup->addAction(ActionSelectFreqRange);
    bar->addAction(ActionAbout);

    // The tool bar sits right of the menus, on the same line.
    auto *tools = new QToolBar(this);
    tools->setObjectName(QStringLiteral("ToolBar"));
    tools->setToolButtonStyle(Qt::ToolButtonIconOnly);
    tools->setIconSize(QSize(20, 20));
    tools->setMovable(false);
    tools->setFloatable(false);
    tools->addAction(FileCreate);
    tools->addAction(FileOpen1);
    tools->addAction(FileSaveAs1);
    AddCsvPrintTools(tools);
    tools->addSeparator();
    tools->addAction(ActionGetInfo);
    tools->addAction(ActionRead);
    tools->addAction(ActionWrite);
    AddSafetyActions(radio, setup, tools);
    bar->setCornerWidget(tools, Qt::TopRightCorner);
}

void TForm1::CreatePages()
{
    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("PageControl"));

    m_grid = new ChannelGrid(m_channels, m_painter, m_pages);
    m_grid->setObjectName(QStringLiteral("DrawGridChannels"));
    connect(m_grid, &ChannelGrid::editRequested, this, &TForm1::ActionEditChannelExecute);

    m_settingsPages = new SettingsPages(m_settings, m_info, m_painter, this);
    connect(m_settingsPages, &SettingsPages::gridRepaintNeeded, this, &TForm1::RepaintGrid);
    connect(m_settingsPages, &SettingsPages::secondPageVisibleChanged, this,
            [this](bool visible) { SetPageVisible(PageSettings2, visible); });

    m_infoMemo = new QPlainTextEdit(m_pages);
    m_infoMemo->setObjectName(QStringLiteral("MemoInfo"));
    m_infoMemo->setReadOnly(true);
    m_infoMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_infoMemo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_infoMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_infoMemo->setFont(InfoFont());
    m_infoMemo->setAccessibleName(tr("Информация о радиостанции"));

    m_pageWidgets[PageChannels] = m_grid;
    m_pageWidgets[PageSettings] = m_settingsPages->page1();
    m_pageWidgets[PageSettings2] = m_settingsPages->page2();
    m_pageWidgets[PageInfo] = m_infoMemo;
    m_pages->addTab(m_grid, tr("Каналы"));
    m_pages->addTab(m_settingsPages->page1(), tr("Настройки"));
    m_pages->addTab(m_settingsPages->page2(), tr("Настройки 2"));
    m_pages->addTab(m_infoMemo, tr("Информация о радиостанции"));
    connect(m_pages, &QTabWidget::currentChanged, this, [this](int index) {
        // A red edit left behind on a page the user leaves is not kept.
        if (index != PageSettings && index != PageSettings2)
            m_settingsPages->RevertInvalidEntries();
        if (index == PageSettings)
            ShowSettings();
        // Qt carries the focus from the page left into a control of the new
        // one, where a turn of the wheel anywhere would step that setting
        // unseen; the page tabs keep it until the user picks a control.
        // Back on the channels the grid takes the keys again (Enter, arrows).
        const QWidget *focused = QApplication::focusWidget();
        if ((index == PageSettings || index == PageSettings2) && focused && m_pages->widget(index)->isAncestorOf(focused))
            m_pages->tabBar()->setFocus(Qt::OtherFocusReason);
        else if (index == PageChannels && focused == m_pages->tabBar())
            m_grid->setFocus(Qt::OtherFocusReason);
    });
    setCentralWidget(m_pages);
}

QWidget *TForm1::page(Page page) const
{
    return m_pageWidgets[page];
}

bool TForm1::pageVisible(Page page) const
{
    return m_pages->isTabVisible(page);
}

void TForm1::SetPageVisible(Page page, bool visible)
{
    // Qt would show the next page along; the channels are home.
    if (!visible && m_pages->currentIndex() == page)
        m_pages->setCurrentIndex(PageChannels);
    m_pages->setTabVisible(page, visible);
    // Ctrl+Tab passes over disabled pages only, not over hidden ones.
    m_pages->setTabEnabled(page, visible);
}

void TForm1::RepaintGrid()
{
    m_grid->TableChanged();
}

void TForm1::CentreOnScreen()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
}

void TForm1::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!m_shown && !event->spontaneous()) {
        m_shown = true;
        FormShow();
    }
}

void TForm1::FitToGrid()
{
    // Wide enough for every column of the grid where the screen allows.
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QSize chrome = frameGeometry().size() - size();
        resize(sizeHint().expandedTo(size()).boundedTo(screen->availableGeometry().size() - chrome));
    }
}

void TForm1::FormShow()
{
    FitToGrid();
    CentreOnScreen();
    m_grid->SizeGrid();
    m_pages->setCurrentIndex(PageChannels);
    m_grid->setFocus();
    RepaintGrid();

    // The port is looked up once the window has been painted: asking the
    // system for its serial ports takes longer than all the rest of the start.
    m_portPending = true;

    SetPageVisible(PageInfo, false);
    SetPageVisible(PageSettings2, false);

    m_channels.ranges.Select(0);
    ShowCurrentRange();

    ActionSelectFreqRange->setEnabled(true);
    ActionSelectFreqRange->setVisible(true);
    ActionGridRiver->setVisible(false);
    ActionGridBank->setVisible(false);

    setWindowTitle(tr("Программатор каналов и настроек мобильных радиостанций"));
}

void TForm1::paintEvent(QPaintEvent *event)
{
    QMainWindow::paintEvent(event);
    if (m_shown && !m_firstPaintSeen) {
        m_firstPaintSeen = true;
        QTimer::singleShot(0, this, &TForm1::AfterFirstPaint);
    }
}

void TForm1::AfterFirstPaint()
{
    // The controls the first paint does not show were left for now, when the
    // window is up and the user has not reached for them yet.
    m_settingsPages->EnsureBuilt();
    if (m_dialogs.chan)
        m_dialogs.chan->EnsureBuilt();
    if (m_portPending)
        DetermineInitialPort();
}

void TForm1::DetermineInitialPort()
{
    m_portPending = false;
    if (m_dialogs.comPort && m_dialogs.progress) {
        const int port = m_dialogs.comPort->Enumerate();
        m_dialogs.progress->SetPort(port);
        // Taking another port than the stored one is said, not done silently:
        // the next exchange may reach another radio on another adapter.
        m_portReplacement = ports::ReplacedDefaultLines(ports::StoredDefaultPort(), port);
        m_dialogs.progress->SetNotice(m_portReplacement);
    }
    ShowPort();
}

bool TForm1::eventFilter(QObject *watched, QEvent *event)
{
    if (watched->isWidgetType() && HandleFileDrag(static_cast<QWidget *>(watched), event))
        return true;
    if (event->type() == QEvent::Wheel && watched->isWidgetType() && m_settingsPages) {
        auto *widget = static_cast<QWidget *>(watched);
        if (widget->window() == this) {
            auto *wheel = static_cast<QWheelEvent *>(event);
            const int delta = wheel->angleDelta().y();
            if (delta != 0 && m_settingsPages->HandleWheel(wheel->globalPosition().toPoint(), delta)) {
                wheel->accept();
                return true;
            }
            // Elsewhere on the settings pages only the control with the focus
            // takes the wheel: a list the pointer passes over on its way must
            // not change a setting.
            const auto onPage = [widget](const QWidget *page) { return page && (page == widget || page->isAncestorOf(widget)); };
            if ((onPage(m_settingsPages->page1()) || onPage(m_settingsPages->page2())) && !widget->hasFocus()) {
                wheel->accept();
                return true;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

int TForm1::ExecDialog(QDialog *dialog)
{
    if (!dialog)
        return QDialog::Rejected;
    FlagScope open(m_dialogOpen);
    return DialogSeam::Current().Exec(dialog);
}

// --- Refresh steps -----------------------------------------------------------

void TForm1::ShowSettings()
{
    m_settingsPages->ShowSettings();
}

void TForm1::ShowRadioInfo()
{
    if (!m_info.IsComplete()) {
        SetPageVisible(PageInfo, false);
        return;
    }
    SetPageVisible(PageInfo, true);
    // Tab stops every eight characters, as the report is laid out; measured
    // here because the page stays hidden until the first report.
    m_infoMemo->setTabStopDistance(8 * QFontMetricsF(m_infoMemo->font()).horizontalAdvance(QLatin1Char(' ')));
    QString report = m_info.BuildReport();
    report.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_infoMemo->setPlainText(report);

    for (std::size_t i = 0; i < 4; ++i) {
        m_painter.PowerWatts[i] = m_info.txPower[i];
        if (m_dialogs.chan)
            m_dialogs.chan->powerWatts[i] = m_info.txPower[i];
    }
    RepaintGrid();

    if (WriteAllowed(m_info)) {
        ActionWrite->setEnabled(true);
    } else {
        ActionWrite->setEnabled(false);
        DialogSeam::Current().Message(this, DialogSeam::Icon::Error,
                                      tr("Для программирования станции необходим другой программатор [%1]")
                                          .arg(m_info.programmerVersion));
    }
}

void TForm1::AdoptRadioRange()
{
    ::AdoptRadioRange(m_channels, m_info);
    ShowCurrentRange();
}

void TForm1::ShowCurrentRange()
{
    QString text;
    if (m_channels.ranges.CurrentText(text))
        m_status->SetText(PanelRange, text);
}

void TForm1::ShowPort()
{
    const int port = m_dialogs.progress ? m_dialogs.progress->port() : 0;
    if (port != 0)
        m_status->SetText(PanelPort, ports::PortName(port));
    m_status->SetMarked(PanelPort, !m_portReplacement.isEmpty());
    QStringList tip = m_portReplacement;
    tip << tr("Выбрать COM порт");
    m_status->SetToolTip(PanelPort, tip.join(QLatin1Char('\n')));
}

void TForm1::StatusPanelPressed(int panel)
{
    if (m_dialogOpen)
        return;
    if (panel == PanelPort)
        ActionComPortExecute();
    else if (panel == PanelRange)
        ActionSelectFreqRangeExecute();
}

bool TForm1::EntriesAccepted()
{
    const SettingsPages::InvalidEntry entry = m_settingsPages->FirstInvalidEntry();
    if (!entry.edit)
        return true;
    DialogSeam::Current().Message(this, DialogSeam::Icon::Error,
                                  tr("Поле \"%1\" содержит \"%2\", а допустимы целые числа от %3 до %4. "
                                     "Пока оно красное, таблицы не сохраняются, не записываются и не выводятся: "
                                     "исправьте значение.")
                                      .arg(entry.caption, entry.text)
                                      .arg(entry.minimum)
                                      .arg(entry.maximum));
    m_pages->setCurrentWidget(m_settingsPages->page1()->isAncestorOf(entry.edit) ? m_settingsPages->page1()
                                                                                  : m_settingsPages->page2());
    entry.edit->setFocus(Qt::OtherFocusReason);
    entry.edit->selectAll();
    return false;
}

// --- Dialogs -----------------------------------------------------------------

void TForm1::ActionSelectFreqRangeExecute()
{
    TFormFreqRange *dialog = m_dialogs.freqRange;
    if (!dialog)
        return;
    QStringList items;
    m_channels.ranges.FillStrings(items);
    dialog->Fill(items, m_channels.ranges.CurrentIndex());
    if (ExecDialog(dialog) != QDialog::Accepted)
        return;
    if (!m_channels.ranges.Select(dialog->selectedIndex()))
        return;
    ShowCurrentRange();
    const bool kept = m_channels.RemoveOutOfRange();
    RepaintGrid();
    m_edits->Record(tr("смена диапазона частот"));
    if (!kept)
        DialogSeam::Current().Message(this, DialogSeam::Icon::Warning,
                                      tr("При смене диапазона частот некоторые каналы были удалены."));
}

void TForm1::ActionComPortExecute()
{
    TFormComPort *dialog = m_dialogs.comPort;
    if (m_portPending)
        DetermineInitialPort();
    if (!dialog || ExecDialog(dialog) != QDialog::Accepted)
        return;
    if (dialog->chosenPort() != 0 && m_dialogs.progress)
        m_dialogs.progress->SetPort(dialog->chosenPort());
    // The user has chosen: nothing was put in their place any more.
    m_portReplacement.clear();
    if (m_dialogs.progress)
        m_dialogs.progress->SetNotice({});
    ShowPort();
}

void TForm1::ActionAboutExecute()
{
    ExecDialog(m_dialogs.about);
}

void TForm1::ActionEditChannelExecute()
{
    TFormChan *editor = m_dialogs.chan;
    const int row = m_grid->currentRow();
    if (!editor || row < 1)
        return;
    editor->Prepare(&m_channels, &m_painter, row - 1, [this](int gridRow) {
        m_grid->setCurrentRow(gridRow);
        RepaintGrid();
    });
    ExecDialog(editor);
    RepaintGrid();
    // One step for the whole session, whatever it committed.
    m_edits->Record(tr("изменение канала %1").arg(row - 1));
}
