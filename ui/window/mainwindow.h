// The main window `TForm1`: the owner of the model for the whole run.
#pragma once

#include "job/programmingjob.h"
#include "model/channelscontext.h"
#include "model/infocontext.h"
#include "model/settingscontext.h"
#include "model/tablesnapshot.h"
#include "model/valuecheck.h"
#include "ui/grid/cellpainter.h"

#include <QColor>
#include <QMainWindow>

#include <functional>
#include <memory>

class ChannelGrid;
class EditHistory;
class JobSequence;
class QAction;
class QDialog;
class QMenu;
class QMimeData;
class QPrinter;
class QToolBar;
struct PrintHeading;
class QPlainTextEdit;
class QTabWidget;
class SettingsPages;
class StatusPanels;
class TFormAbout;
class TFormChan;
class TFormComPort;
class TFormFreqRange;
class TFormProgress;
class QToolBar;
struct SafetyOptions;

// The windows the main window shows modally; created after it, once, and
// reused for the whole run.
struct ProgramDialogs
{
    TFormChan *chan = nullptr;
    TFormAbout *about = nullptr;
    TFormComPort *comPort = nullptr;
    TFormProgress *progress = nullptr;
    TFormFreqRange *freqRange = nullptr;
};

// How each radio exchange is presented: the progress window's caption and the
// panel's colour and percent before the job reports anything.
struct ExchangeLook
{
    QString caption;
    QColor colour;
    int percent = 0;
};
ExchangeLook ExchangeLookFor(ProgrammingJob::Operation operation);

// A radio may be written only by the programmer it asks for.
bool WriteAllowed(const TInfoContext &info);

// After "Информация": the radio reports a usable range that is not the
// selected one.
bool RadioRangeDiffers(const TInfoContext &info, const FreqRangeList &ranges);

// After opening a file: what a write would refuse (errors) or change on
// purpose (warnings), as one message; empty when there is nothing to say.
struct ValuesNotice
{
    bool refused = false;
    QString text;
};
ValuesNotice NoticeForValues(const QList<ValueFinding> &findings);

// The program's only main window. It owns the working model (channel table,
// settings table, radio information, the grid's painter) for the whole run,
// shows it on four pages and starts every operation; files go through the
// configuration document and radio exchanges through the progress window.
class TForm1 : public QMainWindow
{
    Q_OBJECT
public:
    enum Page { PageChannels, PageSettings, PageSettings2, PageInfo };
    enum StatusPanel { PanelPort = 0, PanelRange = 1, PanelSpare = 2 };

    // `rangeListPath`: the range list file; empty keeps the list in memory.
    explicit TForm1(const QString &rangeListPath, QWidget *parent = nullptr);
    ~TForm1() override;

    void SetDialogs(const ProgramDialogs &dialogs);

    // The model.
    ChannelsContext &channels() { return m_channels; }
    SettingsContext &settings() { return m_settings; }
    TInfoContext &info() { return m_info; }
    CellPainter &painter() { return m_painter; }
    bool dialogOpen() const { return m_dialogOpen; }

    // The controls, for the start-up code and the tests.
    ChannelGrid *grid() const { return m_grid; }
    QTabWidget *pageControl() const { return m_pages; }
    QWidget *page(Page page) const;
    bool pageVisible(Page page) const;
    QPlainTextEdit *infoMemo() const { return m_infoMemo; }
    StatusPanels *statusPanels() const { return m_status; }
    SettingsPages *settingsPages() const { return m_settingsPages; }

    // Actions, by the names the program's documentation uses.
    QAction *FileCreate = nullptr;
    QAction *FileOpen1 = nullptr;
    QAction *FileSaveAs1 = nullptr;
    QAction *ActionGridRiver = nullptr;
    QAction *ActionGridBank = nullptr;
    QAction *ActionGetInfo = nullptr;
    QAction *ActionRead = nullptr;
    QAction *ActionWrite = nullptr;
    QAction *ActionComPort = nullptr;
    QAction *ActionSelectFreqRange = nullptr;
    QAction *ActionAbout = nullptr;
    QAction *ActionEditChannel = nullptr;
    QAction *ActionImportCsv = nullptr;
    QAction *ActionExportCsv = nullptr;
    QAction *ActionPrint = nullptr;
    QAction *ActionExportPdf = nullptr;
    QAction *ActionExit = nullptr;

    // Undo and the channel rows ("Правка"; the rows also in the grid's menu).
    QAction *ActionUndo = nullptr;
    QAction *ActionRedo = nullptr;
    QAction *ActionCutChannels = nullptr;
    QAction *ActionCopyChannels = nullptr;
    QAction *ActionPasteChannels = nullptr;
    QAction *ActionDeleteChannels = nullptr;

