#include "model/channelcsv.h"

#include "model/boundedread.h"

#include "model/subtones.h"
#include "xml/xml_common.h"

#include <QCoreApplication>
#include <QFile>
#include <QList>
#include <QSaveFile>

#include <algorithm>
#include <limits>

namespace ChannelCsv {
namespace {

// The texts of this file, for Qt Linguist.
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(ChannelCsv)
};

// CSV files of a hundred channels are a few kilobytes; refuse what cannot be one.
constexpr qint64 kMaxFileSize = 16 * 1024 * 1024;

enum Column {
    ColLocation,
    ColName,
    ColFrequency,
    ColDuplex,
    ColOffset,
    ColTone,
    ColRTone,
    ColCTone,
    ColDtcs,
    ColPolarity,
    ColRxDtcs,
    ColCrossMode,
    ColMode,
    ColTStep,
    ColSkip,
    ColPower,
    ColComment,
    ColUrcall,
    ColRpt1,
    ColRpt2,
    ColDvcode,
    ColumnCount
};

const char *const kColumnNames[ColumnCount] = {
    "Location",  "Name",     "Frequency",    "Duplex",     "Offset",    "Tone",     "rToneFreq",
    "cToneFreq", "DtcsCode", "DtcsPolarity", "RxDtcsCode", "CrossMode", "Mode",     "TStep",
    "Skip",      "Power",    "Comment",      "URCALL",     "RPT1CALL",  "RPT2CALL", "DVCODE",
};

// Columns whose content has no place in a channel. TStep is not among them:
// it is the other radio's tuning step, not a property of the channel.
constexpr Column kNotCarried[] = {ColName, ColComment, ColUrcall, ColRpt1, ColRpt2, ColDvcode};

constexpr qint64 kHzPerMHz = 1000000;

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

struct Row
{
    int line = 0;
    QStringList cells;

