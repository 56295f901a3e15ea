// What a write would change in a radio, channel by channel and setting by setting.

#include "ui/dialogs/comparison.h"

#include "model/subtones.h"
#include "ui/settings/settingspages.h"
#include "xml/xml_common.h"

#include <QCoreApplication>
#include <QWidget>
#include <array>
#include <iterator>

namespace comparison {
namespace {

// The texts of this file, for Qt Linguist.
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(Comparison)
};

// The words of another window, for the same things.
QString PageTr(const char *text)
{
    return QCoreApplication::translate("SettingsPages", text);
}

struct Column
{
    const char *field;
    const char *caption;
};

const Column kColumns[] = {
    {"freq_rx", QT_TRANSLATE_NOOP("Comparison", "Частота приема (Гц)")},
    {"freq_tx", QT_TRANSLATE_NOOP("Comparison", "Частота передачи (Гц)")},
    {"band_rx", QT_TRANSLATE_NOOP("Comparison", "Полоса приема (кГц)")},
    {"band_tx", QT_TRANSLATE_NOOP("Comparison", "Полоса передачи (кГц)")},
    {"subtone_rx", QT_TRANSLATE_NOOP("Comparison", "Субтон приема")},
    {"subtone_tx", QT_TRANSLATE_NOOP("Comparison", "Субтон передачи")},
    {"tone_rx", QT_TRANSLATE_NOOP("Comparison", "Вызывной тон приема (Гц)")},
    {"tone_tx", QT_TRANSLATE_NOOP("Comparison", "Вызывной тон передачи (Гц)")},
    {"squelch", QT_TRANSLATE_NOOP("Comparison", "Порог ШП")},
    {"tx_power_low", QT_TRANSLATE_NOOP("Comparison", "Мощность мин")},
    {"tx_power_high", QT_TRANSLATE_NOOP("Comparison", "Мощность макс")},
    {"active", QT_TRANSLATE_NOOP("Comparison", "Рабочий канал")},
    {"scan", QT_TRANSLATE_NOOP("Comparison", "Скан")},
    {"scrambler", QT_TRANSLATE_NOOP("Comparison", "УПР")},
    {"tx_limit", QT_TRANSLATE_NOOP("Comparison", "Время передачи ограничено")},
    {"tx_busy", QT_TRANSLATE_NOOP("Comparison", "Передача на занятом канале")},
};
constexpr int kColumnCount = int(std::size(kColumns));

enum class Kind { Number, Flag, Choice };

struct Setting
{
    const char *field;
    const char *caption;
    Kind kind = Kind::Number;
};

// Captions in the words of the settings pages, grouped as there.
const Setting kSettings[] = {
    {"Volume", QT_TRANSLATE_NOOP("Comparison", "Громкость: текущий уровень")},
    {"MinVolume", QT_TRANSLATE_NOOP("Comparison", "Громкость: минимальный уровень")},
    {"KeyBeep", QT_TRANSLATE_NOOP("Comparison", "Звук нажатия кнопок"), Kind::Flag},
    {"BeepMin", QT_TRANSLATE_NOOP("Comparison", "Звук нажатия кнопок: мин")},
    {"BeepMax", QT_TRANSLATE_NOOP("Comparison", "Звук нажатия кнопок: макс")},
    {"ExtSpeaker_On", QT_TRANSLATE_NOOP("Comparison", "Включить внешний динамик"), Kind::Flag},
    {"Intensity", QT_TRANSLATE_NOOP("Comparison", "Яркость: индикация")},
    {"IntensityKeys", QT_TRANSLATE_NOOP("Comparison", "Яркость: подсветка кнопок")},
    {"StartChannel", QT_TRANSLATE_NOOP("Comparison", "Канал: стартовый")},
    {"StartChannelLock", QT_TRANSLATE_NOOP("Comparison", "Канал: стартовый заблокирован"), Kind::Flag},
    {"SpecChannel", QT_TRANSLATE_NOOP("Comparison", "Канал: приоритетный")},
    {"SpecChannelLock", QT_TRANSLATE_NOOP("Comparison", "Канал: приоритетный заблокирован"), Kind::Flag},
    {"ScanPause", QT_TRANSLATE_NOOP("Comparison", "Сканирование: длительность паузы (с)")},
    {"TxPower", QT_TRANSLATE_NOOP("Comparison", "Текущая мощность передачи"), Kind::Choice},
    {"TxLimit", QT_TRANSLATE_NOOP("Comparison", "Ограничение передачи: длительность передачи (с)")},
    {"TxPause", QT_TRANSLATE_NOOP("Comparison", "Ограничение передачи: длительность паузы (с)")},
    {"Squelch_On", QT_TRANSLATE_NOOP("Comparison", "Шумоподавитель: включен"), Kind::Flag},
    {"DigitalDelay", QT_TRANSLATE_NOOP("Comparison", "Шумоподавитель: цифровой режим"), Kind::Flag},
    {"SquelchAutoVol_On", QT_TRANSLATE_NOOP("Comparison", "Шумоподавитель: адаптивная громкость"),
     Kind::Flag},
    {"SqlCommon", QT_TRANSLATE_NOOP("Comparison", "Шумоподавитель: порог"), Kind::Choice},
    {"Squelch", QT_TRANSLATE_NOOP("Comparison", "Шумоподавитель: общий порог"), Kind::Choice},
    {"TxPowerCommon", QT_TRANSLATE_NOOP("Comparison", "Мощность передатчика"), Kind::Choice},
    {"MaxTxPower", QT_TRANSLATE_NOOP("Comparison", "Мощность передатчика: общий уровень")},
    {"TxPowerPassword", QT_TRANSLATE_NOOP("Comparison", "Мощность передатчика: пароль")},
    {"Tamp", QT_TRANSLATE_NOOP("Comparison", "Защита от перегрева передатчика"), Kind::Flag},
    {"MicAmp", QT_TRANSLATE_NOOP("Comparison", "Чувствительность микрофона гарнитуры (мВ)"), Kind::Choice},
    {"KeyLock", QT_TRANSLATE_NOOP("Comparison", "Блокировать кнопки панели управления"), Kind::Flag},
    {"TxVoiceMonitor", QT_TRANSLATE_NOOP("Comparison", "Прослушивание передаваемого сигнала"), Kind::Flag},
    {"DeemphasisOff", QT_TRANSLATE_NOOP("Comparison", "Отключение посткоррекции принимаемого сигнала"),
     Kind::Flag},
    {"ID", QT_TRANSLATE_NOOP("Comparison", "Идентификатор станции")},
    {"StartupMode", QT_TRANSLATE_NOOP("Comparison", "При подаче питания"), Kind::Choice},
    {"MultiplexedChannel", QT_TRANSLATE_NOOP("Comparison", "Мультиплексированный канал управления"),
     Kind::Flag},
    {"SqwMonitorPolarity", QT_TRANSLATE_NOOP("Comparison", "Плата расширения K58: вывод DB15.14"),
     Kind::Choice},
    {"Output1Function", QT_TRANSLATE_NOOP("Comparison", "Плата расширения K58: вывод Output1 (DB15.6)"),
     Kind::Choice},
    {"Output2Function", QT_TRANSLATE_NOOP("Comparison", "Плата расширения K58: вывод Output2 (DB15.1)"),
     Kind::Choice},
    {"Output3Function", QT_TRANSLATE_NOOP("Comparison", "Плата расширения K58: вывод Output3 (DB15.5)"),
     Kind::Choice},
};

const Setting *FindSetting(const QString &field)
{
    for (const Setting &s : kSettings) {
        if (field == QLatin1String(s.field))
            return &s;
    }
    return nullptr;
}

QString YesNo(bool value)
{
    return value ? Tr::tr("да") : Tr::tr("нет");
}

// The text of a value the pages show as one item of a list.
QString ChoiceText(const QString &field, int value)
{
    auto item = [value](std::initializer_list<const char *> items) {
        if (value < 0 || value >= int(items.size()))
            return QString::number(value);
        return PageTr(items.begin()[value]);
    };
    if (field == QLatin1String("TxPower"))
        return value ? PageTr("Максимальная") : PageTr("Минимальная");
    if (field == QLatin1String("SqlCommon"))
        return item({"Индивидуально по каналам", "Общий на все каналы"});
    if (field == QLatin1String("TxPowerCommon"))
        return item({"Индивидуально по каналам", "Общая на все каналы"});
    if (field == QLatin1String("Squelch"))
        return QStringLiteral("L%1").arg(value);
    if (field == QLatin1String("MicAmp"))
        return item({"10.0", "5.0", "3.2", "2.5"});
    if (field == QLatin1String("StartupMode")) {
        const int index = SettingsPages::StartupModeItem(value);
        return PageTr(std::array{"Выключить станцию", "Включить станцию в режим приема",
                                 "Восстановить состояние"}[std::size_t(index)]);
    }
    if (field == QLatin1String("SqwMonitorPolarity"))
        return item({"+5В: НЕТ   принимаемого сигнала", "+5В: ЕСТЬ принимаемый  сигнал"});
    return item({"Пассивен всегда", "Активен всегда", "Активен при приеме полезного сигнала",
                 "Активен при недостаточной мощности", "Активен при рассогласовании антенны",
                 "Активен при срыве ФАПЧ", "Активен при перегреве передатчика",
                 "Активен при готовности передатчика", "Активен при готовности приемника"});
}

QString FrequencyText(std::int32_t hertz)
{
    return hertz > 0 ? GroupDigits(QString::number(hertz)) : Tr::tr("нет");
}

QString SubtoneText(std::int32_t code)
{
    const QString text = LocalDecimal(SubtoneGridText(code));
    if (text.isEmpty())
        return Tr::tr("нет");
    return SubtoneGridLabel(code) + QLatin1Char(' ') + text;
}

QString PowerText(std::int32_t level, const std::array<std::int32_t, 4> &watts)
{
    if (level < 0 || level > 3)
        return QStringLiteral("?");
    return Tr::tr("%1 Вт").arg(watts[std::size_t(level)]);
}

} // namespace

