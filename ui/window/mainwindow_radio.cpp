// The main window's exchanges with the radio: reading, writing and the radio's
// information, each through the progress window, and what the window shows after.

#include "ui/window/mainwindow.h"

#include "job/jobrunner.h"
#include "model/channelcsv.h"
#include "ui/app/dialogseam.h"
#include "ui/dialogs/formcom.h"
#include "ui/dialogs/formprogress.h"
#include "ui/editor/formchannel.h"
#include "ui/settings/settingspages.h"
#include "ui/window/edithistory.h"
#include "ui/window/statuspanels.h"

void TForm1::ExecProgress(const std::function<void()> &afterJob)
{
    // The pages are brought up to date as soon as the job ends, while its log
    // is still shown; a window closed before that does it as it closes.
    bool done = false;
    const auto after = [&] {
        if (!done) {
            done = true;
            afterJob();
        }
    };
    const QMetaObject::Connection ended = connect(m_dialogs.progress, &TFormProgress::jobEnded, this, after);
    ExecDialog(m_dialogs.progress);
    disconnect(ended);
    after();
}

void TForm1::RunExchange(ProgrammingJob::Operation operation, const std::function<void(const ProgrammingJob *)> &after)
{
    if (!m_dialogs.progress)
        return;
    if (m_portPending)
        DetermineInitialPort();
    // Nothing ran: the window stays as it was.
    if (NoPortButRadioElsewhere())
        return;
    const ExchangeLook look = ExchangeLookFor(operation);
    m_dialogs.progress->SetTracePath(TracePathForNextJob());
    m_dialogs.progress->Prepare(m_channels, m_settings, m_info, operation, look.caption, look.percent, look.colour);
    ExecProgress([this, &after] { after(m_dialogs.progress->job()); });
    PointToRadioElsewhere(m_dialogs.progress->job());
}

void TForm1::ForgetRadioUnlessHeard(bool heard)
{
    // The record keeps the last radio's power levels, which the grid and the
    // lists still use; only its report and checks wait for the next answer.
    if (!heard)
        m_info.mainDecoded = m_info.extDecoded = false;
}

QList<ValueFinding> TForm1::ShowSettingsNoting()
{
    const SettingsContext before = m_settings;
    ShowSettings();
    return ChangedSettings(before, m_settings);
}

void TForm1::ActionReadExecute()
{
    if (!SaveChangesFirst())
        return;
    const TablesSnapshot before = m_edits->Now();
    RunExchange(ProgrammingJob::OpRead, [this, &before](const ProgrammingJob *job) {
        const bool read = job && job->succeeded();
        // All or nothing: a read that failed, even with one table decoded,
        // leaves the tables and the range as they were; its log says what
        // went wrong.
        if (!read)
            m_edits->Restore(before);
        else
            m_documentPath.clear();  // the table is the radio's now
        ForgetRadioUnlessHeard(job && job->infoReceived());
        ShowRadioInfo();
        if (read) {
            AdoptRadioRange();
            m_edits->Record(tr("чтение из радиостанции"));
            m_edits->MarkSaved();
        }
        // What the pages cannot show as the radio holds it is not what the
        // radio holds: unsaved, and said.
        const QList<ValueFinding> shown = ShowSettingsNoting();
        m_edits->Adopt();
        RepaintGrid();
        if (read && !shown.isEmpty())
            DialogSeam::Current().Message(this, DialogSeam::Icon::Warning, NoticeForValues(shown).text);
    });
}

void TForm1::AfterWrite(const TablesSnapshot &before, bool written, bool verified, bool heard)
{
    // Building the images puts power levels and squelch in order; a write
    // that did not reach the radio leaves even that undone.
    if (!written)
        m_edits->Restore(before);
    ForgetRadioUnlessHeard(heard);
    ShowSettings();
    ShowRadioInfo();
    RepaintGrid();
    if (written) {
        // The tables are what the radio holds now; only a write that was
        // checked (or needed no check) counts as saved.
        m_edits->Adopt();
        if (verified)
            m_edits->MarkSaved();
    }
}

void TForm1::ActionWriteExecute()
{
    WriteToRadio();
}

void TForm1::ActionGetInfoExecute()
{
    RunExchange(ProgrammingJob::OpInfo, [this](const ProgrammingJob *job) {
        const bool received = job && job->succeeded();
        ForgetRadioUnlessHeard(job && job->infoReceived());
        ShowSettings();
        ShowRadioInfo();
        if (!received) {
            RepaintGrid();
            return;
        }
        if (pageVisible(PageInfo))
            m_pages->setCurrentIndex(PageInfo);
        if (RadioRangeDiffers(m_info, m_channels.ranges))
            DialogSeam::Current().Message(this, DialogSeam::Icon::Warning,
                                          tr("Выбранный диапазон частот не совпадает с диапазоном частот радиостанции"));
        RepaintGrid();
    });
}
