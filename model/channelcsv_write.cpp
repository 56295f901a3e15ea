// Writing the CSV table: one row per used channel in the common layout, and
// what the layout cannot hold.

#include "model/channelcsv.h"

#include "model/channelcsv_fields.h"
#include "xml/xml_common.h"

#include <QSaveFile>

namespace ChannelCsv {
namespace {

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

} // namespace ChannelCsv
