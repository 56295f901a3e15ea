// Reading a whole file that must not fill the memory, whatever the path turns out to name.
#pragma once

#include <QByteArray>
#include <QString>

// Reads a whole file of at most `limit` bytes. A device or a huge file must
// not fill the memory, so no more than limit + 1 bytes are ever read.
enum class BoundedRead { Ok, NotOpened, TooLarge };
BoundedRead ReadBounded(const QString &path, qint64 limit, QByteArray &data, QString &openError);
