// kd-screenshot-safety: the pictures of the write-safety dialogs in docs/, made
// by tools/screenshot-safety.
//
// Starts the program's windows as kd-tune does, reads the radio on the port
// chosen at start, changes a few channels and settings as a technician would,
// and writes them back with every safety option on: the comparison before the
// write, the progress window after backup, write and read-back, the trace
// viewer and the "Установки" menu.

#include "ui/application.h"
#include "ui/dialogseam.h"
#include "ui/formcompare.h"
#include "ui/formprogress.h"
#include "ui/formtrace.h"
#include "ui/mainwindow.h"

#include <QAction>
#include <QDialog>
#include <QElapsedTimer>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QTemporaryDir>

#include <cstdio>

namespace {

void Settle()
{
    for (int i = 0; i < 10; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

// Runs each dialog without blocking, keeps a picture of it, and answers as a
// technician who has read it would.
class PictureDialogs : public DialogSeam
{
public:
    QPixmap compare, progress, trace;

    void Message(QWidget *, Icon, const QString &text) override
    {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
    }
    QString OpenFileName(QWidget *, const QString &) override { return {}; }
    QString SaveFileName(QWidget *, const QString &, const QString &, const QString &) override { return {}; }
    bool ShowFolder(QWidget *, const QString &) override { return true; }
    SaveChoice AskSave(QWidget *, const QString &) override { return SaveChoice::Discard; }
    int Exec(QDialog *dialog) override
    {
        if (auto *p = qobject_cast<TFormProgress *>(dialog)) {
            // Tall enough for the whole log of a guarded write.
            p->resize(TFormProgress::ClientWidth, 560);
            p->show();
            QElapsedTimer timer;
            timer.start();
            while (!p->finished() && timer.elapsed() < 120000)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
            Settle();
            progress = p->grab();
            p->done(QDialog::Accepted);
            return QDialog::Accepted;
        }
        dialog->show();
        Settle();
        if (qobject_cast<TFormCompare *>(dialog)) {
            compare = dialog->grab();
            dialog->done(QDialog::Accepted); // "Записать"
            return QDialog::Accepted;
        }
        if (auto *viewer = qobject_cast<TFormTrace *>(dialog)) {
            viewer->MemoTrace->moveCursor(QTextCursor::Start);
            Settle();
            trace = dialog->grab();
        }
        dialog->done(QDialog::Rejected);
        return QDialog::Rejected;
    }
};

} // namespace

int main(int argc, char **argv)
{
    KdApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 5) {
        std::fprintf(stderr, "usage: kd-screenshot-safety COMPARE.png WRITE.png TRACE.png MENU.png\n");
        return 2;
    }
    PictureDialogs seam;
    DialogSeam::Install(&seam);
    QTemporaryDir scratch;
    ProgramWindows windows = CreateProgramWindows(scratch.filePath(QStringLiteral("KD_config.xml")));
    TForm1 &main = *windows.main;
    main.show();
    Settle();
    main.ActionReadExecute();

    // What a technician changes before writing back.
    main.channels().channels[1].freq_tx = 43125000;
    main.channels().channels[3].subtone_rx = main.channels().channels[3].subtone_tx = 17;
    main.channels().channels[3].tx_power_high = 2;
    main.channels().channels[7] = main.channels().channels[0];
    main.channels().channels[7].freq_rx = main.channels().channels[7].freq_tx = 44975000;
    main.settings().Volume = 6;
    main.settings().KeyBeep = !main.settings().KeyBeep;

    for (QAction *option : {main.ActionBackupBeforeWrite, main.ActionVerifyAfterWrite,
                            main.ActionCompareBeforeWrite, main.ActionTraceExchange})
        option->setChecked(true);
    main.ActionWriteExecute();
    main.ActionShowTraceExecute();

    // The options as the menu shows them.
    QMenu *setup = nullptr;
    for (QAction *a : main.menuBar()->actions()) {
        if (a->menu() && a->menu()->actions().contains(main.ActionBackupBeforeWrite))
            setup = a->menu();
    }
    QPixmap menu;
    if (setup) {
        setup->popup(main.mapToGlobal(QPoint(120, 30)));
        Settle();
        menu = setup->grab();
        setup->hide();
    }

    const bool ok = seam.compare.save(args.at(1)) && seam.progress.save(args.at(2)) &&
                    seam.trace.save(args.at(3)) && menu.save(args.at(4));
    DialogSeam::Install(nullptr);
    return ok ? 0 : 1;
}
