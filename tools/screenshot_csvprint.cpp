// kd-screenshot-csvprint: pictures of the CSV, print and recent-file parts of
// kd-tune in docs/, made by tools/screenshot-csvprint under a virtual X server.
//
// Opens docs/example-config.xml, shows the print preview, renders the first
// printed page, exports the table to CSV, imports docs/example-other-programmer.csv
// and opens the "Файл" menu, saving each as a PNG file in the given folder.

#include "ui/application.h"
#include "ui/channelprint.h"
#include "ui/dialogseam.h"
#include "ui/formreport.h"
#include "ui/mainwindow.h"

#include <QDir>
#include <QElapsedTimer>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QTemporaryDir>

#include <cstdio>

namespace {

void Settle(int rounds = 20)
{
    for (int i = 0; i < rounds; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

// Shows each dialog without blocking, photographs it and closes it.
class Photographer : public DialogSeam
{
public:
    QString folder;
    QString nextName;
    bool ok = true;

    void Message(QWidget *, Icon, const QString &text) override
    {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
    }
    QString OpenFileName(QWidget *, const QString &) override { return {}; }
    QString SaveFileName(QWidget *, const QString &, const QString &, const QString &) override { return {}; }
    SaveChoice AskSave(QWidget *, const QString &) override { return SaveChoice::Discard; }
    int Exec(QDialog *dialog) override
    {
        if (qobject_cast<QPrintPreviewDialog *>(dialog))
            dialog->resize(1100, 780);
        dialog->show();
        Settle(40);
        if (!nextName.isEmpty())
            ok = dialog->grab().save(QDir(folder).filePath(nextName)) && ok;
        nextName.clear();
        dialog->done(QDialog::Accepted);
        return QDialog::Accepted;
    }
};

} // namespace

int main(int argc, char **argv)
{
    KdApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: kd-screenshot-csvprint DOCS-FOLDER SCRATCH-FOLDER\n");
        return 2;
    }
    const QDir docs(args.at(1));
    const QDir scratch(args.at(2));
    Photographer seam;
    seam.folder = docs.path();
    DialogSeam::Install(&seam);
    ProgramWindows windows = CreateProgramWindows(scratch.filePath(QStringLiteral("KD_config.xml")));
    TForm1 &main = *windows.main;
    main.show();
    Settle();

    bool ok = main.OpenFromUser(docs.filePath(QStringLiteral("example-config.xml")));

    seam.nextName = QStringLiteral("print-preview.png");
    main.ActionPrintExecute();

    // The first page as paper shows it, at 110 dots per inch.
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
    ok = page.save(docs.filePath(QStringLiteral("print-page.png"))) && ok;

    seam.nextName = QStringLiteral("export-report.png");
    ok = main.ExportCsv(scratch.filePath(QStringLiteral("example.csv"))) && ok;

    seam.nextName = QStringLiteral("import-report.png");
    ok = main.OpenFromUser(docs.filePath(QStringLiteral("example-other-programmer.csv"))) && ok;

    // The "Файл" menu with the recent files those two opens left.
    QMenu *file = main.menuBar()->actions().first()->menu();
    file->popup(main.mapToGlobal(QPoint(0, main.menuBar()->height())));
    Settle();
    ok = file->grab().save(docs.filePath(QStringLiteral("file-menu.png"))) && ok;
    file->hide();

    DialogSeam::Install(nullptr);
    return ok && seam.ok ? 0 : 1;
}
