// The information replies decoded field by field, and the report the user reads.

#include "model/infocontext.h"

#include "model/bytes.h"
#include "xml/cp1251.h"

#include <QCoreApplication>

#include <algorithm>
#include <climits>

namespace {

// The texts of this file, for Qt Linguist.
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(TInfoContext)
};

// Up to the first zero byte, windows-1251, without leading and trailing
// characters up to blank.
QString Text(const std::uint8_t *p, std::size_t width)
{
    std::size_t n = 0;
    while (n < width && p[n] != 0)
        ++n;
    const QString s = cp1251::Decode(QByteArrayView(p, qsizetype(n)));
    qsizetype b = 0, e = s.size();
    while (b < e && s.at(b).unicode() <= 32)
        ++b;
    while (e > b && s.at(e - 1).unicode() <= 32)
        --e;
    return s.mid(b, e - b);
}

QString VersionText(std::uint16_t v)
{
    return QString::asprintf("%d.%d", v >> 8, v & 0xFF);
}

} // namespace

TInfoContext::TInfoContext()
{
    range.Clear();
    ResetInfo();
}

void TInfoContext::ResetInfo()
{
    mainDecoded = extDecoded = false;
    txPower[0] = 5;
    txPower[1] = 10;
    txPower[2] = 20;
    txPower[3] = 40;
}

void TInfoContext::DecodeMain(const std::uint8_t *d)
{
    programCount = getU32le(d + 0);
    serialNumber = getU32le(d + 4);
    firmwareVersion = Text(d + 8, 10);
    programmerVersion = Text(d + 18, 5);
    radioType = Text(d + 23, 20);
    comment = Text(d + 43, 40);
    extraText = Text(d + 83, 15);

    const std::uint32_t txBase = getU16le(d + 98);
    const std::uint32_t rxBase = getU16le(d + 100);
    const std::uint32_t step = getU16le(d + 104);
    range.Clear();
    // One set of channel pairs serves both lists; only the base differs. The
    // products reach 2^33: computed in 64 bits, a frequency beyond 32
    // bits is kept as the largest value, which no valid range holds, rather than
    // wrapped into one that looks real.
    auto hertz = [](std::uint64_t f) { return static_cast<std::uint32_t>(std::min<std::uint64_t>(f, UINT32_MAX)); };
    for (int pass = 0; pass < 2; ++pass) {
        const std::uint64_t base = pass == 0 ? rxBase : txBase;
        for (int i = 0; i < 4; ++i) {
            const std::uint64_t first = getU16le(d + 106 + 4 * i);
            const std::uint64_t last = getU16le(d + 108 + 4 * i);
            const std::uint64_t begin64 = (base + first) * step;
            const std::uint64_t end64 = (base + last) * step;
            if (begin64 == end64)
                continue;
            const std::uint32_t begin = hertz(begin64);
            const std::uint32_t end = hertz(end64);
            if (pass == 0)
                range.AddRx(begin, end);
            else
                range.AddTx(begin, end);
        }
    }
    mainDecoded = true;
}

void TInfoContext::DecodeExtended(const std::uint8_t *d)
{
    bootVersion = getU16le(d + 0);
    bootWord = getU16le(d + 2);
    bootSize = getU32le(d + 4);
    bootChecksum = getU32le(d + 8);
    firmwareSize = getU32le(d + 12);
    firmwareChecksum = getU32le(d + 16);
    freqTableVersion = settingsTableVersion = calibTableVersion = tag12Version = 0;
    for (int i = 0; i < 16; ++i) {
        const std::uint16_t tag = getU16le(d + 20 + 4 * i);
        const std::uint16_t value = getU16le(d + 22 + 4 * i);
        switch (tag) {
        case 0: freqTableVersion = value; break;
        case 4: settingsTableVersion = value; break;
        case 8: calibTableVersion = value; break;
        case 12: tag12Version = value; break;
        default: break;
        }
    }
    for (int i = 0; i < 3; ++i)
        cpuId[i] = getU32le(d + 84 + 4 * i);
    flashSize = getU32le(d + 96);
    for (int i = 0; i < 4; ++i)
        txPower[i] = d[100 + i];
    txPower[4] = 0;
    extDecoded = true;
}

