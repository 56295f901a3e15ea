// How a range checks its intervals, finds and snaps frequencies, and reads and writes its element.

#include "model/freqrange.h"

#include "xml/xml_common.h"

#include <QCoreApplication>
#include <QDomDocument>
#include <QStringList>

#include <algorithm>

namespace {

// The texts of this file, for Qt Linguist.
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(FreqRange)
};

using List = std::array<std::uint32_t, FreqRange::Slots>;

constexpr std::uint32_t kOneGHz = 1000000000u;
constexpr std::uint32_t k100MHz = 100000000u;

bool Filled(const List &begin, const List &end, int i)
{
    return begin[i] != 0 && end[i] != 0;
}

bool Add(List &begin, List &end, std::uint32_t b, std::uint32_t e)
{
    for (int i = 0; i < FreqRange::Slots; ++i) {
        if (begin[i] == 0 && end[i] == 0) {
            begin[i] = b;
            end[i] = e;
            return true;
        }
    }
    return false;
}

bool Contains(const List &begin, const List &end, std::uint32_t f)
{
    for (int i = 0; i < FreqRange::Slots && Filled(begin, end, i); ++i) {
        if (begin[i] <= f && f <= end[i])
            return true;
    }
    return false;
}

bool Snap(const List &begin, const List &end, std::uint32_t &f, int direction)
{
    if (!Filled(begin, end, 0))
        return false;
    for (int i = 0; i < FreqRange::Slots; ++i) {
        if (!Filled(begin, end, i)) {
            f = end[i - 1];
            return true;
        }
        if (begin[i] <= f && f <= end[i])
            return false;
        if (f < begin[i]) {
            if (direction > 0) {
                f = begin[i];
                return true;
            }
            if (direction < 0) {
                f = i == 0 ? begin[0] : end[i - 1];
                return true;
            }
        }
    }
    f = end[FreqRange::Slots - 1];
    return true;
}

int Digits(const List &begin, const List &end)
{
    const std::uint32_t top = std::max(*std::max_element(begin.begin(), begin.end()),
                                       *std::max_element(end.begin(), end.end()));
    return (top == 0 || top >= k100MHz) ? 9 : 8;
}

// A list passes when its good slots are exactly 0..k-1, k >= 1, and the rest are
// empty. An rx slot is good only with the tx slot of the same index filled, so rx
// passes the tx list as its partner. Four good slots pass too: a radio can report
// four intervals, and its range must stay adoptable.
bool ListValid(const List &begin, const List &end, const List *partnerBegin, const List *partnerEnd)
{
    int good = 0;
    for (int i = 0; i < FreqRange::Slots; ++i) {
        bool basic = begin[i] != 0 && end[i] < kOneGHz;
        if (partnerBegin)
            basic = basic && (*partnerBegin)[i] != 0 && (*partnerEnd)[i] < kOneGHz;
        const bool ordered = begin[i] <= end[i] && (i == 0 || begin[i] > end[i - 1]);
        if (basic && ordered) {
            if (good != i)
                return false;  // a good slot after an empty one
            ++good;
            continue;
        }
        const bool empty = !basic && begin[i] == 0 && end[i] == 0;
        if (!empty)
            return false;
    }
    return good >= 1;
}

QString IntervalText(std::uint32_t b, std::uint32_t e)
{
    return b == e ? FormatMHz(b) : FormatMHz(b) + QLatin1Char('-') + FormatMHz(e);
}

QString ListText(const List &begin, const List &end, int count)
{
    QStringList parts;
    for (int i = 0; i < count; ++i)
        parts << IntervalText(begin[i], end[i]);
    return parts.join(QLatin1Char(','));
}

} // namespace

QString FormatMHz(std::uint32_t hertz)
{
    const std::int32_t value = static_cast<std::int32_t>(hertz);
    std::int32_t f = value;
    int decimals = 6;
    while (f % 10 == 0 && decimals > 0) {
        f /= 10;
        --decimals;
    }
    return QString::asprintf("%*.*lf", decimals + 3, decimals, double(value) * 0.000001);
}

void FreqRange::Clear()
{
    rxBegin.fill(0);
    txBegin.fill(0);
    rxEnd.fill(0);
    txEnd.fill(0);
}

bool FreqRange::AddRx(std::uint32_t begin, std::uint32_t end) { return Add(rxBegin, rxEnd, begin, end); }
bool FreqRange::AddTx(std::uint32_t begin, std::uint32_t end) { return Add(txBegin, txEnd, begin, end); }

void FreqRange::SetDefault()
{
    Clear();
    rxBegin[0] = txBegin[0] = DefaultBegin;
    rxEnd[0] = txEnd[0] = DefaultEnd;
}

