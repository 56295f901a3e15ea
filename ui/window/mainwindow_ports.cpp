// The main window's help in finding the radio: when no port is chosen, or no
// radio answers on the chosen one, it asks every port and names the one port
// where a radio answers. It never switches ports by itself.

#include "ui/window/mainwindow.h"

#include "link/protocol.h"
#include "ui/app/dialogseam.h"
#include "ui/dialogs/formcom.h"
#include "ui/dialogs/formprogress.h"

#include <QGuiApplication>

namespace {

// The job found nothing to talk to: no port, no device, or silence where the
// radio's information should have been. A busy port or a radio that broke off
// later says nothing about where the radio is.
bool NoRadioAnswered(const ProgrammingJob &job)
{
    if (job.portNotOpened()) {
        const ports::OpenProblem::Kind kind = job.openProblem().kind;
        return kind == ports::OpenProblem::None || kind == ports::OpenProblem::NoDevice
            || kind == ports::OpenProblem::Absent;
    }
    return !job.infoReceived() && job.exchangeError() == protocol::ErrNoReply;
}

} // namespace

bool TForm1::SayRadioElsewhere(int chosen)
{
    TFormComPort *dialog = m_dialogs.comPort;
    if (!dialog || !dialog->probing())
        return false;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const QList<PortFinding> findings = ProbePorts(dialog->ProbeEntries());
    QGuiApplication::restoreOverrideCursor();
    const QString text = RadioElsewhereMessage(chosen, findings);
    if (text.isEmpty())
        return false;
    DialogSeam::Current().Message(this, DialogSeam::Icon::Warning, text);
    return true;
}

bool TForm1::NoPortButRadioElsewhere()
{
    return m_dialogs.progress && m_dialogs.progress->port() == 0 && SayRadioElsewhere(0);
}

void TForm1::PointToRadioElsewhere(const ProgrammingJob *job)
{
    // No port at all was dealt with before the job.
    if (job && job->port() != 0 && NoRadioAnswered(*job))
        SayRadioElsewhere(int(job->port()));
}
