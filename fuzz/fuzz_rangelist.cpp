// The range list file opened and saved: any bytes give a list with a current
// range, and the file it writes reads back as the same list and writes again
// byte for byte. Only valid ranges are kept, so nothing is dropped on the way.

#include "model/freqrangelist.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FreqRangeList first;
    first.LoadXml(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (first.count() < 1 || !first.Current().IsValid())
        __builtin_trap();
    const QByteArray saved = first.ToXml();
    FreqRangeList again;
    if (!again.LoadXml(saved) || again.count() != first.count() || again.modified())
        __builtin_trap();
    for (int i = 0; i < first.count(); ++i) {
        if (!again.at(i).Equals(first.at(i)))
            __builtin_trap();
    }
    if (again.ToXml() != saved)
        __builtin_trap();
    return 0;
}