QString TInfoContext::BuildReport() const
{
    QString r;
    r += Tr::tr("Тип радиостанции: ") + radioType + QStringLiteral("\r\n\r\n");
    if (serialNumber != 0xFFFFFFFFu)
        r += Tr::tr("Серийный номер: ") + QString::asprintf("%u\r\n\r\n", serialNumber);
    r += Tr::tr("Количество попыток программирования: ") + QString::asprintf("%u\r\n\r\n", programCount);
    r += Tr::tr("Микроконтроллер.") + QStringLiteral("\r\n")
       + QString::asprintf("\tCPUID: %08X %08X %08X\r\n\tFLASH:%dK\r\n\r\n", cpuId[2], cpuId[1], cpuId[0],
                           static_cast<int>(flashSize / 1024));
    r += Tr::tr("Мощность передачи:") + QStringLiteral("\r\n");
    for (int i = 0; i < 4; ++i)
        r += QStringLiteral("\t") + Tr::tr("P%1=%2 Вт").arg(i).arg(txPower[i]) + QStringLiteral("\r\n");
    r += QStringLiteral("\r\n");
    r += Tr::tr("Диапазон рабочих частот (МГц):") + QStringLiteral("\r\n");
    auto slotList = [](const std::array<std::uint32_t, 4> &b, const std::array<std::uint32_t, 4> &e) {
        QString s;
        for (int i = 0; i < 4; ++i) {
            if (b[i] != 0 && e[i] != 0)
                s += QLatin1Char(i == 0 ? ' ' : ',') + QStringLiteral(" (") + FormatMHz(b[i]) + QLatin1Char('-')
                   + FormatMHz(e[i]) + QLatin1Char(')');
        }
        return s;
    };
    r += QStringLiteral("\t") + Tr::tr("Прием:    ") + slotList(range.rxBegin, range.rxEnd) + QStringLiteral("\r\n");
    r += QStringLiteral("\t") + Tr::tr("Передача: ") + slotList(range.txBegin, range.txEnd) + QStringLiteral("\r\n\r\n");
    if (!comment.isEmpty())
        r += Tr::tr("Коменнтарий: ") + comment + QStringLiteral("\r\n\r\n");
    r += Tr::tr("Версия программатора: ") + programmerVersion + QStringLiteral("\r\n\r\n");
    r += Tr::tr("Программное обеспечение:") + QStringLiteral("\r\n");
    r += QStringLiteral("\t") + Tr::tr("Версия: ") + firmwareVersion + QStringLiteral("\r\n");
    r += QStringLiteral("\t") + Tr::tr("Размер: ") + QString::asprintf("%d\r\n", static_cast<int>(firmwareSize));
    r += QStringLiteral("\t") + Tr::tr("Контрольная сумма: ") + QString::asprintf("0X%08X\r\n\r\n", firmwareChecksum);
    r += Tr::tr("Загрузчик:") + QStringLiteral("\r\n");
    r += QStringLiteral("\t") + Tr::tr("Версия: ")
       + QString::asprintf("%d.%d.%d\r\n", bootVersion >> 12, (bootVersion >> 8) & 0xF, bootVersion & 0xFF);
    r += QStringLiteral("\t") + Tr::tr("Размер: ") + QString::asprintf("%d\r\n", static_cast<int>(bootSize));
    r += QStringLiteral("\t") + Tr::tr("Контрольная сумма: ") + QString::asprintf("0X%08X\r\n\r\n", bootChecksum);
    r += Tr::tr("Таблица частот:      Версия ") + VersionText(freqTableVersion) + QStringLiteral("\r\n");
    r += Tr::tr("Таблица настроек:    Версия ") + VersionText(settingsTableVersion) + QStringLiteral("\r\n");
    r += Tr::tr("Таблица калибровок:  Версия ") + VersionText(calibTableVersion) + QStringLiteral("\r\n");
    return r;
}
