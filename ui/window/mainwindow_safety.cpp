// The main window's write safety: the options under "Установки", the write
// they make, the comparison with the radio and the trace viewer.

#include "ui/window/mainwindow.h"

#include "job/safetysteps.h"
#include "job/writesafety.h"
#include "ui/app/dialogseam.h"
#include "ui/dialogs/comparison.h"
#include "ui/dialogs/formcompare.h"
#include "ui/dialogs/formprogress.h"
#include "ui/dialogs/formtrace.h"
#include "ui/grid/pictures.h"
#include "ui/window/edithistory.h"
#include "ui/window/safetyoptions.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QToolBar>

void TForm1::CreateSafetyActions()
{
    ActionCompare = new QAction(tr("Сравнить с радиостанцией"), this);
    ActionCompare->setObjectName(QStringLiteral("ActionCompare"));
    ActionCompare->setToolTip(ActionCompare->text());
    ActionCompare->setIcon(SvgIcon(QStringLiteral(":/icons/radio_compare.svg"), 20));
    connect(ActionCompare, &QAction::triggered, this, &TForm1::ActionCompareExecute);

    const SafetyOptions stored = SafetyOptions::Load();
    auto option = [this](QAction *&action, const char *name, const QString &caption, bool checked) {
        action = new QAction(caption, this);
        action->setObjectName(QLatin1String(name));
        action->setCheckable(true);
        action->setChecked(checked);
        // Every change is kept at once, for the next start as well.
        connect(action, &QAction::toggled, this, [this] { safetyOptions().Store(); });
    };
    option(ActionBackupBeforeWrite, "ActionBackupBeforeWrite", tr("Резервная копия перед записью"),
           stored.backup);
    option(ActionVerifyAfterWrite, "ActionVerifyAfterWrite", tr("Проверка после записи"), stored.verify);
    option(ActionCompareBeforeWrite, "ActionCompareBeforeWrite", tr("Сравнение перед записью"),
           stored.compareFirst);
    option(ActionTraceExchange, "ActionTraceExchange", tr("Записывать трассу обмена"), stored.trace);

    ActionOpenBackupFolder = new QAction(tr("Папка резервных копий"), this);
    ActionOpenBackupFolder->setObjectName(QStringLiteral("ActionOpenBackupFolder"));
    connect(ActionOpenBackupFolder, &QAction::triggered, this, &TForm1::ActionOpenBackupFolderExecute);
    ActionShowTrace = new QAction(tr("Трасса последнего обмена ..."), this);
    ActionShowTrace->setObjectName(QStringLiteral("ActionShowTrace"));
    connect(ActionShowTrace, &QAction::triggered, this, &TForm1::ActionShowTraceExecute);
}

void TForm1::AddSafetyActions(QMenu *radio, QMenu *setup, QToolBar *tools)
{
    radio->addAction(ActionCompare);
    setup->addSeparator();
    setup->addAction(ActionBackupBeforeWrite);
    setup->addAction(ActionVerifyAfterWrite);
    setup->addAction(ActionCompareBeforeWrite);
    setup->addAction(ActionTraceExchange);
    setup->addSeparator();
    setup->addAction(ActionOpenBackupFolder);
    setup->addAction(ActionShowTrace);
    tools->addAction(ActionCompare);
}

SafetyOptions TForm1::safetyOptions() const
{
    SafetyOptions o;
    o.backup = ActionBackupBeforeWrite->isChecked();
    o.verify = ActionVerifyAfterWrite->isChecked();
    o.compareFirst = ActionCompareBeforeWrite->isChecked();
    o.trace = ActionTraceExchange->isChecked();
    return o;
}

QString TForm1::TracePathForNextJob() const
{
    return ActionTraceExchange->isChecked() ? TraceFilePath() : QString();
}

void TForm1::RunSequence(std::unique_ptr<JobSequence> sequence, const ExchangeLook &look,
                         const std::function<void()> &after)
{
    if (m_portPending)
        DetermineInitialPort();
    if (NoPortButRadioElsewhere())
        return;
    m_dialogs.progress->SetTracePath(TracePathForNextJob());
    m_dialogs.progress->PrepareSequence(std::move(sequence), look.caption, look.percent, look.colour);
    ExecProgress(after ? after : [] {});
    PointToRadioElsewhere(m_dialogs.progress->job());
}

bool TForm1::CheckBeforeWrite()
{
    if (!EntriesAccepted())
        return false;
    // The radio last heard asks for another programmer.
    if (m_info.IsComplete() && !WriteAllowed(m_info)) {
        DialogSeam::Current().Message(this, DialogSeam::Icon::Error,
                                      tr("Для программирования станции необходим другой программатор [%1]")
                                          .arg(m_info.programmerVersion));
        return false;
    }
    // Refusals that no radio's settings version changes (the channels, the
    // settings every version carries) come before the backup read, not after.
    if (const QList<ValueFinding> findings = CheckValues(m_channels.channels, m_settings, SettingsContext::Version100);
        HasRefused(findings)) {
        DialogSeam::Current().Message(this, DialogSeam::Icon::Error,
                                      ProgrammingJob::RefusalLines(findings).join(QLatin1Char('\n')));
        return false;
    }
    QString error;
    if (safetyOptions().backup && !safety::PrepareBackupFolder(BackupFolder(), error)) {
        DialogSeam::Current().Message(this, DialogSeam::Icon::Error,
                                      tr("Резервная копия не может быть сохранена: %1. Запись отменена.").arg(error));
        return false;
    }
    return true;
}

