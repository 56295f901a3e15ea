// A whole file read with a cap: never more than one byte past the limit is taken.

#include "model/boundedread.h"

#include <QFile>

BoundedRead ReadBounded(const QString &path, qint64 limit, QByteArray &data, QString &openError)
{
    data.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        openError = file.errorString();
        return BoundedRead::NotOpened;
    }
    data = file.read(limit + 1);
    if (data.size() > limit) {
        data.clear();
        return BoundedRead::TooLarge;
    }
    return BoundedRead::Ok;
}
