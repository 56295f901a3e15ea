// The options that guard a write, kept in the per-user settings.

#include "ui/window/safetyoptions.h"

#include "job/safetysteps.h"
#include "link/portdirectory.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace {

const QString kBackupKey = QStringLiteral("Settings/BackupBeforeWrite");
const QString kVerifyKey = QStringLiteral("Settings/VerifyAfterWrite");
const QString kTraceKey = QStringLiteral("Settings/TraceExchange");
const QString kCompareKey = QStringLiteral("Settings/CompareBeforeWrite");

// The texts of this file, for Qt Linguist.
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(SafetyOptions)
};

} // namespace

SafetyOptions SafetyOptions::Load()
{
    const UserSettings settings;
    const SafetyOptions defaults;
    SafetyOptions o;
    o.backup = settings.value(kBackupKey, defaults.backup).toBool();
    o.verify = settings.value(kVerifyKey, defaults.verify).toBool();
    o.trace = settings.value(kTraceKey, defaults.trace).toBool();
    o.compareFirst = settings.value(kCompareKey, defaults.compareFirst).toBool();
    return o;
}

void SafetyOptions::Store() const
{
    UserSettings settings;
    settings.setValue(kBackupKey, backup);
    settings.setValue(kVerifyKey, verify);
    settings.setValue(kTraceKey, trace);
    settings.setValue(kCompareKey, compareFirst);
}

QString UserDataFolder()
{
    // Not the application's own location: the tests run under other names.
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .filePath(QStringLiteral("KD_Tune"));
}

QString BackupFolder()
{
    return QDir(UserDataFolder()).filePath(QStringLiteral("backups"));
}

QString TraceFilePath()
{
    return QDir(UserDataFolder()).filePath(QStringLiteral("trace.txt"));
}

WriteSequence MakeWriteSequence(ChannelsContext &channels, SettingsContext &settings, TInfoContext &info,
                                const SafetyOptions &options, const QString &backupFolder)
{
    WriteSequence w;
    w.sequence = std::make_unique<JobSequence>();
    if (options.backup) {
        auto step = std::make_unique<safety::BackupStep>(backupFolder);
        step->title = Tr::tr("Резервная копия: чтение радиостанции");
        w.backup = step.get();
        w.sequence->Add(std::move(step));
    }
    auto write = std::make_unique<safety::ExchangeStep>(channels, settings, info, ProgrammingJob::OpWrite);
    w.write = write.get();
    if (w.backup)
        w.backup->SetWrite(&w.write->job());
    w.sequence->Add(std::move(write));
    if (options.verify) {
        auto step = std::make_unique<safety::VerifyStep>(w.write->job());
        step->title = Tr::tr("Проверка: чтение радиостанции");
        w.verify = step.get();
        w.sequence->Add(std::move(step));
    }
    // The write's own lines need a heading only among others.
    if (w.sequence->count() > 1) {
        w.write->title = Tr::tr("Запись в радиостанцию");
        w.sequence->SetNarrated(true);
    }
    return w;
}
