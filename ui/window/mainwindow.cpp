#include "ui/window/mainwindow.h"

#include "job/jobrunner.h"
#include "job/programmerid.h"
#include "link/portdirectory.h"
#include "model/channeltext.h"
#include "model/channelcsv.h"
#include "model/configdocument.h"
#include "ui/dialogs/about.h"
#include "ui/grid/channelgrid.h"
#include "ui/grid/channelprint.h"
#include "ui/app/dialogseam.h"
#include "ui/window/edithistory.h"
#include "ui/dialogs/form_freqrange.h"
#include "ui/editor/formchannel.h"
#include "ui/dialogs/formcom.h"
#include "ui/dialogs/formprogress.h"
#include "ui/dialogs/formreport.h"
#include "ui/grid/pictures.h"
#include "ui/window/recentfiles.h"
#include "ui/settings/settingspages.h"
#include "ui/window/statuspanels.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QBuffer>
#include <QDateTime>
#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QFontDatabase>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QPdfWriter>
#include <QPlainTextEdit>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QSaveFile>
#include <QScreen>
#include <QShowEvent>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QWheelEvent>

#include <algorithm>

namespace {

const QString kLastFolderKey = QStringLiteral("Settings/LastFolder");

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
    m_pages->setTabVisible(page, visible);
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

// --- Files -------------------------------------------------------------------

QString TForm1::LastFolder()
{
    return UserSettings().value(kLastFolderKey).toString();
}

void TForm1::RememberFolder(const QString &file)
{
    UserSettings().setValue(kLastFolderKey, QFileInfo(file).absolutePath());
}

void TForm1::FileCreateExecute()
{
    if (!SaveChangesFirst())
        return;
    m_documentPath.clear();
    m_channels.ResetAll();
    m_settings.Reset();
    ShowSettings();
    ShowRadioInfo();
    RepaintGrid();
    // A new configuration: undo brings the old one back, and there is nothing
    // to save until something changes.
    m_edits->Record(tr("создание"));
    m_edits->MarkSaved();
}

void TForm1::FileOpen1Execute()
{
    if (!SaveChangesFirst())
        return;
    const QString path = DialogSeam::Current().OpenFileName(this, LastFolder());
    if (path.isEmpty())
        return;
    RememberFolder(path);
    OpenFromUser(path, true);
}

bool TForm1::OpenFile(const QString &path)
{
    ConfigurationDocument::Contents contents;
    QString error;
    if (!ConfigurationDocument::Read(path, contents, error)) {
        DialogSeam::Current().Message(this, DialogSeam::Icon::Error, error);
        return false;
    }
    const QList<int> removed = m_edits->Open(contents, tr("удаление каналов вне диапазона"));
    m_documentPath = path;
    ShowCurrentRange();
    if (!removed.isEmpty())
        DialogSeam::Current().Message(this, DialogSeam::Icon::Warning, ConfigurationDocument::RemovedMessage(removed));
    RepaintGrid();
    // What the pages cannot show as it is (a track bar's clamp, a list's
    // fallback) is changed, unsaved, and listed with what a write would change.
    const QList<ValueFinding> shown = ShowSettingsNoting();
    m_edits->Adopt();
    ShowRadioInfo();
    // The settings fields of the version the file carries.
    if (const ValuesNotice notice = NoticeForValues(CheckValues(m_channels.channels, m_settings, m_settings.version) + shown);
        !notice.text.isEmpty())
        DialogSeam::Current().Message(this, notice.refused ? DialogSeam::Icon::Error : DialogSeam::Icon::Warning,
                                      notice.text);
    return true;
}

QString TForm1::SaveAsProposal() const
{
    if (m_documentPath.isEmpty())
        return LastFolder();
    // A CSV table imported is saved as a configuration file beside it.
    const QFileInfo document(m_documentPath);
    return document.dir().filePath(document.completeBaseName() + QStringLiteral(".xml"));
}

void TForm1::FileSaveAs1Execute()
{
    if (!EntriesAccepted())
        return;
    const QString path = DialogSeam::Current().SaveFileName(this, SaveAsProposal(), tr("Настройки радиостанции (*.xml)"),
                                                            QStringLiteral("xml"));
    if (path.isEmpty())
        return;
    RememberFolder(path);
    SaveFile(path);
}

bool TForm1::SaveFile(const QString &path)
{
    QString error;
    if (!ConfigurationDocument::Save(path, m_channels, m_settings, error)) {
        DialogSeam::Current().Message(this, DialogSeam::Icon::Error, error);
        return false;
    }
    m_documentPath = path;
    AddRecentFile(path);
    // Saving may put a channel's power levels in order.
    RepaintGrid();
    m_edits->Adopt();
    m_edits->MarkSaved();
    return true;
}

void TForm1::ActionGridRiverExecute()
{
    m_channels.ApplyFrequencyPlan(false);
    RepaintGrid();
    m_edits->Record(tr("судовая сетка частот"));
}

void TForm1::ActionGridBankExecute()
{
    m_channels.ApplyFrequencyPlan(true);
    RepaintGrid();
    m_edits->Record(tr("береговая сетка частот"));
}

// --- Radio exchanges ---------------------------------------------------------

void TForm1::ExecProgress(const std::function<void()> &afterJob)
{
    // The pages are brought up to date as soon as the job ends, while its log
    // is still shown; a window closed before that does it as it closes.
    bool done = false;
    const auto after = [&] {
        if (!done) {
            done = true;
            afterJob();
        }
    };
    const QMetaObject::Connection ended = connect(m_dialogs.progress, &TFormProgress::jobEnded, this, after);
    ExecDialog(m_dialogs.progress);
    disconnect(ended);
    after();
}

void TForm1::RunExchange(ProgrammingJob::Operation operation, const std::function<void(const ProgrammingJob *)> &after)
{
    if (!m_dialogs.progress)
        return;
    if (m_portPending)
        DetermineInitialPort();
    // Nothing ran: the window stays as it was.
    if (NoPortButRadioElsewhere())
        return;
    const ExchangeLook look = ExchangeLookFor(operation);
    m_dialogs.progress->SetTracePath(TracePathForNextJob());
    m_dialogs.progress->Prepare(m_channels, m_settings, m_info, operation, look.caption, look.percent, look.colour);
    ExecProgress([this, &after] { after(m_dialogs.progress->job()); });
    PointToRadioElsewhere(m_dialogs.progress->job());
}

void TForm1::ForgetRadioUnlessHeard(bool heard)
{
    // The record keeps the last radio's power levels, which the grid and the
    // lists still use; only its report and checks wait for the next answer.
    if (!heard)
        m_info.mainDecoded = m_info.extDecoded = false;
}

QList<ValueFinding> TForm1::ShowSettingsNoting()
{
    const SettingsContext before = m_settings;
    ShowSettings();
    return ChangedSettings(before, m_settings);
}

void TForm1::ActionReadExecute()
{
    if (!SaveChangesFirst())
        return;
    const TablesSnapshot before = m_edits->Now();
    RunExchange(ProgrammingJob::OpRead, [this, &before](const ProgrammingJob *job) {
        const bool read = job && job->succeeded();
        // All or nothing: a read that failed, even with one table decoded,
        // leaves the tables and the range as they were; its log says what
        // went wrong.
        if (!read)
            m_edits->Restore(before);
        else
            m_documentPath.clear();  // the table is the radio's now
        ForgetRadioUnlessHeard(job && job->infoReceived());
        ShowRadioInfo();
        if (read) {
            AdoptRadioRange();
            m_edits->Record(tr("чтение из радиостанции"));
            m_edits->MarkSaved();
        }
        // What the pages cannot show as the radio holds it is not what the
        // radio holds: unsaved, and said.
        const QList<ValueFinding> shown = ShowSettingsNoting();
        m_edits->Adopt();
        RepaintGrid();
        if (read && !shown.isEmpty())
            DialogSeam::Current().Message(this, DialogSeam::Icon::Warning, NoticeForValues(shown).text);
    });
}

void TForm1::AfterWrite(const TablesSnapshot &before, bool written, bool verified, bool heard)
{
    // Building the images puts power levels and squelch in order; a write
    // that did not reach the radio leaves even that undone.
    if (!written)
        m_edits->Restore(before);
    ForgetRadioUnlessHeard(heard);
    ShowSettings();
    ShowRadioInfo();
    RepaintGrid();
    if (written) {
        // The tables are what the radio holds now; only a write that was
        // checked (or needed no check) counts as saved.
        m_edits->Adopt();
        if (verified)
            m_edits->MarkSaved();
    }
}

void TForm1::ActionWriteExecute()
{
    WriteToRadio();
}

void TForm1::ActionGetInfoExecute()
{
    RunExchange(ProgrammingJob::OpInfo, [this](const ProgrammingJob *job) {
        const bool received = job && job->succeeded();
        ForgetRadioUnlessHeard(job && job->infoReceived());
        ShowSettings();
        ShowRadioInfo();
        if (!received) {
            RepaintGrid();
            return;
        }
        if (pageVisible(PageInfo))
            m_pages->setCurrentIndex(PageInfo);
        if (RadioRangeDiffers(m_info, m_channels.ranges))
            DialogSeam::Current().Message(this, DialogSeam::Icon::Warning,
                                          tr("Выбранный диапазон частот не совпадает с диапазоном частот радиостанции"));
        RepaintGrid();
    });
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

// --- Unsaved changes, undo and the channel rows ------------------------------

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

// --- CSV, printing, recent and dropped files ----------------------------------

void TForm1::CreateCsvPrintActions()
{
    auto make = [this](QAction *&action, const char *name, const QString &caption, const QString &menuText,
                       const QKeySequence &shortcut, void (TForm1::*slot)(), const QString &icon) {
        action = new QAction(menuText, this);
        action->setObjectName(QLatin1String(name));
        action->setToolTip(caption);
        action->setIconText(caption);
        action->setShortcut(shortcut);
        action->setIcon(SvgIcon(icon, 20));
        connect(action, &QAction::triggered, this, slot);
    };
    make(ActionImportCsv, "ActionImportCsv", tr("Импорт из CSV"), tr("Импорт из CSV ..."), QKeySequence(),
         &TForm1::ActionImportCsvExecute, QStringLiteral(":/icons/csv_import.svg"));
    make(ActionExportCsv, "ActionExportCsv", tr("Экспорт в CSV"), tr("Экспорт в CSV ..."), QKeySequence(),
         &TForm1::ActionExportCsvExecute, QStringLiteral(":/icons/csv_export.svg"));
    make(ActionPrint, "ActionPrint", tr("Печать"), tr("Печать ..."), QKeySequence(Qt::CTRL | Qt::Key_P),
         &TForm1::ActionPrintExecute, QStringLiteral(":/icons/print.svg"));
    make(ActionExportPdf, "ActionExportPdf", tr("Экспорт в PDF"), tr("Экспорт в PDF ..."), QKeySequence(),
         &TForm1::ActionExportPdfExecute, QStringLiteral(":/icons/file_pdf.svg"));
    addAction(ActionPrint);

    // Filled each time it opens, so a pick never deletes the entry it came from.
    m_recentMenu = new QMenu(tr("Последние файлы"), this);
    m_recentMenu->setObjectName(QStringLiteral("MenuRecentFiles"));
    m_recentMenu->setToolTipsVisible(true);
    connect(m_recentMenu, &QMenu::aboutToShow, this, &TForm1::RefreshRecentMenu);
}

void TForm1::AddCsvPrintMenus(QMenu *file)
{
    file->addSeparator();
    file->addAction(ActionImportCsv);
    file->addAction(ActionExportCsv);
    file->addSeparator();
    file->addAction(ActionPrint);
    file->addAction(ActionExportPdf);
    file->addSeparator();
    file->addMenu(m_recentMenu);
}

void TForm1::AddCsvPrintTools(QToolBar *tools)
{
    // The open button keeps the recent files under its arrow.
    if (auto *open = qobject_cast<QToolButton *>(tools->widgetForAction(FileOpen1))) {
        open->setMenu(m_recentMenu);
        open->setPopupMode(QToolButton::MenuButtonPopup);
    }
    tools->addSeparator();
    tools->addAction(ActionImportCsv);
    tools->addAction(ActionExportCsv);
    tools->addAction(ActionPrint);
    tools->addAction(ActionExportPdf);
}

void TForm1::RefreshRecentMenu()
{
    m_recentMenu->clear();
    const QStringList files = RecentFiles::Load();
    if (files.isEmpty()) {
        m_recentMenu->addAction(tr("(список пуст)"))->setEnabled(false);
        return;
    }
    const QFontMetrics fm(m_recentMenu->font());
    for (int i = 0; i < files.size(); ++i) {
        const QString native = QDir::toNativeSeparators(files[i]);
        QString shown = fm.elidedText(native, Qt::ElideMiddle, 60 * fm.averageCharWidth());
        shown.replace(QLatin1Char('&'), QLatin1String("&&"));
        QAction *entry = m_recentMenu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(shown));
        entry->setToolTip(native);
        entry->setData(files[i]);
        connect(entry, &QAction::triggered, this, [this, path = files[i]] { OpenRecent(path); });
    }
    m_recentMenu->addSeparator();
    connect(m_recentMenu->addAction(tr("Очистить список")), &QAction::triggered, this,
            [] { RecentFiles::Store(QStringList()); });
}

void TForm1::AddRecentFile(const QString &path)
{
    RecentFiles::Add(path);
}

bool TForm1::OpenRecent(const QString &path)
{
    if (!QFileInfo(path).isFile()) {
        RecentFiles::Remove(path);
        DialogSeam::Current().Message(this, DialogSeam::Icon::Warning,
                                      tr("Файл %1 не найден. Он удалён из списка последних файлов.")
                                          .arg(QDir::toNativeSeparators(path)));
        return false;
    }
    RememberFolder(path);
    return OpenFromUser(path);
}

bool TForm1::OpenFromUser(const QString &path, bool asked)
{
    // A configuration file replaces everything and starts the history anew; a
    // CSV import is one more step that undo takes back.
    if (!asked && !ChannelCsv::IsCsvPath(path) && !SaveChangesFirst())
        return false;
    const bool opened = ChannelCsv::IsCsvPath(path) ? ImportCsv(path) : OpenFile(path);
    if (opened)
        AddRecentFile(path);
    return opened;
}

QString TForm1::DroppedFile(const QMimeData *mime)
{
    if (!mime || !mime->hasUrls())
        return QString();
    const QList<QUrl> urls = mime->urls();
    if (urls.size() != 1 || !urls.first().isLocalFile())
        return QString();
    const QString path = urls.first().toLocalFile();
    return QFileInfo(path).isFile() ? path : QString();
}

bool TForm1::HandleFileDrag(QWidget *target, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return false;
    if (target->window() != this || m_dialogOpen)
        return false;
    // Enter and move events derive from the drop event.
    auto *drag = static_cast<QDropEvent *>(event);
    const QString path = DroppedFile(drag->mimeData());
    if (path.isEmpty())
        return false;
    drag->setDropAction(Qt::CopyAction);
    drag->accept();
    if (type == QEvent::Drop) {
        // Opened once the drop has ended: its messages must not hold the
        // program the file was dragged from.
        activateWindow();
        QTimer::singleShot(0, this, [this, path] { OpenFromUser(path); });
    }
    return true;
}

void TForm1::ShowReport(const QString &caption, const QString &summary, const QStringList &lines)
{
    TFormReport report(this);
    report.Fill(caption, summary, lines);
    ExecDialog(&report);
}

bool TForm1::ImportCsv(const QString &path)
{
    ChannelCsv::ImportResult result;
    QString error;
    if (!ChannelCsv::Read(path, m_painter.PowerWatts, result, error)) {
        DialogSeam::Current().Message(this, DialogSeam::Icon::Error, error);
        return false;
    }
    const QString caption = tr("Импорт из CSV");
    if (result.carried == 0) {
        ShowReport(caption, result.Summary() + QLatin1Char(' ') + tr("Таблица каналов не изменена."),
                   result.Report());
        return false;
    }
    const ChannelCsv::Channels imported = result.channels;
    const bool kept = ChannelCsv::Adopt(result, m_channels);
    m_documentPath = path;
    RepaintGrid();
    m_edits->Record(tr("импорт из CSV"));
    if (!kept)
        DialogSeam::Current().Message(
            this, DialogSeam::Icon::Warning,
            ConfigurationDocument::RemovedMessage(ChannelsContext::Removed(imported, m_channels.channels)));
    const QStringList lines = result.Report();
    if (!lines.isEmpty())
        ShowReport(caption, result.Summary(), lines);
    return true;
}

bool TForm1::ExportCsv(const QString &path)
{
    ChannelCsv::ExportResult result;
    QString error;
    if (!ChannelCsv::Save(path, m_channels.channels, m_painter.PowerWatts, result, error)) {
        DialogSeam::Current().Message(this, DialogSeam::Icon::Error, error);
        return false;
    }
    ShowReport(tr("Экспорт в CSV"), tr("Выгружено каналов: %1.").arg(result.written),
               result.notes + QStringList{ChannelCsv::ExportLimits()});
    return true;
}

PrintHeading TForm1::CurrentPrintHeading() const
{
    PrintHeading heading;
    heading.file = QDir::toNativeSeparators(m_documentPath);
    m_channels.ranges.CurrentText(heading.range);
    heading.printed = QDateTime::currentDateTime().toString(QStringLiteral("dd.MM.yyyy hh:mm"));
    return heading;
}

void TForm1::PrintChannels(QPrinter *printer)
{
    ChannelPrint print(m_channels, m_painter, CurrentPrintHeading());
    print.Print(printer);
}

bool TForm1::ExportPdf(const QString &path)
{
    // Made in memory and saved through a temporary file: a failure leaves an
    // older file whole.
    QByteArray pdf;
    bool painted = false;
    {
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter);
        writer.setResolution(300);
        writer.setTitle(tr("Таблица каналов"));
        writer.setCreator(QStringLiteral("KD_Tune"));
        ChannelPrint print(m_channels, m_painter, CurrentPrintHeading());
        painted = print.Print(&writer);
    }
    QSaveFile file(path);
    if (!painted || !file.open(QIODevice::WriteOnly) || file.write(pdf) != pdf.size() || !file.commit()) {
        DialogSeam::Current().Message(this, DialogSeam::Icon::Error,
                                      tr("Не удалось сохранить файл %1: %2")
                                          .arg(path, painted ? file.errorString() : tr("страницы не нарисованы")));
        return false;
    }
    return true;
}

