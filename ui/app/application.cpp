// The application object of kd-tune: its title, start-up and what an escaped exception does.

#include "ui/app/application.h"

#include "job/language.h"
#include "model/freqrangelist.h"
#include "ui/app/accessibility.h"
#include "ui/app/dialogseam.h"
#include "ui/app/firstpaintprobe.h"
#include "ui/dialogs/about.h"
#include "ui/dialogs/form_freqrange.h"
#include "ui/dialogs/formcom.h"
#include "ui/dialogs/formprogress.h"
#include "ui/editor/formchannel.h"
#include "ui/grid/pictures.h"
#include "ui/window/mainwindow.h"

#include <exception>

QString ApplicationTitle()
{
    return QCoreApplication::translate("KdApplication", "Программатор радиостанции \"КОРДАН 7К-40БМ\"");
}

KdApplication::KdApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    // The menus stay in the window. Looking for a desktop-wide menu bar costs
    // a message-bus round trip at every start, for desktops that rarely have one.
    setAttribute(Qt::AA_DontUseNativeMenuBar);
    setOrganizationName(QStringLiteral("KD_Tune"));
    setApplicationName(QStringLiteral("KD_Tune"));
    setApplicationVersion(ProgramVersion());
    setWindowIcon(SvgIcon(QStringLiteral(":/kd-tune"), 32));
}

bool KdApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &e) {
        ReportFatal(QString::fromUtf8(e.what()));
    } catch (...) {
        ReportFatal(QString());
    }
    return false;
}

void KdApplication::ReportFatal(const QString &text)
{
    // One box is enough: events delivered while it is open may fail again.
    static bool reporting = false;
    if (!reporting) {
        reporting = true;
        DialogSeam::Current().Message(nullptr, DialogSeam::Icon::Error, text);
        reporting = false;
    }
    QCoreApplication::exit(1);
}

ProgramWindows CreateProgramWindows(const QString &rangeListPath)
{
    InstallAccessibility();
    ProgramWindows w;
    w.main = std::make_unique<TForm1>(rangeListPath);
    w.chan = new TFormChan(w.main.get());
    w.about = new TFormAbout(w.main.get());
    w.comPort = new TFormComPort(w.main.get());
    w.progress = new TFormProgress(w.main.get());
    w.freqRange = new TFormFreqRange(w.main.get());
    w.main->SetDialogs(ProgramDialogs{w.chan, w.about, w.comPort, w.progress, w.freqRange});
    return w;
}

int RunKdTune(KdApplication &app)
{
    try {
        // Before any window exists: most of them take their texts only once.
        language::InstallStored();
        ProgramWindows windows = CreateProgramWindows(FreqRangeList::DefaultPath());
        if (qEnvironmentVariableIsSet("KD_TUNE_FIRST_PAINT_PROBE"))
            InstallFirstPaintProbe(windows.main.get());
        windows.main->show();
        const QStringList args = app.arguments();
        if (args.size() > 1)
            windows.main->OpenFromUser(args.at(1), true);  // as "Открыть" after its dialog
        return app.exec();
    } catch (const std::exception &e) {
        KdApplication::ReportFatal(QString::fromUtf8(e.what()));
    } catch (...) {
        KdApplication::ReportFatal(QString());
    }
    return 1;
}
