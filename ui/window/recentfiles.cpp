// The list of recently opened and saved files.

#include "ui/window/recentfiles.h"

#include "link/portdirectory.h"

#include <QDir>
#include <QFileInfo>

namespace RecentFiles {
namespace {

const QString kKey = QStringLiteral("Settings/RecentFiles");

QString Normal(const QString &path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

bool Same(const QString &a, const QString &b)
{
#ifdef Q_OS_WIN
    return a.compare(b, Qt::CaseInsensitive) == 0;
#else
    return a == b;
#endif
}

} // namespace

QStringList Without(const QStringList &list, const QString &path)
{
    const QString key = Normal(path);
    QStringList out;
    for (const QString &entry : list)
        if (!entry.isEmpty() && !Same(Normal(entry), key))
            out << entry;
    return out;
}

QStringList Promoted(const QStringList &list, const QString &path)
{
    QStringList out = Without(list, path);
    out.prepend(Normal(path));
    return out.mid(0, MaxCount);
}

QStringList Load()
{
    return UserSettings().value(kKey).toStringList().mid(0, MaxCount);
}

void Store(const QStringList &list)
{
    UserSettings settings;
    if (list.isEmpty())
        settings.remove(kKey);
    else
        settings.setValue(kKey, list);
}

void Add(const QString &path)
{
    Store(Promoted(Load(), path));
}

void Remove(const QString &path)
{
    Store(Without(Load(), path));
}

} // namespace RecentFiles
