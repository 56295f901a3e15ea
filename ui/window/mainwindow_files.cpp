// The main window's files: creating, opening and saving configurations, the
// CSV table, printing and PDF, recent and dropped files.

#include "ui/window/mainwindow.h"

#include "job/jobrunner.h"
#include "link/portdirectory.h"
#include "model/channelcsv.h"
#include "model/channeltext.h"
#include "model/configdocument.h"
#include "ui/app/dialogseam.h"
#include "ui/dialogs/form_freqrange.h"
#include "ui/dialogs/formprogress.h"
#include "ui/dialogs/formreport.h"
#include "ui/editor/formchannel.h"
#include "ui/grid/channelgrid.h"
#include "ui/grid/channelprint.h"
#include "ui/grid/pictures.h"
#include "ui/settings/settingspages.h"
#include "ui/window/edithistory.h"
#include "ui/window/recentfiles.h"
#include "ui/window/statuspanels.h"

#include <QAction>
#include <QBuffer>
#include <QDateTime>
#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QSaveFile>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

namespace {

const QString kLastFolderKey = QStringLiteral("Settings/LastFolder");

} // namespace

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
