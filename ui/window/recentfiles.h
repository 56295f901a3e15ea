// The list of recently opened and saved files.
#pragma once

#include <QString>
#include <QStringList>

// The files last opened or saved, newest first, kept in the per-user settings
// (group "Settings", key "RecentFiles") for the "Файл" menu.
namespace RecentFiles {

constexpr int MaxCount = 8;

// `list` with `path` in front, its earlier entry removed and the list cut to
// MaxCount. Paths are compared as absolute, cleaned paths (without regard to
// case on Windows).
QStringList Promoted(const QStringList &list, const QString &path);
// `list` without `path`.
QStringList Without(const QStringList &list, const QString &path);

QStringList Load();
void Store(const QStringList &list);
void Add(const QString &path);
void Remove(const QString &path);

} // namespace RecentFiles
