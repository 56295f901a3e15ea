// kd-tune: the desktop programmer.

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("KD_Tune"));
    QApplication::setApplicationName(QStringLiteral("KD_Tune"));
    return 0;
}