    // Undo steps and the unsaved state of the tables.
    EditHistory *edits() const { return m_edits; }
    // Before anything replaces the tables: when they hold unsaved changes,
    // asks whether to save them first. False: the user cancelled (or the save
    // did not happen) and the caller must stop.
    bool SaveChangesFirst();
    // Write safety and the comparison with the radio (mainwindow_safety.cpp).
    QAction *ActionCompare = nullptr;
    QAction *ActionBackupBeforeWrite = nullptr;
    QAction *ActionVerifyAfterWrite = nullptr;
    QAction *ActionCompareBeforeWrite = nullptr;
    QAction *ActionTraceExchange = nullptr;
    QAction *ActionOpenBackupFolder = nullptr;
    QAction *ActionShowTrace = nullptr;

    // "Язык / Language" (mainwindow_language.cpp): one entry per language,
    // each named in its own language.
    QAction *ActionLanguageRu = nullptr;
    QAction *ActionLanguageEn = nullptr;
    // Puts `code` in force, keeps it for the next start and says what changed
    // at once (this window's menus, tabs and caption) and what at the next
    // start (the other windows and pages).
    void ChooseLanguage(const QString &code);
    // The texts of the menus, the actions, the tabs, the caption and the
    // panels, in the language in force.
    void RetranslateUi();

    // The options under "Установки" as checked now.
    SafetyOptions safetyOptions() const;
    // "Записать": the comparison first when asked for, then the backup, the
    // write and the read-back as the options say, all in the progress window.
    // True when the radio received both tables; `verified` says whether the
    // read-back confirmed them (or was not asked for).
    bool WriteToRadio(bool *verified = nullptr);
    // Reads the radio into records of its own and shows what differs from the
    // window's tables. Returns the dialog's result: Accepted is "Записать".
    int CompareWithRadio(bool beforeWrite);

    // The settings pages hold what they show. While an edit there is red, says
    // which one, what it holds and what it may hold, puts the focus on it and
    // returns false: nothing is saved, written, compared, exported or printed.
    bool EntriesAccepted();
    // What can be checked before the radio is read for a write: the entries,
    // values no radio would take as they are, the backup folder. False after
    // saying why.
    bool CheckBeforeWrite();

    // Common refresh steps.
    void ShowSettings();
    void ShowRadioInfo();
    void AdoptRadioRange();
    void ShowPort();
    void ShowCurrentRange();

    // "Открыть" after the file has been chosen, and `kd-tune FILE`. A file
    // that cannot be read leaves the model, the range list and the pages as
    // they were and says why.
    bool OpenFile(const QString &path);
    // "Сохранить как" after the name has been chosen.
    bool SaveFile(const QString &path);

    // The port the progress window opens: the stored default when present,
    // else the first port. Runs after the window's first paint unless called
    // before that.
    void DetermineInitialPort();

    // A press on a status bar panel.
    void StatusPanelPressed(int panel);
    // The stored default port was absent at start and another was taken: what
    // the port panel's tip and the first exchange's log say about it; empty
    // when nothing was replaced or the user has chosen a port since.
    const QStringList &portReplacement() const { return m_portReplacement; }

    // The folder the open and save dialogs start in: the one last used.
    static QString LastFolder();

    // A file the user asked to open: chosen under "Открыть", picked from the
    // recent files or dropped on the window. A CSV table (*.csv) is imported,
    // anything else opened as a configuration file; what opens joins the
    // recent files. Unsaved changes are asked about first unless `asked`.
    bool OpenFromUser(const QString &path, bool asked = false);
    // The channel table from a CSV file in place of the current one; the
    // settings and the range stay. Channels outside the range are removed as
    // on opening; what could not be carried over is reported.
    bool ImportCsv(const QString &path);
    // The channel table into a CSV file, with a report of what the layout lost.
    bool ExportCsv(const QString &path);
    // The printed channel table as a PDF file.
    bool ExportPdf(const QString &path);
    // Prints the pages of the channel table onto a printer or the preview.
    void PrintChannels(QPrinter *printer);
    // The heading of the printed pages as things stand.
    PrintHeading CurrentPrintHeading() const;
    // The file the channel table was last opened from, imported from or saved
    // to; empty after "Создать" and after a read from the radio.
    const QString &documentPath() const { return m_documentPath; }

