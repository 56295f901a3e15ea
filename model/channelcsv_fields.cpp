// The CSV table's field mapping: numbers in the file's fixed-point forms, and
// the CTCSS tones and DCS codes by their texts.

#include "model/channelcsv_fields.h"

#include "xml/xml_common.h"

namespace ChannelCsv {

QString Quoted(const QString &text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

// "146.52", "146,520000", "88.5", "146": a non-negative decimal number in units
// of 10^-decimals, rounded half up beyond them. False for anything else.
bool ParseFixed(const QString &text, int decimals, qint64 &value)
{
    qint64 whole = 0;
    qint64 fraction = 0;
    int fractionDigits = 0;
    int roundingDigit = -1;
    bool point = false;
    bool digits = false;
    for (const QChar ch : text) {
        if (ch == QLatin1Char('.') || ch == QLatin1Char(',')) {
            if (point)
                return false;
            point = true;
            continue;
        }
        if (ch < QLatin1Char('0') || ch > QLatin1Char('9'))
            return false;
        const int d = ch.unicode() - '0';
        digits = true;
        if (!point) {
            whole = whole * 10 + d;
            if (whole > 1000000000000LL)
                return false;
        } else if (fractionDigits < decimals) {
            fraction = fraction * 10 + d;
            ++fractionDigits;
        } else if (roundingDigit < 0) {
            roundingDigit = d;
        }
    }
    if (!digits)
        return false;
    qint64 scale = 1;
    for (int i = 0; i < decimals; ++i)
        scale *= 10;
    for (; fractionDigits < decimals; ++fractionDigits)
        fraction *= 10;
    value = whole * scale + fraction + (roundingDigit >= 5 ? 1 : 0);
    return true;
}

QString MHz(qint64 hertz)
{
    return QString::asprintf("%lld.%06lld", hertz / kHzPerMHz, hertz % kHzPerMHz);
}

QString Hertz(qint64 hertz)
{
    return GroupDigits(QString::number(hertz));
}

// The CTCSS list in tenths of a hertz, from the texts the grid shows.
const std::array<qint64, CtcssCount> &CtcssTenths()
{
    static const std::array<qint64, CtcssCount> tenths = [] {
        std::array<qint64, CtcssCount> t{};
        for (int i = 0; i < CtcssCount; ++i)
            ParseFixed(SubtoneGridText(FirstCtcssCode + i).trimmed(), 1, t[std::size_t(i)]);
        return t;
    }();
    return tenths;
}

QString CsvTone(std::int32_t code)
{
    const qint64 t = CtcssTenths()[std::size_t(code - FirstCtcssCode)];
    return QString::asprintf("%lld.%lld", t / 10, t % 10);
}

std::int32_t CtcssCodeOf(qint64 tenths)
{
    const auto &list = CtcssTenths();
    const auto it = std::find(list.begin(), list.end(), tenths);
    return it == list.end() ? 0 : FirstCtcssCode + std::int32_t(it - list.begin());
}

// "23" and "023" are the same code; the list holds three octal digits.
std::int32_t DcsCodeOf(const QString &text)
{
    if (text.isEmpty() || text.size() > 3)
        return 0;
    const QString digits = text.rightJustified(3, QLatin1Char('0'));
    for (std::int32_t code = FirstDcsCode; code <= LastDcsCode; ++code)
        if (SubtoneGridText(code) == digits)
            return code;
    return 0;
}

} // namespace ChannelCsv