bool TForm1::WriteToRadio(bool *verified)
{
    if (verified)
        *verified = false;
    if (!m_dialogs.progress || !CheckBeforeWrite())
        return false;
    const SafetyOptions options = safetyOptions();
    if (options.compareFirst && CompareWithRadio(true) != QDialog::Accepted)
        return false;
    const TablesSnapshot before = m_edits->Now();
    WriteSequence write = MakeWriteSequence(m_channels, m_settings, m_info, options, BackupFolder());
    // The progress window keeps the sequence, and so the steps, until its next showing.
    const safety::ExchangeStep *written = write.write;
    const safety::VerifyStep *verify = write.verify;
    bool ok = false;
    bool checked = false;
    RunSequence(std::move(write.sequence), ExchangeLookFor(ProgrammingJob::OpWrite), [&] {
        ok = written->job().succeeded();
        checked = !verify || (verify->job().succeeded() && !verify->mismatch);
        AfterWrite(before, ok, checked, written->job().infoReceived());
        // Closed by the user while the tables went out: the log that would say
        // what the radio now holds is closed with the window.
        const JobSequence *run = m_dialogs.progress->sequence();
        const ProgrammingJob &job = written->job();
        using Part = ProgrammingJob::TableWrite;
        if (!ok && run && run->stopped()
            && (job.channelTableWrite() != Part::None || job.settingsTableWrite() != Part::None))
            DialogSeam::Current().Message(
                this, DialogSeam::Icon::Warning,
                tr("Запись остановлена до её окончания: радиостанция может хранить часть новых таблиц.")
                    + QLatin1Char('\n') + job.Summary());
        // Seen in the log already, but too grave to go with the window.
        if (verify && verify->mismatch)
            DialogSeam::Current().Message(this, DialogSeam::Icon::Error,
                                          tr("Ошибка. Несовпадение данных при сравнении!!!"));
    });
    if (verified)
        *verified = checked;
    return ok;
}

int TForm1::CompareWithRadio(bool beforeWrite)
{
    if (!m_dialogs.progress)
        return QDialog::Rejected;
    auto sequence = std::make_unique<JobSequence>();
    auto step = std::make_unique<safety::RadioReadStep>();
    const safety::RadioReadStep *read = step.get();
    sequence->Add(std::move(step));
    RunSequence(std::move(sequence), {tr("Сравнение ..."), QColor(0, 128, 0), 35});
    if (!read->job().succeeded()) {
        // Why is in the log; a write that was to follow does not happen.
        if (beforeWrite)
            DialogSeam::Current().Message(
                this, DialogSeam::Icon::Warning,
                tr("Радиостанция не прочитана, сравнение не выполнено. Запись отменена."));
        return QDialog::Rejected;
    }

    const JobRecords &radio = read->radio();
    std::array<std::int32_t, 4> watts{};
    std::copy_n(radio.info.txPower.begin(), watts.size(), watts.begin());
    const comparison::Comparison differences =
        comparison::Compare(radio.channels.channels, m_channels.channels, radio.settings, m_settings,
                            radio.info.settingsTableVersion, watts);
    TFormCompare dialog(this);
    dialog.Show(differences, beforeWrite ? TFormCompare::Mode::BeforeWrite : TFormCompare::Mode::Compare);
    return ExecDialog(&dialog);
}

void TForm1::ActionCompareExecute()
{
    if (EntriesAccepted())
        CompareWithRadio(false);
}

void TForm1::ActionOpenBackupFolderExecute()
{
    const QString folder = BackupFolder();
    QDir().mkpath(folder);
    if (!DialogSeam::Current().ShowFolder(this, folder))
        DialogSeam::Current().Message(
            this, DialogSeam::Icon::Warning,
            tr("Не удалось открыть папку %1").arg(QDir::toNativeSeparators(folder)));
}

void TForm1::ActionShowTraceExecute()
{
    const QString path = TraceFilePath();
    if (!QFileInfo::exists(path)) {
        DialogSeam::Current().Message(
            this, DialogSeam::Icon::Information,
            tr("Трасса обмена не записана. Включите \"Записывать трассу обмена\" в меню \"Установки\"."));
        return;
    }
    TFormTrace viewer(this);
    QString error;
    if (!viewer.Load(path, error)) {
        DialogSeam::Current().Message(
            this, DialogSeam::Icon::Error,
            tr("Не удалось прочитать файл %1: %2").arg(QDir::toNativeSeparators(path), error));
        return;
    }
    ExecDialog(&viewer);
}
