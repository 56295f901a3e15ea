// Helpers several suites share: files read and written whole, image bytes, and a second range.
#pragma once

#include "model/freqrange.h"
#include "model/tableimage.h"

#include <QByteArray>
#include <QFile>
#include <QString>

// What several suites write, read and compare: whole files, table images as
// the radio stores them, and a second range.

// Empty when the file cannot be read.
inline QByteArray ReadAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline bool WriteAll(const QString &path, const QByteArray &data)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(data) == data.size();
}

// The 2048 bytes of `image`, as in a radio's state folder.
inline QByteArray ImageBytes(const TableImage &image)
{
    return QByteArray(reinterpret_cast<const char *>(image.data()), qsizetype(TableImage::Size));
}

// 146-174 MHz both ways: a range no list holds at start.
inline FreqRange VhfRange()
{
    FreqRange r;
    r.AddRx(146000000, 174000000);
    r.AddTx(146000000, 174000000);
    return r;
}