bool FreqRange::Equals(const FreqRange &o) const
{
    return rxBegin == o.rxBegin && txBegin == o.txBegin && rxEnd == o.rxEnd && txEnd == o.txEnd;
}

bool FreqRange::IsValid() const
{
    return ListValid(rxBegin, rxEnd, &txBegin, &txEnd) && ListValid(txBegin, txEnd, nullptr, nullptr);
}

QString FreqRange::ToText() const
{
    bool separate = false;
    for (int i = 0; i < Slots; ++i) {
        if (rxBegin[i] == 0 || txBegin[i] == 0 || rxEnd[i] == 0 || txEnd[i] == 0)
            break;
        if (rxBegin[i] != txBegin[i] || rxEnd[i] != txEnd[i]) {
            separate = true;
            break;
        }
    }
    auto leading = [](const List &b, const List &e) {
        int n = 0;
        while (n < Slots && b[n] != 0 && e[n] != 0)
            ++n;
        return n;
    };
    if (separate) {
        return QStringLiteral("Rx:(") + ListText(rxBegin, rxEnd, leading(rxBegin, rxEnd)) + Tr::tr(" МГц)")
             + QStringLiteral(" Tx:(") + ListText(txBegin, txEnd, leading(txBegin, txEnd)) + Tr::tr(" МГц)");
    }
    int n = 0;
    while (n < Slots && rxBegin[n] != 0 && txBegin[n] != 0 && rxEnd[n] != 0 && txEnd[n] != 0)
        ++n;
    return QStringLiteral("(") + ListText(rxBegin, rxEnd, n) + Tr::tr(" МГц)");
}

bool FreqRange::ReadXml(const QDomElement &element)
{
    Clear();
    if (element.isNull())
        return false;
    auto readList = [&](const char *prefix, List &begin, List &end) {
        for (int i = 0; i < Slots; ++i) {
            const QDomElement child = FirstChildNamed(element, QLatin1String(prefix) + QString::number(i));
            if (child.isNull())
                return true;
            std::int32_t b = 0, e = 0;
            const bool haveBegin = ReadAttrInt(b, child, QStringLiteral("begin"), 0);
            const bool haveEnd = ReadAttrInt(e, child, QStringLiteral("end"), 0);
            if (!haveBegin || !haveEnd || b == 0 || e == 0)
                return false;
            begin[i] = static_cast<std::uint32_t>(b);
            end[i] = static_cast<std::uint32_t>(e);
        }
        return true;
    };
    return readList("rx", rxBegin, rxEnd) && readList("tx", txBegin, txEnd);
}

XmlOutline FreqRange::Outline(int maxCount)
{
    XmlOutline range(QStringLiteral("FreqRange"), XmlOutline::Elements, maxCount);
    for (const char *list : {"rx", "tx"}) {
        for (int i = 0; i < Slots; ++i)
            range.Add(XmlOutline(QLatin1String(list) + QString::number(i)));
    }
    return range;
}

bool FreqRange::WriteXml(QDomNode &parent) const
{
    if (parent.isNull())
        return false;
    QDomDocument doc = parent.ownerDocument();
    if (parent.isDocument())
        doc = parent.toDocument();
    QDomElement range = doc.createElement(QStringLiteral("FreqRange"));
    auto writeList = [&](const char *prefix, const List &begin, const List &end) {
        for (int i = 0; i < Slots && begin[i] != 0; ++i) {
            QDomElement child = doc.createElement(QLatin1String(prefix) + QString::number(i));
            // Written as signed decimals, as the number rules read them back.
            child.setAttribute(QStringLiteral("begin"), QString::number(static_cast<std::int32_t>(begin[i])));
            child.setAttribute(QStringLiteral("end"), QString::number(static_cast<std::int32_t>(end[i])));
            range.appendChild(child);
        }
    };
    writeList("rx", rxBegin, rxEnd);
    writeList("tx", txBegin, txEnd);
    parent.appendChild(range);
    return true;
}

bool FreqRange::ContainsRx(std::uint32_t f) const { return Contains(rxBegin, rxEnd, f); }
bool FreqRange::ContainsTx(std::uint32_t f) const { return Contains(txBegin, txEnd, f); }
std::uint32_t FreqRange::DefaultRx() const { return rxBegin[0] ? rxBegin[0] : DefaultBegin; }
std::uint32_t FreqRange::DefaultTx() const { return txBegin[0] ? txBegin[0] : DefaultBegin; }
bool FreqRange::SnapRx(std::uint32_t &f, int direction) const { return Snap(rxBegin, rxEnd, f, direction); }
bool FreqRange::SnapTx(std::uint32_t &f, int direction) const { return Snap(txBegin, txEnd, f, direction); }
int FreqRange::DigitsRx() const { return Digits(rxBegin, rxEnd); }
int FreqRange::DigitsTx() const { return Digits(txBegin, txEnd); }