void TForm1::ActionImportCsvExecute()
{
    const QString path =
        DialogSeam::Current().OpenFileOfType(this, LastFolder(), tr("Таблица каналов CSV (*.csv)"));
    if (path.isEmpty())
        return;
    RememberFolder(path);
    OpenFromUser(path);
}

void TForm1::ActionExportCsvExecute()
{
    if (!EntriesAccepted())
        return;
    const QString path = DialogSeam::Current().SaveFileName(this, LastFolder(), tr("Таблица каналов CSV (*.csv)"),
                                                            QStringLiteral("csv"));
    if (path.isEmpty())
        return;
    RememberFolder(path);
    ExportCsv(path);
}

void TForm1::ActionPrintExecute()
{
    if (!EntriesAccepted())
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setDocName(tr("Таблица каналов"));
    QPrintPreviewDialog preview(&printer, this);
    preview.setObjectName(QStringLiteral("PrintPreview"));
    preview.setWindowTitle(tr("Печать таблицы каналов"));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, &TForm1::PrintChannels);
    ExecDialog(&preview);
}

void TForm1::ActionExportPdfExecute()
{
    if (!EntriesAccepted())
        return;
    const QString path = DialogSeam::Current().SaveFileName(this, LastFolder(), tr("Документ PDF (*.pdf)"),
                                                            QStringLiteral("pdf"));
    if (path.isEmpty())
        return;
    RememberFolder(path);
    ExportPdf(path);
}
