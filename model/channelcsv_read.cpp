// Reading the CSV table: splitting rows, finding the columns, carrying each
// row into a channel, and the report of what could not be carried.

#include "model/channelcsv.h"

#include "model/boundedread.h"
#include "model/channelcsv_fields.h"

#include <QFile>
#include <QList>

#include <algorithm>
#include <limits>

namespace ChannelCsv {
namespace {

// CSV files of a hundred channels are a few kilobytes; refuse what cannot be one.
constexpr qint64 kMaxFileSize = 16 * 1024 * 1024;

// Columns whose content has no place in a channel. TStep is not among them:
// it is the other radio's tuning step, not a property of the channel.
constexpr Column kNotCarried[] = {ColName, ColComment, ColUrcall, ColRpt1, ColRpt2, ColDvcode};

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

} // namespace

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
