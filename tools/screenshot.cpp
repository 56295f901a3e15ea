// kd-screenshot: the pictures of kd-tune in docs/, made by tools/screenshot.
//
// Starts the program's windows exactly as kd-tune does, reads the radio on the
// port chosen at start (the script maps a simulated radio there), and saves
// the main window and the progress window as PNG files.

#include "ui/application.h"
#include "ui/channelgrid.h"
#include "ui/dialogseam.h"
#include "ui/formprogress.h"
#include "ui/mainwindow.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QPixmap>
#include <QTemporaryDir>

#include <cstdio>

namespace {

// Runs the progress window without blocking and closes it when its job ends.
class AutoCloseDialogs : public DialogSeam
{
public:
    QPixmap progressShot;

    void Message(QWidget *, Icon, const QString &text) override
    {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
    }
    QString OpenFileName(QWidget *, const QString &) override { return {}; }
    QString SaveFileName(QWidget *, const QString &, const QString &, const QString &) override { return {}; }
    SaveChoice AskSave(QWidget *, const QString &) override { return SaveChoice::Discard; }
    int Exec(QDialog *dialog) override
    {
        auto *progress = qobject_cast<TFormProgress *>(dialog);
        if (!progress)
            return QDialog::Rejected;
        progress->show();
        QElapsedTimer timer;
        timer.start();
        while (!progress->finished() && timer.elapsed() < 60000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QCoreApplication::processEvents();
        progressShot = progress->grab();
        progress->done(QDialog::Accepted);
        return QDialog::Accepted;
    }
};

} // namespace

int main(int argc, char **argv)
{
    KdApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: kd-screenshot MAIN.png PROGRESS.png\n");
        return 2;
    }
    AutoCloseDialogs seam;
    DialogSeam::Install(&seam);
    QTemporaryDir scratch;
    ProgramWindows windows = CreateProgramWindows(scratch.filePath(QStringLiteral("KD_config.xml")));
    TForm1 &main = *windows.main;
    main.show();
    QCoreApplication::processEvents();
    main.ActionReadExecute();
    main.grid()->setCurrentRow(2);
    for (int i = 0; i < 10; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    const bool ok = main.grab().save(args.at(1)) && seam.progressShot.save(args.at(2));
    DialogSeam::Install(nullptr);
    return ok ? 0 : 1;
}
