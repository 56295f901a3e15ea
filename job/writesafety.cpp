// A radio's backup file named after its serial number and the time, and its folder made ready.

#include "job/writesafety.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

// The texts of this file, for Qt Linguist.
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(WriteSafety)
};

} // namespace

namespace safety {

QString RadioFileName(const TInfoContext &info, const QDateTime &when)
{
    const QString serial = info.serialNumber == 0xFFFFFFFFu ? QStringLiteral("none") : QString::number(info.serialNumber);
    return QStringLiteral("KD_%1_%2.xml").arg(serial, when.toString(QStringLiteral("yyyyMMdd_HHmmss")));
}

bool PrepareBackupFolder(const QString &dir, QString &error)
{
    if (dir.isEmpty()) {
        error = Tr::tr("не указана папка для резервной копии");
        return false;
    }
    const QFileInfo folder(dir);
    if (folder.exists() && !folder.isDir()) {
        error = Tr::tr("%1 не является папкой").arg(dir);
        return false;
    }
    if (!QDir().mkpath(dir)) {
        error = Tr::tr("не удалось создать папку %1").arg(dir);
        return false;
    }
    if (!QFileInfo(dir).isWritable()) {
        error = Tr::tr("нет прав на запись в папку %1").arg(dir);
        return false;
    }
    return true;
}

} // namespace safety