    // A recent file picked from the menu: one that no longer exists is said to
    // be missing and leaves the list.
    bool OpenRecent(const QString &path);
    QMenu *recentMenu() const { return m_recentMenu; }
    // The one local file a drag carries; empty for anything else.
    static QString DroppedFile(const QMimeData *mime);

public slots:
    void FileCreateExecute();
    void FileOpen1Execute();
    void FileSaveAs1Execute();
    void ActionGridRiverExecute();
    void ActionGridBankExecute();
    void ActionGetInfoExecute();
    void ActionReadExecute();
    void ActionWriteExecute();
    void ActionComPortExecute();
    void ActionSelectFreqRangeExecute();
    void ActionAboutExecute();
    void ActionEditChannelExecute();
    void UndoExecute();
    void RedoExecute();
    void CutChannelsExecute();
    void CopyChannelsExecute();
    void PasteChannelsExecute();
    void DeleteChannelsExecute();
    void ActionCompareExecute();
    void ActionOpenBackupFolderExecute();
    void ActionShowTraceExecute();
    void ActionImportCsvExecute();
    void ActionExportCsvExecute();
    void ActionPrintExecute();
    void ActionExportPdfExecute();

protected:
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void CreateActions();
    void CreateMenusAndToolBar();
    void CreatePages();
    void FormShow();
    // Once the window has been painted for the first time: what the start
    // left for later.
    void AfterFirstPaint();
    void CentreOnScreen();
    // Widens the window to the grid's columns as far as the screen allows.
    void FitToGrid();
    // Shows a dialog modally through the seam with `dialogOpen` set.
    int ExecDialog(QDialog *dialog);
    // Runs a job of the window's own records in the progress window; `after`
    // gets the job (null when none ran) as soon as it has ended, while its log
    // is still shown.
    void RunExchange(ProgrammingJob::Operation operation, const std::function<void(const ProgrammingJob *)> &after);
    // Shows the progress window and runs `afterJob` once: when its job ends,
    // or when the window is closed before that.
    void ExecProgress(const std::function<void()> &afterJob);
    // After a write: the tables as the radio took them, or as before.
    void AfterWrite(const TablesSnapshot &before, bool written, bool verified, bool heard);
    // ShowSettings, and what showing changed in the table (a track bar's
    // clamp, a list's fallback), as normalisations.
    QList<ValueFinding> ShowSettingsNoting();
    // A radio that did not answer this exchange is not shown as if it had.
    void ForgetRadioUnlessHeard(bool heard);
    // "Сохранить как" proposes the document's own folder and name.
    QString SaveAsProposal() const;
    void CreateEditActions();
    void ShowEditState();
    void TablesRestored();
    // The channels of the grid's selected rows, ascending.
    QList<int> SelectedChannels() const;
    void EraseChannels(const QList<int> &channels);

    void CreateLanguageMenu();

    // Where the radio is (mainwindow_ports.cpp): with no port chosen, or no
    // radio on the chosen one, the ports are asked and the one port with a
    // radio is named. True when it was (nothing is run then).
    bool SayRadioElsewhere(int chosen);
    bool NoPortButRadioElsewhere();
    void PointToRadioElsewhere(const ProgrammingJob *job);

    void CreateSafetyActions();
    void AddSafetyActions(QMenu *radio, QMenu *setup, QToolBar *tools);
    // Runs `sequence` in the progress window, traced when the option says so;
    // `after` as for ExecProgress.
    void RunSequence(std::unique_ptr<JobSequence> sequence, const ExchangeLook &look,
                     const std::function<void()> &after = {});
    QString TracePathForNextJob() const;
    void RepaintGrid();
    void SetPageVisible(Page page, bool visible);
    static void RememberFolder(const QString &file);

    // CSV, printing and recent files.
    void CreateCsvPrintActions();
    void AddCsvPrintMenus(QMenu *file);
    void AddCsvPrintTools(QToolBar *tools);
    void RefreshRecentMenu();
    void AddRecentFile(const QString &path);
    // A drag of a file anywhere over the window; true when it was taken.
    bool HandleFileDrag(QWidget *target, QEvent *event);
    void ShowReport(const QString &caption, const QString &summary, const QStringList &lines);

    // Declared before everything that refers to them: the model outlives the
    // pages and the grid.
    ChannelsContext m_channels;
    SettingsContext m_settings;
    TInfoContext m_info;
    CellPainter m_painter;

    ProgramDialogs m_dialogs;
    ChannelGrid *m_grid = nullptr;
    QTabWidget *m_pages = nullptr;
    QWidget *m_pageWidgets[4] = {};
    QPlainTextEdit *m_infoMemo = nullptr;
    StatusPanels *m_status = nullptr;
    SettingsPages *m_settingsPages = nullptr;
    EditHistory *m_edits = nullptr;
    bool m_dialogOpen = false;
    bool m_shown = false;
    bool m_portPending = false;
    bool m_firstPaintSeen = false;
    QMenu *m_recentMenu = nullptr;
    QMenu *m_fileMenu = nullptr;
    QMenu *m_editMenu = nullptr;
    QMenu *m_radioMenu = nullptr;
    QMenu *m_setupMenu = nullptr;
    QMenu *m_languageMenu = nullptr;
    QString m_documentPath;
    QStringList m_portReplacement;
};