    bool blank() const
    {
        return std::all_of(cells.begin(), cells.end(),
                           [](const QString &c) { return c.trimmed().isEmpty(); });
    }
};

// The separator of the header line: "," as written, ";" or a tab where a
// spreadsheet saved the file with its own.
QChar DetectSeparator(const QString &text)
{
    for (const QStringView line : QStringView(text).split(QLatin1Char('\n'))) {
        if (line.trimmed().isEmpty())
            continue;
        for (const QChar candidate : {QLatin1Char(','), QLatin1Char(';'), QLatin1Char('\t')})
            if (line.contains(candidate))
                return candidate;
        break;
    }
    return QLatin1Char(',');
}

// Rows of cells: quoted cells may hold separators, doubled quotes and line
// breaks; lines end in LF or CR LF. Each row keeps the line it starts on.
QList<Row> SplitRows(const QString &text, QChar separator)
{
    QList<Row> rows;
    Row row{1, {}};
    QString cell;
    bool quoted = false;
    bool pending = false; // a row has begun
    int line = 1;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar ch = text[i];
        if (quoted) {
            if (ch == QLatin1Char('"')) {
                if (i + 1 < n && text[i + 1] == QLatin1Char('"')) {
                    cell += ch;
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                if (ch == QLatin1Char('\n'))
                    ++line;
                cell += ch;
            }
            continue;
        }
        if (ch == QLatin1Char('"')) {
            quoted = true;
            pending = true;
        } else if (ch == separator) {
            row.cells << cell;
            cell.clear();
            pending = true;
        } else if (ch == QLatin1Char('\r') || ch == QLatin1Char('\n')) {
            if (ch == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n'))
                ++i;
            row.cells << cell;
            rows << row;
            cell.clear();
            row = Row{++line, {}};
            pending = false;
        } else {
            cell += ch;
            pending = true;
        }
    }
    if (pending) {
        row.cells << cell;
        rows << row;
    }
    return rows;
}

using ColumnIndex = std::array<int, ColumnCount>;

// Which subtone a direction takes from a row: a CTCSS tone or a DCS code, and
// the column that holds it.
struct SideSource
{
    SubtoneKind kind = SubtoneKind::None;
    Column column = ColumnCount;
    bool operator==(const SideSource &) const = default;
};

// Reads one data row into a channel. False when the row cannot be carried at
// all; every problem, whether it drops the row or one field, becomes a note.
class RowReader
{
public:
    RowReader(const Row &row, const ColumnIndex &at, const PowerLevels &watts)
        : m_row(row), m_at(at), m_watts(watts)
    {
    }

    int location = -1;
    Channel channel;
    QStringList notes;
    bool powerUnmatched = false;

    QString Cell(Column c) const
    {
        const int i = m_at[c];
        return i >= 0 && i < m_row.cells.size() ? m_row.cells[i].trimmed() : QString();
    }

    bool Read()
    {
        if (!ReadLocation())
            return false;
        qint64 rx = 0;
        const QString frequency = Cell(ColFrequency);
        if (!ParseFixed(frequency, 6, rx) || rx <= 0)
            return Skip(Tr::tr("Frequency %1 не частота").arg(Quoted(frequency)));
        if (rx > std::numeric_limits<std::int32_t>::max())
            return Skip(Tr::tr("частота %1 МГц слишком велика").arg(frequency));

        const QString mode = Cell(ColMode).toUpper();
        if (!mode.isEmpty() && mode != QLatin1String("FM") && mode != QLatin1String("NFM"))
            return Skip(Tr::tr("Mode %1: радиостанция работает только в FM и NFM").arg(Quoted(Cell(ColMode))));

        qint64 tx = 0;
        if (!ReadTransmit(rx, tx))
            return false;

        channel.freq_rx = std::int32_t(rx);
        channel.freq_tx = std::int32_t(tx);
        channel.band_rx = channel.band_tx = mode != QLatin1String("NFM");
        ReadSubtones();
        ReadSkip();
        ReadPower();
        // The radio keeps frequencies in steps of 12,5 kHz and drops the rest when writing.
        auto offStep = [](qint64 hz) { return hz > 0 && hz % Channel::FrequencyStep != 0; };
        const QString rounded =
            Tr::tr("не кратна шагу 12,5 кГц — при записи в радиостанцию она будет округлена вниз");
        if (offStep(rx) && rx == tx) {
            Note(Tr::tr("частота %1 Гц %2").arg(Hertz(rx), rounded));
        } else {
            if (offStep(rx))
                Note(Tr::tr("частота приёма %1 Гц %2").arg(Hertz(rx), rounded));
            if (offStep(tx))
                Note(Tr::tr("частота передачи %1 Гц %2").arg(Hertz(tx), rounded));
        }
        return true;
    }

private:
    QString Prefix() const
    {
        return location >= 0 ? Tr::tr("Строка %1 (Location %2): ").arg(m_row.line).arg(location)
                             : Tr::tr("Строка %1: ").arg(m_row.line);
    }
    void Note(const QString &text) { notes << Prefix() + text + QLatin1Char('.'); }
    bool Skip(const QString &why)
    {
        Note(why + Tr::tr(" — строка пропущена"));
        return false;
    }

    bool ReadLocation()
    {
        const QString text = Cell(ColLocation);
        bool ok = false;
        const int n = text.toInt(&ok);
        if (!ok)
            return Skip(Tr::tr("Location %1 не номер канала").arg(Quoted(text)));
        if (n < 0 || n >= ChannelsContext::Count)
            return Skip(Tr::tr("Location %1 вне 0–99").arg(n));
        location = n;
        return true;
    }

    bool ReadTransmit(qint64 rx, qint64 &tx)
    {
        const QString duplexText = Cell(ColDuplex);
        const QString duplex = duplexText.toLower();
        const QString offsetText = Cell(ColOffset);
        if (duplex.isEmpty()) {
            tx = rx;
            return true;
        }
        if (duplex == QLatin1String("off")) {
            tx = 0;
            return true;
        }
        const bool plus = duplex == QLatin1String("+");
        const bool minus = duplex == QLatin1String("-");
        const bool split = duplex == QLatin1String("split");
        if (!plus && !minus && !split)
            return Skip(Tr::tr("Duplex %1 неизвестен").arg(Quoted(duplexText)));
        qint64 offset = 0;
        if (!ParseFixed(offsetText, 6, offset) || (split && offset == 0))
            return Skip(Tr::tr("Offset %1 не частота").arg(Quoted(offsetText)));
        tx = split ? offset : plus ? rx + offset : rx - offset;
        if (tx <= 0 || tx > std::numeric_limits<std::int32_t>::max())
            return Skip(Tr::tr("Duplex %1 с Offset %2 не дают частоты передачи")
                            .arg(Quoted(duplexText), Quoted(offsetText)));
        return true;
    }

    // The columns each direction takes its subtone from, by the tone mode.
    bool Sources(SideSource &tx, SideSource &rx)
    {
        const SideSource none;
        const SideSource rTone{SubtoneKind::Ctcss, ColRTone};
        const SideSource cTone{SubtoneKind::Ctcss, ColCTone};
        const SideSource dtcs{SubtoneKind::Dcs, ColDtcs};
        // Files of the older layout have no RxDtcsCode; their one code serves both ways.
        const SideSource rxDtcs{SubtoneKind::Dcs, m_at[ColRxDtcs] >= 0 ? ColRxDtcs : ColDtcs};

        const QString modeText = Cell(ColTone);
        const QString mode = modeText.toLower();
        if (mode.isEmpty()) {
            tx = rx = none;
        } else if (mode == QLatin1String("tone")) {
            tx = rTone;
            rx = none;
        } else if (mode == QLatin1String("tsql")) {
            tx = rx = cTone;
        } else if (mode == QLatin1String("dtcs")) {
            tx = rx = dtcs;
        } else if (mode == QLatin1String("cross")) {
            const QString crossText = Cell(ColCrossMode);
            const QString cross = crossText.isEmpty() ? QStringLiteral("tone->tone") : crossText.toLower();
            const qsizetype arrow = cross.indexOf(QLatin1String("->"));
            const QString from = arrow < 0 ? QString() : cross.left(arrow);
            const QString to = arrow < 0 ? QString() : cross.mid(arrow + 2);
            auto side = [&](const QString &kind, const SideSource &tone, const SideSource &code,
                            SideSource &out) {
                if (kind.isEmpty())
                    out = none;
                else if (kind == QLatin1String("tone"))
                    out = tone;
                else if (kind == QLatin1String("dtcs"))
                    out = code;
                else
                    return false;
                return true;
            };
            if (arrow < 0 || !side(from, rTone, dtcs, tx) || !side(to, cTone, rxDtcs, rx) ||
                (tx == none && rx == none)) {
                Note(Tr::tr("CrossMode %1 неизвестен — субтоны не перенесены").arg(Quoted(crossText)));
                return false;
            }
        } else {
            Note(Tr::tr("Tone %1 не поддерживается — субтоны не перенесены").arg(Quoted(modeText)));
            return false;
        }
        return true;
    }

    // The code a source gives, or 0 with the reason in `why`. (The texts name
    // their context: Qt Linguist's reader loses the class inside this function.)
    std::int32_t Resolve(const SideSource &source, int polarityIndex, QString &why)
    {
        if (source.kind == SubtoneKind::None)
            return 0;
        const QString text = Cell(source.column);
        const QString column = QLatin1String(kColumnNames[source.column]);
        if (source.kind == SubtoneKind::Ctcss) {
            qint64 tenths = 0;
            const std::int32_t code = ParseFixed(text, 1, tenths) ? CtcssCodeOf(tenths) : 0;
            if (code == 0)
                why = QCoreApplication::translate("ChannelCsv", "тона %1 Гц (%2) нет в списке CTCSS").arg(text, column);
            return code;
        }
        const std::int32_t code = DcsCodeOf(text);
        if (code == 0) {
            why = QCoreApplication::translate("ChannelCsv", "кода DCS %1 (%2) нет в списке DCS").arg(Quoted(text), column);
            return 0;
        }
        const QString polarity = Cell(ColPolarity).toUpper();
        const QChar p = polarity.isEmpty()     ? QLatin1Char('N')
                        : polarity.size() == 2 ? polarity[polarityIndex]
                                               : QChar();
        if (p != QLatin1Char('N')) {
            why = QCoreApplication::translate("ChannelCsv", "полярность DCS %1 (DtcsPolarity) не поддерживается, только NN")
                      .arg(Quoted(Cell(ColPolarity)));
            return 0;
        }
        return code;
    }

    void ReadSubtones()
    {
        SideSource txSource, rxSource;
        if (!Sources(txSource, rxSource))
            return;
        QString txWhy, rxWhy;
        channel.subtone_tx = Resolve(txSource, 0, txWhy);
        channel.subtone_rx = Resolve(rxSource, 1, rxWhy);
        if (!txWhy.isEmpty() && txWhy == rxWhy) {
            Note(Tr::tr("%1 — субтон приёма и передачи не перенесён").arg(txWhy));
            return;
        }
        if (!rxWhy.isEmpty())
            Note(Tr::tr("%1 — субтон приёма не перенесён").arg(rxWhy));
        if (!txWhy.isEmpty())
            Note(Tr::tr("%1 — субтон передачи не перенесён").arg(txWhy));
    }

    void ReadSkip()
    {
        const QString text = Cell(ColSkip);
        const QString skip = text.toUpper();
        channel.scan = skip != QLatin1String("S");
        if (skip == QLatin1String("P"))
            Note(Tr::tr("Skip \"P\" (приоритетный канал) перенесён как сканируемый канал"));
        else if (!skip.isEmpty() && skip != QLatin1String("S"))
            Note(Tr::tr("Skip %1 неизвестен — канал сканируемый").arg(Quoted(text)));
    }

    void ReadPower()
    {
        QString text = Cell(ColPower);
        if (text.isEmpty())
            return;
        if (text.endsWith(QLatin1Char('W'), Qt::CaseInsensitive))
            text.chop(1);
        qint64 tenths = 0;
        if (ParseFixed(text.trimmed(), 1, tenths)) {
            for (int level = 3; level >= 0; --level) {
                if (qint64(m_watts[std::size_t(level)]) * 10 == tenths) {
                    channel.tx_power_high = level;
                    return;
                }
            }
        }
        powerUnmatched = true;
    }

    const Row &m_row;
    const ColumnIndex &m_at;
    const PowerLevels &m_watts;
};

// What a channel's two subtone codes become in the tone columns.
struct ToneCells
{
    QString mode;
    QString rTone = QStringLiteral("88.5");
    QString cTone = QStringLiteral("88.5");
    QString dtcs = QStringLiteral("023");
    QString rxDtcs = QStringLiteral("023");
    QString cross = QStringLiteral("Tone->Tone");
};

ToneCells ToneCellsOf(std::int32_t tx, std::int32_t rx)
{
    ToneCells cells;
    const SubtoneKind txKind = SubtoneKindOf(tx);
    const SubtoneKind rxKind = SubtoneKindOf(rx);
    if (txKind == SubtoneKind::Ctcss)
        cells.rTone = CsvTone(tx);
    if (txKind == SubtoneKind::Dcs)
        cells.dtcs = SubtoneGridText(tx);
    if (rxKind == SubtoneKind::Ctcss)
        cells.cTone = CsvTone(rx);
    if (rxKind == SubtoneKind::Dcs)
        cells.rxDtcs = SubtoneGridText(rx);

    if (txKind == SubtoneKind::None && rxKind == SubtoneKind::None)
        return cells;
    if (txKind == rxKind && tx == rx) {
        cells.mode = txKind == SubtoneKind::Ctcss ? QStringLiteral("TSQL") : QStringLiteral("DTCS");
        return cells;
    }
    if (txKind == SubtoneKind::Ctcss && rxKind == SubtoneKind::None) {
        cells.mode = QStringLiteral("Tone");
        return cells;
    }
    auto side = [](SubtoneKind kind) {
        return kind == SubtoneKind::Ctcss ? QStringLiteral("Tone")
               : kind == SubtoneKind::Dcs ? QStringLiteral("DTCS")
                                          : QString();
    };
    cells.mode = QStringLiteral("Cross");
    cells.cross = side(txKind) + QStringLiteral("->") + side(rxKind);
    return cells;
}

// The largest of the usual channel steps both frequencies lie on.
QString TuningStep(const Channel &c)
{
    struct Step
    {
        int hertz;
        const char *text;
    };
    constexpr Step kSteps[] = {{12500, "12.50"}, {6250, "6.25"}, {5000, "5.00"}, {2500, "2.50"}};
    for (const Step &s : kSteps)
        if (c.freq_rx % s.hertz == 0 && (!c.HasTx() || c.freq_tx % s.hertz == 0))
            return QLatin1String(s.text);
    return QStringLiteral("5.00");
}

QString CsvCell(const QString &text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) &&
        !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return Quoted(quoted);
}

QString BandText(bool wide)
{
    return LocalDecimal(wide ? QStringLiteral("25,0") : QStringLiteral("12,5"));
}

} // namespace

