// The floor of bench_gui's start-up figure: an empty Qt main window of the
// size kd-tune opens with, reporting its first paint the same way.

#include "ui/firstpaintprobe.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(960, 600);
    InstallFirstPaintProbe(&window);
    window.show();
    return app.exec();
}
