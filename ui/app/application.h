// The application object of kd-tune: its title, start-up and what an escaped exception does.
#pragma once

#include <QApplication>
#include <QString>
#include <QStringList>

#include <memory>

class TForm1;
class TFormAbout;
class TFormChan;
class TFormComPort;
class TFormFreqRange;
class TFormProgress;

// "Программатор радиостанции "КОРДАН 7К-40БМ"": the caption of the program's
// message boxes. It is not appended to the windows' captions.
QString ApplicationTitle();

// The application object of kd-tune: an exception that escapes an event
// handler is shown in a critical message box with its text (an empty text for
// something that is not an exception), and the program then ends with status 1.
class KdApplication : public QApplication
{
    Q_OBJECT
public:
    KdApplication(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;

    // Shows `text` as the top-level error and makes the event loops end with 1.
    static void ReportFatal(const QString &text);
};

// Every window of the program, created once at start in this order and kept
// until it ends; the dialogs are children of the main window.
struct ProgramWindows
{
    std::unique_ptr<TForm1> main;
    TFormChan *chan = nullptr;
    TFormAbout *about = nullptr;
    TFormComPort *comPort = nullptr;
    TFormProgress *progress = nullptr;
    TFormFreqRange *freqRange = nullptr;
};

// `rangeListPath`: the range list file; empty keeps the list in memory.
ProgramWindows CreateProgramWindows(const QString &rangeListPath);

// kd-tune from start to end: the windows, the main window shown, the file
// named on the command line opened, the message loop. Returns the exit status.
int RunKdTune(KdApplication &app);