QStringList Columns()
{
    QStringList names;
    for (const char *name : kColumnNames)
        names << QLatin1String(name);
    return names;
}

QString ExportLimits()
{
    return Tr::tr(
        "В CSV нет столбцов для вызывного тона, порога ШП, минимальной мощности, УПР, ограничения времени "
        "передачи, передачи на занятом канале и признака рабочего канала: они не выгружены.");
}

ExportResult Export(const Channels &channels, const PowerLevels &watts)
{
    ExportResult result;
    QStringList lines{Columns().join(QLatin1Char(','))};
    for (int n = 0; n < ChannelsContext::Count; ++n) {
        const Channel &c = channels[std::size_t(n)];
        if (!c.IsUsed())
            continue;
        const QString name = QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
        if (!c.HasRx()) {
            result.notes
                << Tr::tr("Канал %1: нет частоты приёма, а строка CSV начинается с неё — канал не выгружен.")
                       .arg(name);
            continue;
        }
        QString duplex;
        qint64 offset = 0;
        if (!c.HasTx()) {
            duplex = QStringLiteral("off");
        } else if (c.freq_tx > c.freq_rx) {
            duplex = QStringLiteral("+");
            offset = qint64(c.freq_tx) - c.freq_rx;
        } else if (c.freq_tx < c.freq_rx) {
            duplex = QStringLiteral("-");
            offset = qint64(c.freq_rx) - c.freq_tx;
        }
        if (c.HasTx() && c.band_tx != c.band_rx)
            result.notes
                << Tr::tr("Канал %1: полоса приёма %2 кГц и передачи %3 кГц различаются, а в CSV одна полоса "
                      "(Mode) — выгружена полоса приёма.")
                       .arg(name, BandText(c.band_rx), BandText(c.band_tx));
        for (const auto &[code, side] :
             {std::pair{c.subtone_rx, Tr::tr("приёма")}, std::pair{c.subtone_tx, Tr::tr("передачи")}})
            if (code > LastDcsCode)
                result.notes << Tr::tr("Канал %1: код субтона %2 %3 не определён — выгружен как отсутствующий.")
                                    .arg(name, side)
                                    .arg(code);

        const ToneCells tones = ToneCellsOf(c.subtone_tx, c.subtone_rx);
        const bool powerKnown = c.tx_power_high >= 0 && c.tx_power_high <= 3;
        const QStringList cells{
            QString::number(n),
            QString(),
            MHz(c.freq_rx),
            duplex,
            MHz(offset),
            tones.mode,
            tones.rTone,
            tones.cTone,
            tones.dtcs,
            QStringLiteral("NN"),
            tones.rxDtcs,
            tones.cross,
            c.band_rx ? QStringLiteral("FM") : QStringLiteral("NFM"),
            TuningStep(c),
            c.scan ? QString() : QStringLiteral("S"),
            powerKnown ? QStringLiteral("%1W").arg(watts[std::size_t(c.tx_power_high)]) : QString(),
            QString(),
            QString(),
            QString(),
            QString(),
            QString(),
        };
        QStringList quoted;
        for (const QString &cell : cells)
            quoted << CsvCell(cell);
        lines << quoted.join(QLatin1Char(','));
        ++result.written;
    }
    result.data = (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
    return result;
}

bool Save(const QString &path, const Channels &channels, const PowerLevels &watts, ExportResult &result,
          QString &error)
{
    result = Export(channels, watts);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(result.data) != result.data.size() || !file.commit()) {
        error = Tr::tr("Не удалось сохранить файл %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

QString ImportResult::Summary() const
{
    if (carried == 0)
        return Tr::tr("Нет ни одного канала, который можно перенести; строк с каналами в файле: %1.").arg(rows);
    return Tr::tr("Перенесено каналов: %1; строк с каналами в файле: %2.").arg(carried).arg(rows);
}

QStringList ImportResult::Report() const
{
    QList<Note> ordered = notes;
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const Note &a, const Note &b) { return a.line < b.line; });
    QStringList lines;
    for (const Note &note : ordered)
        lines << note.text;
    return lines + columnNotes;
}

bool Parse(const QByteArray &data, const PowerLevels &watts, ImportResult &result, QString &error)
{
    result = ImportResult();
    QString text = QString::fromUtf8(data);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    const QList<Row> rows = SplitRows(text, DetectSeparator(text));

    auto header = std::find_if(rows.begin(), rows.end(), [](const Row &r) { return !r.blank(); });
    if (header == rows.end()) {
        error = Tr::tr("Файл пуст.");
        return false;
    }
    ColumnIndex at;
    at.fill(-1);
    QList<QPair<QString, int>> unknown; // columns of other programs, by name and position
    for (int i = 0; i < header->cells.size(); ++i) {
        const QString name = header->cells[i].trimmed();
        bool known = false;
        for (int c = 0; c < ColumnCount; ++c) {
            if (name.compare(QLatin1String(kColumnNames[c]), Qt::CaseInsensitive) == 0) {
                known = true;
                if (at[c] < 0)
                    at[c] = i;
                break;
            }
        }
        if (!known && !name.isEmpty())
            unknown.append({name, i});
    }
    if (at[ColLocation] < 0 || at[ColFrequency] < 0) {
        error =
            Tr::tr("В первой строке нет столбцов Location и Frequency: это не таблица каналов в формате CSV.");
        return false;
    }

    std::array<int, ColumnCount> filled{};
    QList<int> unknownFilled(unknown.size(), 0);
    QList<int> powerUnmatched;  // lines
    for (auto row = header + 1; row != rows.end(); ++row) {
        if (row->blank())
            continue;
        ++result.rows;
        RowReader reader(*row, at, watts);
        const bool carried = reader.Read();
        for (const QString &note : reader.notes)
            result.notes.append({row->line, note});
        if (!carried)
            continue;
        const int n = reader.location;
        if (result.lineOf[std::size_t(n)] != 0)
            result.notes.append(
                {row->line, Tr::tr("Строка %1 (Location %2): канал уже задан строкой %3 — действует строка %1.")
                                .arg(row->line)
                                .arg(n)
                                .arg(result.lineOf[std::size_t(n)])});
        else
            ++result.carried;
        result.channels[std::size_t(n)] = reader.channel;
        result.lineOf[std::size_t(n)] = row->line;
        for (Column c : kNotCarried)
            filled[c] += !reader.Cell(c).isEmpty();
        for (int u = 0; u < unknown.size(); ++u) {
            const int i = unknown[u].second;
            unknownFilled[u] += i < row->cells.size() && !row->cells[i].trimmed().isEmpty();
        }
        if (reader.powerUnmatched)
            powerUnmatched << row->line;
    }

    for (Column c : kNotCarried)
        if (filled[c] > 0)
            result.columnNotes << Tr::tr("Столбец %1 не переносится (заполненных строк: %2).")
                                      .arg(QLatin1String(kColumnNames[c]))
                                      .arg(filled[c]);
    for (int u = 0; u < unknown.size(); ++u)
        if (unknownFilled[u] > 0)
            result.columnNotes << Tr::tr("Столбец %1 не переносится (заполненных строк: %2).")
                                      .arg(unknown[u].first)
                                      .arg(unknownFilled[u]);
    if (!powerUnmatched.isEmpty()) {
        QStringList levels;
        for (std::int32_t w : watts)
            levels << QString::number(w);
        result.columnNotes
            << Tr::tr("Power: мощности, которой нет среди уровней радиостанции (%1 Вт), в строках %2 — "
                  "у этих каналов мощность по умолчанию.")
                   .arg(levels.join(QStringLiteral(", ")), ChannelsContext::NumberList(powerUnmatched));
    }
    return true;
}

bool Read(const QString &path, const PowerLevels &watts, ImportResult &result, QString &error)
{
    QByteArray data;
    QString openError;
    switch (ReadBounded(path, kMaxFileSize, data, openError)) {
    case BoundedRead::NotOpened:
        error = Tr::tr("Не удалось открыть файл %1: %2").arg(path, openError);
        return false;
    case BoundedRead::TooLarge:
        error = Tr::tr("Файл %1 слишком велик для таблицы каналов").arg(path);
        return false;
    case BoundedRead::Ok:
        break;
    }
    if (!Parse(data, watts, result, error)) {
        error = Tr::tr("Ошибка в файле %1: %2").arg(path, error);
        return false;
    }
    return true;
}

bool Adopt(ImportResult &result, ChannelsContext &table)
{
    table.channels = result.channels;
    if (table.RemoveOutOfRange())
        return true;
    QString range;
    table.ranges.CurrentText(range);
    for (int n = 0; n < ChannelsContext::Count; ++n) {
        const std::size_t i = std::size_t(n);
        if (!result.channels[i].IsUsed() || table.channels[i].IsUsed())
            continue;
        const int line = result.lineOf[i];
        result.notes.append(
            {line, Tr::tr("Строка %1 (Location %2): частоты вне выбранного диапазона %3 — канал удалён.")
                       .arg(line)
                       .arg(n)
                       .arg(range)});
        result.channels[i].Reset();
        result.lineOf[i] = 0;
        --result.carried;
    }
    return false;
}

bool IsCsvPath(const QString &path)
{
    return path.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive);
}

} // namespace ChannelCsv
