// kd-screenshot-editing: the pictures of undo and the channel rows in docs/,
// made by tools/screenshot-editing.
//
// Opens docs/example-config.xml in the program's own windows, selects some
// channel rows, cuts one of them and saves the window with the grid's menu
// open (the caption marked unsaved); then asks the question that "Создать"
// asks before replacing unsaved tables, and saves that box.

#include "ui/application.h"
#include "ui/channelgrid.h"
#include "ui/dialogseam.h"
#include "ui/mainwindow.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

namespace {

void Settle()
{
    for (int i = 0; i < 10; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

} // namespace

int main(int argc, char **argv)
{
    KdApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4) {
        std::fprintf(stderr, "usage: kd-screenshot-editing CONFIG.xml ROWS.png QUESTION.png\n");
        return 2;
    }
    QTemporaryDir scratch;
    ProgramWindows windows = CreateProgramWindows(scratch.filePath(QStringLiteral("KD_config.xml")));
    TForm1 &main = *windows.main;
    main.show();
    Settle();
    if (!main.OpenFile(args.at(1)))
        return 1;

    ChannelGrid *grid = main.grid();
    grid->setFocus();
    grid->setCurrentRow(5);
    main.CutChannelsExecute();
    grid->selectRows(2, 4);
    Settle();

    // The window with the grid's menu opened over the selection.
    QPixmap shot = main.grab();
    QMenu menu;
    menu.addActions(grid->actions());
    menu.ensurePolished();
    menu.adjustSize();
    menu.show();
    Settle();
    {
        QPainter p(&shot);
        const QPoint at = grid->mapTo(&main, grid->viewport()->mapTo(grid, grid->cellRect(3, 4).center()));
        p.drawPixmap(at, menu.grab());
    }
    menu.hide();
    bool ok = shot.save(args.at(2));

    // The real question box, taken and closed as soon as it is up.
    QPixmap question;
    QTimer::singleShot(300, &app, [&question] {
        if (QWidget *box = QApplication::activeModalWidget()) {
            question = box->grab();
            box->close();
        }
    });
    main.FileCreateExecute();
    ok = ok && !question.isNull() && question.save(args.at(3));
    return ok ? 0 : 1;
}