int ColumnCount()
{
    return kColumnCount;
}

QString ColumnField(int column)
{
    return QLatin1String(kColumns[column].field);
}

QString ColumnCaption(int column)
{
    return Tr::tr(kColumns[column].caption);
}

bool ColumnAlwaysShown(int column)
{
    return column <= 1;
}

QString ChannelText(const Channel &channel, int column, const std::array<std::int32_t, 4> &watts)
{
    const Channel &c = channel;
    const QLatin1String field(kColumns[column].field);
    if (field == QLatin1String("freq_rx"))
        return FrequencyText(c.freq_rx);
    if (field == QLatin1String("freq_tx"))
        return FrequencyText(c.freq_tx);
    if (!c.IsUsed())
        return QString();
    if (field == QLatin1String("band_rx"))
        return LocalDecimal(c.band_rx ? QStringLiteral("25,0") : QStringLiteral("12,5"));
    if (field == QLatin1String("band_tx"))
        return LocalDecimal(c.band_tx ? QStringLiteral("25,0") : QStringLiteral("12,5"));
    if (field == QLatin1String("subtone_rx"))
        return SubtoneText(c.subtone_rx);
    if (field == QLatin1String("subtone_tx"))
        return SubtoneText(c.subtone_tx);
    if (field == QLatin1String("tone_rx"))
        return c.tone_rx > 0 ? QString::number(c.tone_rx) : Tr::tr("нет");
    if (field == QLatin1String("tone_tx"))
        return c.tone_tx > 0 ? QString::number(c.tone_tx) : Tr::tr("нет");
    if (field == QLatin1String("squelch"))
        return QStringLiteral("L%1").arg(c.squelch);
    if (field == QLatin1String("tx_power_low"))
        return PowerText(c.tx_power_low, watts);
    if (field == QLatin1String("tx_power_high"))
        return PowerText(c.tx_power_high, watts);
    if (field == QLatin1String("active"))
        return YesNo(c.active);
    if (field == QLatin1String("scan"))
        return YesNo(c.scan);
    if (field == QLatin1String("scrambler"))
        return YesNo(c.scrambler);
    if (field == QLatin1String("tx_limit"))
        return YesNo(c.tx_limit);
    return YesNo(c.tx_busy);
}

