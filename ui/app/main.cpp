// kd-tune: the desktop programmer.

#include "ui/app/application.h"

int main(int argc, char **argv)
{
    KdApplication app(argc, argv);
    return RunKdTune(app);
}
