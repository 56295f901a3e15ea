// The floor of bench_gui's start-up figure: an empty Qt main window of the
// size kd-tune opens with (given as arguments), reporting its first paint the
// same way.

#include "ui/app/firstpaintprobe.h"

#include <QApplication>
#include <QMainWindow>
#include <QStringList>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    const QStringList args = app.arguments();
    window.resize(args.size() > 2 ? QSize(args[1].toInt(), args[2].toInt()) : QSize(960, 600));
    InstallFirstPaintProbe(&window);
    window.show();
    return app.exec();
}
