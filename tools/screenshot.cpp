// kd-screenshot: the pictures of kd-tune in docs/, made by tools/screenshot
// under a virtual X server.
//
// Each scene starts the program's windows as kd-tune does, works them as a
// technician would and saves its pictures in the docs folder. Every dialog goes
// through one seam that shows it without blocking and keeps its picture. The
// scenes "main" and "safety" read the radio on the port chosen at start, where
// the script has put a simulated radio holding docs/example-config.xml.

#include "ui/app/application.h"
#include "ui/app/dialogseam.h"
#include "ui/dialogs/formcompare.h"
#include "ui/dialogs/formprogress.h"
#include "ui/dialogs/formreport.h"
#include "ui/dialogs/formtrace.h"
#include "ui/grid/channelgrid.h"
#include "ui/grid/channelprint.h"
#include "ui/window/mainwindow.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPrintPreviewDialog>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

// Runs the event loop until `ready` holds; false when `ms` pass first.
bool WaitUntil(const std::function<bool()> &ready, int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (!ready()) {
        if (timer.elapsed() >= ms)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return true;
}

// Gives the windows a moment to lay out and paint (late controls, previews
// rendered on a timer) before a picture is taken.
void Settle()
{
    WaitUntil([] { return false; }, 400);
}

QPixmap Grab(QWidget *widget)
{
    Settle();
    return widget->grab();
}

// Runs each dialog without blocking, keeps a picture of it, and answers as a
// technician who has read it would: a progress window runs to its end, the
// comparison is answered "Записать", a viewer is closed, anything else is
// confirmed. The question about unsaved changes is the program's real box,
// photographed and closed; the answer is "Не сохранять".
class PictureSeam : public DialogSeam
{
public:
    // The progress window's height, its width then grown to the longest line
    // of the log; 0 keeps its size.
    int progressHeight = 0;

    PictureSeam() : m_real(DialogSeam::Current()) { Install(this); }
    ~PictureSeam() override { Install(nullptr); }
    PictureSeam(const PictureSeam &) = delete;
    PictureSeam &operator=(const PictureSeam &) = delete;

    // The picture of the last dialog of class T shown; null when none was.
    template <class T> QPixmap Last() const
    {
        for (auto shot = m_shots.crbegin(); shot != m_shots.crend(); ++shot) {
            if (shot->first->inherits(&T::staticMetaObject))
                return shot->second;
        }
        return QPixmap();
    }

    void Message(QWidget *, Icon, const QString &text) override
    {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
    }
    QString OpenFileName(QWidget *, const QString &) override { return {}; }
    QString SaveFileName(QWidget *, const QString &, const QString &, const QString &) override { return {}; }
    bool ShowFolder(QWidget *, const QString &) override { return true; }

    SaveChoice AskSave(QWidget *parent, const QString &text) override
    {
        QTimer::singleShot(0, [this] {
            QWidget *box = nullptr;
            if (WaitUntil([&box] { return (box = QApplication::activeModalWidget()) != nullptr; }, 10000)) {
                Keep(box);
                box->close();
            }
        });
        m_real.AskSave(parent, text);
        return SaveChoice::Discard;
    }

    int Exec(QDialog *dialog) override
    {
        if (auto *progress = qobject_cast<TFormProgress *>(dialog)) {
            if (progressHeight > 0)
                progress->resize(TFormProgress::ClientWidth, progressHeight);
            progress->show();
            if (!WaitUntil([progress] { return progress->finished(); }, 120000))
                std::fprintf(stderr, "the job did not end within two minutes\n");
            if (progressHeight > 0)
                FitLog(progress);
            Keep(progress);
            progress->done(QDialog::Accepted);
            return QDialog::Accepted;
        }
        if (qobject_cast<QPrintPreviewDialog *>(dialog))
            dialog->resize(1100, 780);
        dialog->show();
        if (auto *viewer = qobject_cast<TFormTrace *>(dialog)) {
            Settle();
            viewer->MemoTrace->moveCursor(QTextCursor::Start);
            Keep(dialog);
            dialog->done(QDialog::Rejected);
            return QDialog::Rejected;
        }
        Keep(dialog);
        dialog->done(QDialog::Accepted);
        return QDialog::Accepted;
    }

private:
    // Widens `window` until its log needs no sideways scrolling.
    static void FitLog(QWidget *window)
    {
        auto *log = window->findChild<QPlainTextEdit *>();
        if (!log)
            return;
        Settle();
        const int hidden = log->horizontalScrollBar()->maximum();
        if (hidden > 0) {
            window->resize(window->width() + hidden, window->height());
            Settle();
        }
    }

    void Keep(QWidget *widget) { m_shots.append({widget->metaObject(), Grab(widget)}); }

    DialogSeam &m_real;
    QList<std::pair<const QMetaObject *, QPixmap>> m_shots;
};

// What every scene works with: the docs folder, a scratch folder, the seam and
// the program's windows.
class Studio
{
public:
    explicit Studio(const QString &docs) : m_docs(docs) {}

    QString Doc(const QString &name) const { return m_docs.filePath(name); }
    QString Scratch(const QString &name) const { return m_scratch.filePath(name); }
    PictureSeam &seam() { return m_seam; }

    // The windows as kd-tune starts them, the main window shown.
    TForm1 &Start()
    {
        m_windows = CreateProgramWindows(Scratch(QStringLiteral("KD_config.xml")));
        m_windows.main->show();
        Settle();
        return *m_windows.main;
    }

    // Saves `picture` as docs/`name`; false, said on standard error, when
    // there is no picture or it cannot be saved.
    bool Save(const QImage &picture, const QString &name) const
    {
        if (picture.isNull() || !picture.save(Doc(name))) {
            std::fprintf(stderr, "no picture for %s\n", qPrintable(name));
            return false;
        }
        std::printf("docs/%s\n", qPrintable(name));
        return true;
    }
    bool Save(const QPixmap &picture, const QString &name) const { return Save(picture.toImage(), name); }

private:
    QDir m_docs;
    QTemporaryDir m_scratch;
    PictureSeam m_seam;
    ProgramWindows m_windows;
};

// A menu of the menu bar as it opens under the mouse.
QPixmap MenuPicture(QMenu *menu, const QPoint &at)
{
    menu->popup(at);
    QPixmap picture = Grab(menu);
    menu->hide();
    return picture;
}

// mainwindow.png: the main window after a read; progress.png: the progress
// window at the end of that read.
bool MainScene(Studio &studio)
{
    TForm1 &main = studio.Start();
    main.ActionReadExecute();
    // The radio holds docs/example-config.xml: a read that brought no channel failed.
    const auto &channels = main.channels().channels;
    const bool read = std::any_of(channels.begin(), channels.end(), [](const Channel &c) { return c.IsUsed(); });
    if (!read)
        std::fprintf(stderr, "the read brought no channel\n");
    main.grid()->setCurrentRow(2);
    bool ok = studio.Save(Grab(&main), QStringLiteral("mainwindow.png"));
    ok = studio.Save(studio.seam().Last<TFormProgress>(), QStringLiteral("progress.png")) && ok;
    return ok && read;
}

// channel-rows.png: several channel rows selected, one cut, the grid's menu
// open over the selection; unsaved-question.png: what "Создать" asks then.
bool EditingScene(Studio &studio)
{
    TForm1 &main = studio.Start();
    if (!main.OpenFile(studio.Doc(QStringLiteral("example-config.xml"))))
        return false;
    ChannelGrid *grid = main.grid();
    grid->setFocus();
    grid->setCurrentRow(5);
    main.CutChannelsExecute();
    grid->selectRows(2, 4);

    // The grid's menu is a popup of its own: drawn onto the window's picture
    // where a right click on the selection opens it.
    QPixmap rows = Grab(&main);
    QMenu menu;
    menu.addActions(grid->actions());
    menu.ensurePolished();
    menu.adjustSize();
    menu.show();
    {
        QPainter p(&rows);
        const QPoint at = grid->mapTo(&main, grid->viewport()->mapTo(grid, grid->cellRect(3, 4).center()));
        p.drawPixmap(at, Grab(&menu));
    }
    menu.hide();
    const bool ok = studio.Save(rows, QStringLiteral("channel-rows.png"));

    main.FileCreateExecute();
    return studio.Save(studio.seam().Last<QMessageBox>(), QStringLiteral("unsaved-question.png")) && ok;
}

// compare.png: the comparison before a write; write-safety.png: the progress
// window after backup, write and read-back; trace.png: the trace viewer;
// menu-setup.png: the options under "Установки".
bool SafetyScene(Studio &studio)
{
    studio.seam().progressHeight = 560; // the whole log of a guarded write, backup path included
    TForm1 &main = studio.Start();
    main.ActionReadExecute();

    // What a technician changes before writing back.
    auto &channels = main.channels().channels;
    channels[1].freq_tx = 43125000;
    channels[3].subtone_rx = channels[3].subtone_tx = 17;
    channels[3].tx_power_high = 2;
    channels[7] = channels[0];
    channels[7].freq_rx = channels[7].freq_tx = 44975000;
    main.settings().Volume = 6;
    main.settings().KeyBeep = !main.settings().KeyBeep;

    for (QAction *option : {main.ActionBackupBeforeWrite, main.ActionVerifyAfterWrite,
                            main.ActionCompareBeforeWrite, main.ActionTraceExchange})
        option->setChecked(true);
    main.ActionWriteExecute();
    main.ActionShowTraceExecute();

    QMenu *setup = nullptr;
    for (QAction *a : main.menuBar()->actions()) {
        if (a->menu() && a->menu()->actions().contains(main.ActionBackupBeforeWrite))
            setup = a->menu();
    }
    const PictureSeam &seam = studio.seam();
    bool ok = studio.Save(seam.Last<TFormCompare>(), QStringLiteral("compare.png"));
    ok = studio.Save(seam.Last<TFormProgress>(), QStringLiteral("write-safety.png")) && ok;
    ok = studio.Save(seam.Last<TFormTrace>(), QStringLiteral("trace.png")) && ok;
    if (!setup)
        return false;
    const QPixmap menu = MenuPicture(setup, main.mapToGlobal(QPoint(120, 30)));
    return studio.Save(menu, QStringLiteral("menu-setup.png")) && ok;
}

// print-preview.png, print-page.png (the first page as paper shows it),
// export-report.png, import-report.png (docs/example-other-programmer.csv) and
// file-menu.png (the "Файл" menu with the recent files those opens left).
bool CsvPrintScene(Studio &studio)
{
    TForm1 &main = studio.Start();
    const PictureSeam &seam = studio.seam();
    bool ok = main.OpenFromUser(studio.Doc(QStringLiteral("example-config.xml")));

    main.ActionPrintExecute();
    ok = studio.Save(seam.Last<QPrintPreviewDialog>(), QStringLiteral("print-preview.png")) && ok;

    // 110 dots per inch on A4 with margins of 12 mm.
    QImage page(QSize(909, 1286), QImage::Format_RGB32);
    page.fill(Qt::white);
    {
        ChannelPrint print(main.channels(), main.painter(), main.CurrentPrintHeading());
        const QRect paper = page.rect().adjusted(52, 52, -52, -52);
        print.Paginate(paper.size(), 110);
        QPainter p(&page);
        p.translate(paper.topLeft());
        print.PaintPage(p, 0);
    }
    ok = studio.Save(page, QStringLiteral("print-page.png")) && ok;

    ok = main.ExportCsv(studio.Scratch(QStringLiteral("example.csv"))) && ok;
    ok = studio.Save(seam.Last<TFormReport>(), QStringLiteral("export-report.png")) && ok;

    ok = main.OpenFromUser(studio.Doc(QStringLiteral("example-other-programmer.csv"))) && ok;
    ok = studio.Save(seam.Last<TFormReport>(), QStringLiteral("import-report.png")) && ok;

    // Both menus are popups of their own: drawn side by side as they open.
    QMenu *file = main.menuBar()->actions().first()->menu();
    file->popup(main.mapToGlobal(QPoint(0, main.menuBar()->height())));
    Settle();
    file->setActiveAction(main.recentMenu()->menuAction());
    QMenu *recent = main.recentMenu();
    const QPixmap fileShot = Grab(file);
    const QPixmap recentShot = Grab(recent);
    if (!recent->isVisible()) {
        std::fprintf(stderr, "the recent files did not open\n");
        ok = false;
    }
    const QRect both = file->geometry().united(recent->geometry());
    QPixmap menus(both.size());
    menus.fill(Qt::transparent);
    {
        QPainter p(&menus);
        p.drawPixmap(file->geometry().topLeft() - both.topLeft(), fileShot);
        p.drawPixmap(recent->geometry().topLeft() - both.topLeft(), recentShot);
    }
    file->hide();
    return studio.Save(menus, QStringLiteral("file-menu.png")) && ok;
}

struct Scene
{
    const char *name;
    bool (*make)(Studio &);
};

constexpr Scene kScenes[] = {
    {"main", MainScene},
    {"editing", EditingScene},
    {"safety", SafetyScene},
    {"csvprint", CsvPrintScene},
};

} // namespace

int main(int argc, char **argv)
{
    KdApplication app(argc, argv);
    const QStringList args = app.arguments();
    for (const Scene &scene : kScenes) {
        if (args.size() == 3 && args.at(1) == QLatin1String(scene.name)) {
            Studio studio(args.at(2));
            return scene.make(studio) ? 0 : 1;
        }
    }
    std::fprintf(stderr, "usage: kd-screenshot SCENE DOCS-FOLDER\nscenes:");
    for (const Scene &scene : kScenes)
        std::fprintf(stderr, " %s", scene.name);
    std::fprintf(stderr, "\n");
    return 2;
}
