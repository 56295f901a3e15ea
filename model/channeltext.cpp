// Channels written as tab-separated text, read back by their header, and pasted into the table.

#include "model/channeltext.h"

#include "model/channelscontext.h"

#include <cstdint>
#include <limits>

namespace ChannelText {
namespace {

// One field of the record with the values it can carry: frequencies in hertz
// (-1 and 0 both mean none), tones in 16 bits, subtone codes in a byte,
// squelch in four bits, power levels 0..3, flags 0/1.
struct Field
{
    const char *name;
    std::int32_t Channel::*number;
    bool Channel::*flag;
    std::int32_t min;
    std::int32_t max;
};

constexpr std::int32_t kIntMax = std::numeric_limits<std::int32_t>::max();

const Field kFields[] = {
    {"freq_rx", &Channel::freq_rx, nullptr, -1, kIntMax},
    {"freq_tx", &Channel::freq_tx, nullptr, -1, kIntMax},
    {"tone_rx", &Channel::tone_rx, nullptr, 0, 0xFFFF},
    {"tone_tx", &Channel::tone_tx, nullptr, 0, 0xFFFF},
    {"subtone_rx", &Channel::subtone_rx, nullptr, 0, 0xFF},
    {"subtone_tx", &Channel::subtone_tx, nullptr, 0, 0xFF},
    {"tx_power_low", &Channel::tx_power_low, nullptr, 0, 3},
    {"tx_power_high", &Channel::tx_power_high, nullptr, 0, 3},
    {"squelch", &Channel::squelch, nullptr, 0, 15},
    {"scan", nullptr, &Channel::scan, 0, 1},
    {"band_rx", nullptr, &Channel::band_rx, 0, 1},
    {"band_tx", nullptr, &Channel::band_tx, 0, 1},
    {"scrambler", nullptr, &Channel::scrambler, 0, 1},
    {"tx_limit", nullptr, &Channel::tx_limit, 0, 1},
    {"tx_busy", nullptr, &Channel::tx_busy, 0, 1},
    {"active", nullptr, &Channel::active, 0, 1},
};
constexpr int kFieldCount = int(std::size(kFields));
const QString kNumberColumn = QStringLiteral("channel");

QStringList Cells(const QString &line)
{
    QStringList cells = line.split(QLatin1Char('\t'));
    for (QString &c : cells) {
        c = c.trimmed();
        // A spreadsheet may quote a cell.
        if (c.size() >= 2 && c.startsWith(QLatin1Char('"')) && c.endsWith(QLatin1Char('"')))
            c = c.mid(1, c.size() - 2).trimmed();
    }
    return cells;
}

bool Blank(const QStringList &cells)
{
    for (const QString &c : cells) {
        if (!c.isEmpty())
            return false;
    }
    return true;
}

bool OutsideRange(const ChannelsContext &table, const Channel &c)
{
    return (c.HasRx() && !table.ContainsRx(std::uint32_t(c.freq_rx))) ||
           (c.HasTx() && !table.ContainsTx(std::uint32_t(c.freq_tx)));
}

} // namespace

QStringList Columns()
{
    QStringList names{kNumberColumn};
    for (const Field &f : kFields)
        names << QLatin1String(f.name);
    return names;
}

QString Format(const std::array<Channel, 100> &channels, const QList<int> &numbers)
{
    QString text = Columns().join(QLatin1Char('\t')) + QLatin1Char('\n');
    for (int n : numbers) {
        if (n < 0 || n >= int(channels.size()))
            continue;
        const Channel &c = channels[std::size_t(n)];
        QStringList cells{QString::number(n)};
        for (const Field &f : kFields) {
            if (!c.IsUsed())
                cells << QString();
            else if (f.number)
                cells << QString::number(c.*f.number);
            else
                cells << QString::number(c.*f.flag ? 1 : 0);
        }
        text += cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    return text;
}

Parsed Parse(const QString &text)
{
    Parsed out;
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString &l : lines) {
        if (l.endsWith(QLatin1Char('\r')))
            l.chop(1);
    }

    // Cell index of every field; -1: not in the text.
    int at[kFieldCount];
    for (int i = 0; i < kFieldCount; ++i)
        at[i] = i + 1;
    int numberAt = 0;
    int first = 0;
    while (first < lines.size() && Blank(Cells(lines[first])))
        ++first;
    if (first < lines.size()) {
        const QStringList head = Cells(lines[first]);
        if (head.contains(QLatin1String("freq_rx")) || head.contains(QLatin1String("freq_tx"))) {
            for (int i = 0; i < kFieldCount; ++i)
                at[i] = int(head.indexOf(QLatin1String(kFields[i].name)));
            numberAt = int(head.indexOf(kNumberColumn));
            ++first;
        }
    }

    for (int line = first; line < lines.size(); ++line) {
        const QStringList cells = Cells(lines[line]);
        if (Blank(cells))
            continue;
        Channel c;
        for (int i = 0; i < kFieldCount; ++i) {
            const Field &f = kFields[i];
            const QString cell = at[i] >= 0 ? cells.value(at[i]) : QString();
            if (cell.isEmpty())
                continue;
            bool ok = false;
            const qlonglong v = cell.toLongLong(&ok, 10);
            if (!ok || v < f.min || v > f.max) {
                out.channels.clear();
                out.errorLine = line + 1;
                out.errorColumn = QLatin1String(f.name);
                return out;
            }
            if (f.number)
                c.*f.number = std::int32_t(v);
            else
                c.*f.flag = v != 0;
        }
        // Any other text on the clipboard (a word, a frequency, a sentence)
        // would otherwise read as an empty channel and erase the rows it is
        // pasted over.
        if (numberAt >= 0) {
            const QString number = cells.value(numberAt);
            bool ok = number.isEmpty();
            if (!ok) {
                const int n = number.toInt(&ok, 10);
                ok = ok && n >= 0 && n < ChannelsContext::Count;
            }
            if (!ok) {
                out.channels.clear();
                out.errorLine = line + 1;
                out.errorColumn = kNumberColumn;
                return out;
            }
        }
        if (!c.IsUsed())
            c.Reset();
        out.channels << c;
    }
    return out;
}

PasteResult Paste(ChannelsContext &table, int first, const QList<Channel> &rows)
{
    PasteResult r;
    for (int i = 0; i < rows.size(); ++i) {
        const int n = first + i;
        if (n < 0 || n >= ChannelsContext::Count) {
            r.dropped = int(rows.size()) - i;
            break;
        }
        Channel c = rows[i];
        if (!c.IsUsed() || OutsideRange(table, c)) {
            if (c.IsUsed())
                ++r.removed;
            c.Reset();
        }
        table.channels[std::size_t(n)] = c;
        ++r.pasted;
    }
    return r;
}

} // namespace ChannelText