QString SettingCaption(const QString &field)
{
    const Setting *s = FindSetting(field);
    return s ? Tr::tr(s->caption) : field;
}

QString SettingText(const QString &field, const QString &value)
{
    const Setting *s = FindSetting(field);
    bool isNumber = false;
    const int number = value.toInt(&isNumber);
    if (!s || !isNumber)
        return value;
    switch (s->kind) {
    case Kind::Flag:
        return YesNo(number != 0);
    case Kind::Choice:
        return ChoiceText(field, number);
    case Kind::Number:
        break;
    }
    return value;
}

QList<int> Comparison::VisibleColumns() const
{
    QList<int> columns;
    for (int c = 0; c < kColumnCount; ++c) {
        bool shown = ColumnAlwaysShown(c);
        for (const ChannelRow &row : channels)
            shown = shown || row.changed[c];
        if (shown)
            columns << c;
    }
    return columns;
}

QString Comparison::Summary() const
{
    if (IsEmpty())
        return Tr::tr("Отличий нет: в радиостанции те же каналы и настройки, что и в программе.");
    return Tr::tr("Отличаются каналов: %1, настроек: %2.").arg(channels.size()).arg(settings.size());
}

Comparison Compare(const ConfigDiff::Channels &radio, const ConfigDiff::Channels &program,
                   const SettingsContext &radioSettings, const SettingsContext &programSettings,
                   std::uint16_t version, const std::array<std::int32_t, 4> &watts)
{
    Comparison out;
    const QList<ConfigDiff::Difference> channelDiffs = ConfigDiff::CompareChannels(radio, program);
    for (const ConfigDiff::Difference &d : channelDiffs) {
        if (out.channels.isEmpty() || out.channels.last().channel != d.channel) {
            ChannelRow row;
            row.channel = d.channel;
            const Channel a = ConfigDiff::ThroughRecord(radio[std::size_t(d.channel)]);
            const Channel b = ConfigDiff::ThroughRecord(program[std::size_t(d.channel)]);
            for (int c = 0; c < kColumnCount; ++c) {
                row.radio << ChannelText(a, c, watts);
                row.program << ChannelText(b, c, watts);
                row.changed << false;
            }
            out.channels << row;
        }
        for (int c = 0; c < kColumnCount; ++c) {
            if (d.field == QLatin1String(kColumns[c].field))
                out.channels.last().changed[c] = true;
        }
    }

    if (version == 0)
        version = SettingsContext::Version100;
    for (const ConfigDiff::Difference &d :
         ConfigDiff::CompareSettings(radioSettings, programSettings, version))
        out.settings << SettingRow{d.field, SettingCaption(d.field), SettingText(d.field, d.left),
                                   SettingText(d.field, d.right)};
    return out;
}

} // namespace comparison
