<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>Accessibility</name>
    <message>
        <source>Ход выполнения</source>
        <translation>Progress</translation>
    </message>
</context>
<context>
    <name>CellPainter</name>
    <message>
        <source>Канал</source>
        <translation>Channel</translation>
    </message>
    <message>
        <source>Полоса</source>
        <translation>Bandwidth</translation>
    </message>
    <message>
        <source>(кГц)</source>
        <translation>(kHz)</translation>
    </message>
    <message>
        <source>Рабочая</source>
        <translation>Operating</translation>
    </message>
    <message>
        <source>частота</source>
        <translation>frequency</translation>
    </message>
    <message>
        <source>(Гц)</source>
        <translation>(Hz)</translation>
    </message>
    <message>
        <source>Субтон</source>
        <translation>Subtone</translation>
    </message>
    <message>
        <source>CTCSS(Гц)</source>
        <translation>CTCSS(Hz)</translation>
    </message>
    <message>
        <source>или</source>
        <translation>or</translation>
    </message>
    <message>
        <source>DCS</source>
        <translation>DCS</translation>
    </message>
    <message>
        <source>Вызывной</source>
        <translation>Call</translation>
    </message>
    <message>
        <source>тон</source>
        <translation>tone</translation>
    </message>
    <message>
        <source>Порог</source>
        <translation>Squelch</translation>
    </message>
    <message>
        <source>ШП</source>
        <translation>level</translation>
    </message>
    <message>
        <source>Мощность</source>
        <translation>Transmit</translation>
    </message>
    <message>
        <source>мин/макс</source>
        <translation>min/max</translation>
    </message>
    <message>
        <source>(Вт)</source>
        <translation>(W)</translation>
    </message>
    <message>
        <source>Рабочий</source>
        <translation>Active</translation>
    </message>
    <message>
        <source>канал</source>
        <translation>channel</translation>
    </message>
    <message>
        <source>Скан</source>
        <translation>Scan</translation>
    </message>
    <message>
        <source>УПР</source>
        <translation>Scr.</translation>
    </message>
    <message>
        <source>Время</source>
        <translation>Continuous</translation>
    </message>
    <message>
        <source>непрерывной</source>
        <translation>transmit</translation>
    </message>
    <message>
        <source>ограничено</source>
        <translation>limited</translation>
    </message>
    <message>
        <source>Передача</source>
        <translation>Transmit</translation>
    </message>
    <message>
        <source>на</source>
        <translation>on</translation>
    </message>
    <message>
        <source>занятом</source>
        <translation>busy</translation>
    </message>
    <message>
        <source>канале</source>
        <translation>channel</translation>
    </message>
    <message>
        <source>Rx:</source>
        <translation>Rx:</translation>
    </message>
    <message>
        <source>Tx:</source>
        <translation>Tx:</translation>
    </message>
    <message>
        <source>передачи</source>
        <comment>power</comment>
        <translation>power</translation>
    </message>
    <message>
        <source>передачи</source>
        <comment>time</comment>
        <translation>time</translation>
    </message>
</context>
<context>
    <name>ChannelCsv</name>
    <message>
        <source>Frequency %1 не частота</source>
        <translation>Frequency %1 is not a frequency</translation>
    </message>
    <message>
        <source>частота %1 МГц слишком велика</source>
        <translation>frequency %1 MHz is too high</translation>
    </message>
    <message>
        <source>Mode %1: радиостанция работает только в FM и NFM</source>
        <translation>Mode %1: the radio works in FM and NFM only</translation>
    </message>
    <message>
        <source>не кратна шагу 12,5 кГц — при записи в радиостанцию она будет округлена вниз</source>
        <translation>is not a multiple of the 12.5 kHz step — writing to the radio rounds it down</translation>
    </message>
    <message>
        <source>частота %1 Гц %2</source>
        <translation>frequency %1 Hz %2</translation>
    </message>
    <message>
        <source>частота приёма %1 Гц %2</source>
        <translation>receive frequency %1 Hz %2</translation>
    </message>
    <message>
        <source>частота передачи %1 Гц %2</source>
        <translation>transmit frequency %1 Hz %2</translation>
    </message>
    <message>
        <source>Строка %1 (Location %2): </source>
        <translation>Line %1 (Location %2): </translation>
    </message>
    <message>
        <source>Строка %1: </source>
        <translation>Line %1: </translation>
    </message>
    <message>
        <source> — строка пропущена</source>
        <translation> — line skipped</translation>
    </message>
    <message>
        <source>Location %1 не номер канала</source>
        <translation>Location %1 is not a channel number</translation>
    </message>
    <message>
        <source>Location %1 вне 0–99</source>
        <translation>Location %1 is outside 0–99</translation>
    </message>
    <message>
        <source>Duplex %1 неизвестен</source>
        <translation>Duplex %1 is unknown</translation>
    </message>
    <message>
        <source>Offset %1 не частота</source>
        <translation>Offset %1 is not a frequency</translation>
    </message>
    <message>
        <source>Duplex %1 с Offset %2 не дают частоты передачи</source>
        <translation>Duplex %1 with Offset %2 give no transmit frequency</translation>
    </message>
    <message>
        <source>CrossMode %1 неизвестен — субтоны не перенесены</source>
        <translation>CrossMode %1 is unknown — subtones not carried over</translation>
    </message>
    <message>
        <source>Tone %1 не поддерживается — субтоны не перенесены</source>
        <translation>Tone %1 is not supported — subtones not carried over</translation>
    </message>
    <message>
        <source>%1 — субтон приёма и передачи не перенесён</source>
        <translation>%1 — receive and transmit subtone not carried over</translation>
    </message>
    <message>
        <source>%1 — субтон приёма не перенесён</source>
        <translation>%1 — receive subtone not carried over</translation>
    </message>
    <message>
        <source>%1 — субтон передачи не перенесён</source>
        <translation>%1 — transmit subtone not carried over</translation>
    </message>
    <message>
        <source>Skip &quot;P&quot; (приоритетный канал) перенесён как сканируемый канал</source>
        <translation>Skip &quot;P&quot; (priority channel) carried over as a scanned channel</translation>
    </message>
    <message>
        <source>Skip %1 неизвестен — канал сканируемый</source>
        <translation>Skip %1 is unknown — the channel is scanned</translation>
    </message>
    <message>
        <source>В CSV нет столбцов для вызывного тона, порога ШП, минимальной мощности, УПР, ограничения времени передачи, передачи на занятом канале и признака рабочего канала: они не выгружены.</source>
        <translation>CSV has no columns for the call tone, squelch level, minimum power, scrambler, transmit time limit, transmit on a busy channel and the active channel flag: they were not exported.</translation>
    </message>
    <message>
        <source>Канал %1: нет частоты приёма, а строка CSV начинается с неё — канал не выгружен.</source>
        <translation>Channel %1: no receive frequency, and a CSV row starts with it — channel not exported.</translation>
    </message>
    <message>
        <source>Канал %1: полоса приёма %2 кГц и передачи %3 кГц различаются, а в CSV одна полоса (Mode) — выгружена полоса приёма.</source>
        <translation>Channel %1: receive bandwidth %2 kHz and transmit bandwidth %3 kHz differ, and CSV has one bandwidth (Mode) — the receive bandwidth was exported.</translation>
    </message>
    <message>
        <source>приёма</source>
        <translation>receive</translation>
    </message>
    <message>
        <source>передачи</source>
        <translation>transmit</translation>
    </message>
    <message>
        <source>Канал %1: код субтона %2 %3 не определён — выгружен как отсутствующий.</source>
        <translation>Channel %1: %2 subtone code %3 is undefined — exported as none.</translation>
    </message>
    <message>
        <source>Не удалось сохранить файл %1: %2</source>
        <translation>Could not save the file %1: %2</translation>
    </message>
    <message>
        <source>Нет ни одного канала, который можно перенести; строк с каналами в файле: %1.</source>
        <translation>No channel can be carried over; channel rows in the file: %1.</translation>
    </message>
    <message>
        <source>Перенесено каналов: %1; строк с каналами в файле: %2.</source>
        <translation>Channels carried over: %1; channel rows in the file: %2.</translation>
    </message>
    <message>
        <source>Файл пуст.</source>
        <translation>The file is empty.</translation>
    </message>
    <message>
        <source>В первой строке нет столбцов Location и Frequency: это не таблица каналов в формате CSV.</source>
        <translation>The first line has no Location and Frequency columns: this is not a CSV channel table.</translation>
    </message>
    <message>
        <source>Строка %1 (Location %2): канал уже задан строкой %3 — действует строка %1.</source>
        <translation>Line %1 (Location %2): the channel was already given by line %3 — line %1 applies.</translation>
    </message>
    <message>
        <source>Столбец %1 не переносится (заполненных строк: %2).</source>
        <translation>Column %1 is not carried over (filled rows: %2).</translation>
    </message>
    <message>
        <source>Не удалось открыть файл %1: %2</source>
        <translation>Could not open the file %1: %2</translation>
    </message>
    <message>
        <source>Файл %1 слишком велик для таблицы каналов</source>
        <translation>The file %1 is too large for a channel table</translation>
    </message>
    <message>
        <source>Ошибка в файле %1: %2</source>
        <translation>Error in the file %1: %2</translation>
    </message>
    <message>
        <source>Строка %1 (Location %2): частоты вне выбранного диапазона %3 — канал удалён.</source>
        <translation>Line %1 (Location %2): frequencies outside the selected range %3 — channel removed.</translation>
    </message>
    <message>
        <source>тона %1 Гц (%2) нет в списке CTCSS</source>
        <translation>tone %1 Hz (%2) is not in the CTCSS list</translation>
    </message>
    <message>
        <source>кода DCS %1 (%2) нет в списке DCS</source>
        <translation>DCS code %1 (%2) is not in the DCS list</translation>
    </message>
    <message>
        <source>полярность DCS %1 (DtcsPolarity) не поддерживается, только NN</source>
        <translation>DCS polarity %1 (DtcsPolarity) is not supported, only NN</translation>
    </message>
    <message>
        <source>Power: мощности, которой нет среди уровней радиостанции (%1 Вт), в строках %2 — у этих каналов мощность по умолчанию.</source>
        <translation>Power: a power the radio has no level for (%1 W), in lines %2 — these channels get the default power.</translation>
    </message>
</context>
<context>
    <name>ChannelEntry</name>
    <message>
        <source>Частота приема %1 Гц вне диапазона %2.</source>
        <translation>The receive frequency %1 Hz is outside the range %2.</translation>
    </message>
    <message>
        <source>Частота передачи %1 Гц вне диапазона %2.</source>
        <translation>The transmit frequency %1 Hz is outside the range %2.</translation>
    </message>
    <message>
        <source>Прием на частоте 41,9 МГц возможен только с аппаратной опцией №25.</source>
        <translation>Reception on 41.9 MHz works only with hardware option No. 25.</translation>
    </message>
    <message>
        <source>Частота %1 Гц не кратна шагу 12,5 кГц; ближайшие допустимые: %2 и %3 Гц.</source>
        <translation>The frequency %1 Hz is not a multiple of the 12.5 kHz step; the nearest valid ones: %2 and %3 Hz.</translation>
    </message>
    <message>
        <source>Частота %1 Гц не кратна шагу 25 кГц полосы 25,0 кГц; допустима, ближайшие кратные: %2 и %3 Гц.</source>
        <translation>The frequency %1 Hz is not a multiple of the 25 kHz step of the 25.0 kHz band; accepted, the nearest multiples: %2 and %3 Hz.</translation>
    </message>
    <message>
        <source>Вызывной тон %1 Гц вне пределов от %2 до %3 Гц.</source>
        <translation>The call tone %1 Hz is outside %2 to %3 Hz.</translation>
    </message>
</context>
<context>
    <name>ChannelGridAccessible</name>
    <message>
        <source>Каналы</source>
        <translation>Channels</translation>
    </message>
    <message>
        <source>да</source>
        <translation>yes</translation>
    </message>
    <message>
        <source>нет</source>
        <translation>no</translation>
    </message>
    <message>
        <source>прием %1</source>
        <translation>receive %1</translation>
    </message>
    <message>
        <source>передача %1</source>
        <translation>transmit %1</translation>
    </message>
</context>
<context>
    <name>ChannelPrint</name>
    <message>
        <source>(нет)</source>
        <translation>(none)</translation>
    </message>
    <message>
        <source>Файл: %1</source>
        <translation>File: %1</translation>
    </message>
    <message>
        <source>Диапазон частот: %1</source>
        <translation>Frequency range: %1</translation>
    </message>
    <message>
        <source>Лист %1 из %2</source>
        <translation>Page %1 of %2</translation>
    </message>
    <message>
        <source>Используемых каналов нет.</source>
        <translation>No channels in use.</translation>
    </message>
</context>
<context>
    <name>Comparison</name>
    <message>
        <source>Частота приема (Гц)</source>
        <translation>Receive frequency (Hz)</translation>
    </message>
    <message>
        <source>Частота передачи (Гц)</source>
        <translation>Transmit frequency (Hz)</translation>
    </message>
    <message>
        <source>Полоса приема (кГц)</source>
        <translation>Receive bandwidth (kHz)</translation>
    </message>
    <message>
        <source>Полоса передачи (кГц)</source>
        <translation>Transmit bandwidth (kHz)</translation>
    </message>
    <message>
        <source>Субтон приема</source>
        <translation>Receive subtone</translation>
    </message>
    <message>
        <source>Субтон передачи</source>
        <translation>Transmit subtone</translation>
    </message>
    <message>
        <source>Вызывной тон приема (Гц)</source>
        <translation>Receive call tone (Hz)</translation>
    </message>
    <message>
        <source>Вызывной тон передачи (Гц)</source>
        <translation>Transmit call tone (Hz)</translation>
    </message>
    <message>
        <source>Порог ШП</source>
        <translation>Squelch level</translation>
    </message>
    <message>
        <source>Мощность мин</source>
        <translation>Power min</translation>
    </message>
    <message>
        <source>Мощность макс</source>
        <translation>Power max</translation>
    </message>
    <message>
        <source>Рабочий канал</source>
        <translation>Active channel</translation>
    </message>
    <message>
        <source>Скан</source>
        <translation>Scan</translation>
    </message>
    <message>
        <source>УПР</source>
        <translation>Scr.</translation>
    </message>
    <message>
        <source>Время передачи ограничено</source>
        <translation>Transmit time limited</translation>
    </message>
    <message>
        <source>Передача на занятом канале</source>
        <translation>Transmit on a busy channel</translation>
    </message>
    <message>
        <source>Громкость: текущий уровень</source>
        <translation>Volume: current level</translation>
    </message>
    <message>
        <source>Громкость: минимальный уровень</source>
        <translation>Volume: minimum level</translation>
    </message>
    <message>
        <source>Звук нажатия кнопок</source>
        <translation>Key beep</translation>
    </message>
    <message>
        <source>Звук нажатия кнопок: мин</source>
        <translation>Key beep: min</translation>
    </message>
    <message>
        <source>Звук нажатия кнопок: макс</source>
        <translation>Key beep: max</translation>
    </message>
    <message>
        <source>Включить внешний динамик</source>
        <translation>External speaker on</translation>
    </message>
    <message>
        <source>Яркость: индикация</source>
        <translation>Brightness: display</translation>
    </message>
    <message>
        <source>Яркость: подсветка кнопок</source>
        <translation>Brightness: key backlight</translation>
    </message>
    <message>
        <source>Канал: стартовый</source>
        <translation>Channel: start</translation>
    </message>
    <message>
        <source>Канал: стартовый заблокирован</source>
        <translation>Channel: start locked</translation>
    </message>
    <message>
        <source>Канал: приоритетный</source>
        <translation>Channel: priority</translation>
    </message>
    <message>
        <source>Канал: приоритетный заблокирован</source>
        <translation>Channel: priority locked</translation>
    </message>
    <message>
        <source>Сканирование: длительность паузы (с)</source>
        <translation>Scan: pause length (s)</translation>
    </message>
    <message>
        <source>Текущая мощность передачи</source>
        <translation>Current transmit power</translation>
    </message>
    <message>
        <source>Ограничение передачи: длительность передачи (с)</source>
        <translation>Transmit limit: transmit length (s)</translation>
    </message>
    <message>
        <source>Ограничение передачи: длительность паузы (с)</source>
        <translation>Transmit limit: pause length (s)</translation>
    </message>
    <message>
        <source>Шумоподавитель: включен</source>
        <translation>Squelch: on</translation>
    </message>
    <message>
        <source>Шумоподавитель: цифровой режим</source>
        <translation>Squelch: digital mode</translation>
    </message>
    <message>
        <source>Шумоподавитель: адаптивная громкость</source>
        <translation>Squelch: adaptive volume</translation>
    </message>
    <message>
        <source>Шумоподавитель: порог</source>
        <translation>Squelch: level</translation>
    </message>
    <message>
        <source>Шумоподавитель: общий порог</source>
        <translation>Squelch: common level</translation>
    </message>
    <message>
        <source>Мощность передатчика</source>
        <translation>Transmitter power</translation>
    </message>
    <message>
        <source>Мощность передатчика: общий уровень</source>
        <translation>Transmitter power: common level</translation>
    </message>
    <message>
        <source>Мощность передатчика: пароль</source>
        <translation>Transmitter power: password</translation>
    </message>
    <message>
        <source>Защита от перегрева передатчика</source>
        <translation>Transmitter overheat protection</translation>
    </message>
    <message>
        <source>Чувствительность микрофона гарнитуры (мВ)</source>
        <translation>Headset microphone sensitivity (mV)</translation>
    </message>
    <message>
        <source>Блокировать кнопки панели управления</source>
        <translation>Lock the control panel keys</translation>
    </message>
    <message>
        <source>Прослушивание передаваемого сигнала</source>
        <translation>Monitor the transmitted signal</translation>
    </message>
    <message>
        <source>Отключение посткоррекции принимаемого сигнала</source>
        <translation>De-emphasis of the received signal off</translation>
    </message>
    <message>
        <source>Идентификатор станции</source>
        <translation>Radio identifier</translation>
    </message>
    <message>
        <source>При подаче питания</source>
        <translation>At power on</translation>
    </message>
    <message>
        <source>Мультиплексированный канал управления</source>
        <translation>Multiplexed control channel</translation>
    </message>
    <message>
        <source>Плата расширения K58: вывод DB15.14</source>
        <translation>Expansion board K58: pin DB15.14</translation>
    </message>
    <message>
        <source>Плата расширения K58: вывод Output1 (DB15.6)</source>
        <translation>Expansion board K58: pin Output1 (DB15.6)</translation>
    </message>
    <message>
        <source>Плата расширения K58: вывод Output2 (DB15.1)</source>
        <translation>Expansion board K58: pin Output2 (DB15.1)</translation>
    </message>
    <message>
        <source>Плата расширения K58: вывод Output3 (DB15.5)</source>
        <translation>Expansion board K58: pin Output3 (DB15.5)</translation>
    </message>
    <message>
        <source>да</source>
        <translation>yes</translation>
    </message>
    <message>
        <source>нет</source>
        <translation>no</translation>
    </message>
    <message>
        <source>%1 Вт</source>
        <translation>%1 W</translation>
    </message>
    <message>
        <source>Отличий нет: в радиостанции те же каналы и настройки, что и в программе.</source>
        <translation>No differences: the radio holds the same channels and settings as the program.</translation>
    </message>
    <message>
        <source>Отличаются каналов: %1, настроек: %2.</source>
        <translation>Channels that differ: %1, settings: %2.</translation>
    </message>
</context>
<context>
    <name>ConfigurationDocument</name>
    <message>
        <source>корневой элемент &lt;%1&gt; вместо &lt;%2&gt;</source>
        <translation>root element &lt;%1&gt; instead of &lt;%2&gt;</translation>
    </message>
    <message>
        <source>нет элемента &lt;%1&gt;</source>
        <translation>no element &lt;%1&gt;</translation>
    </message>
    <message>
        <source>Не удалось открыть файл %1: %2</source>
        <translation>Could not open the file %1: %2</translation>
    </message>
    <message>
        <source>Файл %1 слишком велик для файла настроек</source>
        <translation>The file %1 is too large for a configuration file</translation>
    </message>
    <message>
        <source>Ошибка в файле %1: %2</source>
        <translation>Error in the file %1: %2</translation>
    </message>
    <message>
        <source>Файл %1 не является файлом настроек радиостанции: %2</source>
        <translation>The file %1 is not a radio configuration file: %2</translation>
    </message>
    <message>
        <source>Не удалось сохранить файл %1: это не обычный файл</source>
        <translation>Could not save the file %1: it is not a regular file</translation>
    </message>
    <message>
        <source>Не удалось сохранить файл %1: папка %2 не существует</source>
        <translation>Could not save the file %1: the folder %2 does not exist</translation>
    </message>
    <message>
        <source>Не удалось сохранить файл %1: нет прав на запись в папку %2</source>
        <translation>Could not save the file %1: no permission to write to the folder %2</translation>
    </message>
    <message>
        <source>Не удалось сохранить файл %1: %2</source>
        <translation>Could not save the file %1: %2</translation>
    </message>
    <message>
        <source>Файл %1 пуст.</source>
        <translation>The file %1 is empty.</translation>
    </message>
    <message>
        <source>Файл %1 не является файлом настроек радиостанции.</source>
        <translation>The file %1 is not a radio configuration file.</translation>
    </message>
    <message>
        <source>Файл %1 повреждён: ошибка в строке %2.</source>
        <translation>The file %1 is damaged: error in line %2.</translation>
    </message>
    <message>
        <source>Подробности: %1</source>
        <translation>Details: %1</translation>
    </message>
    <message>
        <source>При загрузке файла были удалены каналы, не соответствующие диапазону частот.</source>
        <translation>Loading the file removed channels that do not fit the frequency range.</translation>
    </message>
    <message>
        <source>Удалены каналы: %1.</source>
        <translation>Channels removed: %1.</translation>
    </message>
</context>
<context>
    <name>DecimalSeparator</name>
    <message>
        <source>,</source>
        <extracomment>The decimal separator of numbers in texts: a point in English.</extracomment>
        <translation>.</translation>
    </message>
</context>
<context>
    <name>DialogSeam</name>
    <message>
        <source>Сохранить</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Не сохранять</source>
        <translation>Don&apos;t save</translation>
    </message>
    <message>
        <source>Отменить</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>EditHistory</name>
    <message>
        <source>изменение таблиц</source>
        <translation>change of the tables</translation>
    </message>
</context>
<context>
    <name>FreqRange</name>
    <message>
        <source> МГц)</source>
        <translation> MHz)</translation>
    </message>
</context>
<context>
    <name>KdApplication</name>
    <message>
        <source>Программатор радиостанции &quot;КОРДАН 7К-40БМ&quot;</source>
        <translation>Programmer of the &quot;KORDAN 7K-40BM&quot; radio</translation>
    </message>
</context>
<context>
    <name>PortDirectory</name>
    <message>
        <source>Порту %1 не соответствует ни одно устройство (его можно указать в группе [Ports] файла %2).</source>
        <translation>No device belongs to the port %1 (one can be named in the group [Ports] of the file %2).</translation>
    </message>
    <message>
        <source>Устройство %1 отсутствует: адаптер не подключён или порт выбран неверно.</source>
        <translation>The device %1 is missing: the adapter is not connected or the wrong port is selected.</translation>
    </message>
    <message>
        <source>Устройство %1 занято другой программой.</source>
        <translation>The device %1 is in use by another program.</translation>
    </message>
    <message>
        <source>Нет прав на устройство %1.</source>
        <translation>No permission to use the device %1.</translation>
    </message>
    <message>
        <source>Нет прав на устройство %1: его открывают члены группы %2. Добавьте пользователя в группу командой &quot;sudo usermod -a -G %2 %3&quot; и войдите в систему заново.</source>
        <translation>No permission to use the device %1: members of the group %2 may open it. Add the user to the group with &quot;sudo usermod -a -G %2 %3&quot; and log in again.</translation>
    </message>
    <message>
        <source>Устройство %1 не открылось: %2.</source>
        <translation>The device %1 did not open: %2.</translation>
    </message>
    <message>
        <source>Порт %1: устройство %2.</source>
        <translation>Port %1: device %2.</translation>
    </message>
    <message>
        <source>Вместо порта %1, выбранного по умолчанию, взят первый имеющийся порт %2.</source>
        <translation>The default port %1 is replaced by the first port present, %2.</translation>
    </message>
</context>
<context>
    <name>PortProbe</name>
    <message>
        <source>опрос ...</source>
        <translation>asking ...</translation>
    </message>
    <message>
        <source>нет</source>
        <translation>none</translation>
    </message>
    <message>
        <source>радиостанция %1, серийный номер %2, программатор %3, таблица настроек %4, диапазон %5</source>
        <translation>radio %1, serial number %2, programmer %3, settings table %4, range %5</translation>
    </message>
    <message>
        <source>радиостанция не отвечает</source>
        <translation>no radio answers</translation>
    </message>
    <message>
        <source>порт занят другой программой</source>
        <translation>port held by another program</translation>
    </message>
    <message>
        <source>нет прав на устройство</source>
        <translation>no permission for the device</translation>
    </message>
    <message>
        <source>устройство отсутствует</source>
        <translation>device not present</translation>
    </message>
    <message>
        <source>ошибка: %1</source>
        <translation>error: %1</translation>
    </message>
    <message>
        <source>то же устройство, что и %1</source>
        <translation>the same device as %1</translation>
    </message>
</context>
<context>
    <name>ProgrammingJob</name>
    <message>
        <source>ошибка контрольной суммы</source>
        <translation>checksum error</translation>
    </message>
    <message>
        <source>неверный ответ радиостанции</source>
        <translation>wrong reply from the radio</translation>
    </message>
    <message>
        <source>ошибка длины блока</source>
        <translation>block length error</translation>
    </message>
    <message>
        <source>ошибка доступа к порту</source>
        <translation>port access error</translation>
    </message>
    <message>
        <source>ошибка установки скорости обмена</source>
        <translation>error setting the baud rate</translation>
    </message>
    <message>
        <source>ошибка указателя на буфер</source>
        <translation>buffer pointer error</translation>
    </message>
    <message>
        <source>несовпадение данных при сравнении</source>
        <translation>data mismatch on comparison</translation>
    </message>
    <message>
        <source>ответ не получен за отведенное время</source>
        <translation>no reply within the allowed time</translation>
    </message>
    <message>
        <source>ошибка обмена (код %1)</source>
        <translation>exchange error (code %1)</translation>
    </message>
    <message>
        <source>записана полностью</source>
        <translation>written completely</translation>
    </message>
    <message>
        <source>записана частично</source>
        <translation>written partly</translation>
    </message>
    <message>
        <source>не записана</source>
        <translation>not written</translation>
    </message>
    <message>
        <source>Процесс остановлен!!!</source>
        <translation>Process stopped!!!</translation>
    </message>
    <message>
        <source>Запись прервана!!!</source>
        <translation>Write aborted!!!</translation>
    </message>
    <message>
        <source>информация о станции не получена</source>
        <translation>radio information not received</translation>
    </message>
    <message>
        <source>таблицы прочитаны с ошибками</source>
        <translation>tables read with errors</translation>
    </message>
    <message>
        <source>чтение не выполнено</source>
        <translation>read not done</translation>
    </message>
    <message>
        <source>запись не выполнена</source>
        <translation>write not done</translation>
    </message>
    <message>
        <source>операция не выполнена</source>
        <translation>operation not done</translation>
    </message>
    <message>
        <source>Итог: %1 (%2).</source>
        <translation>Result: %1 (%2).</translation>
    </message>
    <message>
        <source>Итог: %1 (%2). Таблица каналов %3, таблица настроек %4.</source>
        <translation>Result: %1 (%2). Channel table %3, settings table %4.</translation>
    </message>
    <message>
        <source>Порт не выбран.</source>
        <translation>No port selected.</translation>
    </message>
    <message>
        <source>остановлено по запросу</source>
        <translation>stopped on request</translation>
    </message>
    <message>
        <source>Не удалось открыть порт COM%1 !!!</source>
        <translation>Could not open the port COM%1 !!!</translation>
    </message>
    <message>
        <source>порт COM%1 не открыт</source>
        <translation>port COM%1 not opened</translation>
    </message>
    <message>
        <source>Порт COM%1 открыт.</source>
        <translation>Port COM%1 opened.</translation>
    </message>
    <message>
        <source>Чтение ...</source>
        <translation>Reading ...</translation>
    </message>
    <message>
        <source>Информация о станции получена.</source>
        <translation>Radio information received.</translation>
    </message>
    <message>
        <source>диапазон частот в станции и файле не совпадают</source>
        <translation>the frequency ranges of the radio and the file differ</translation>
    </message>
    <message>
        <source>нужен другой программатор [%1]</source>
        <translation>another programmer is needed [%1]</translation>
    </message>
    <message>
        <source>Порт COM%1 закрыт.</source>
        <translation>Port COM%1 closed.</translation>
    </message>
    <message>
        <source>Таблица каналов прочитана (версия %1).</source>
        <translation>Channel table read (version %1).</translation>
    </message>
    <message>
        <source>Ошибки в таблице каналов!!!</source>
        <translation>Errors in the channel table!!!</translation>
    </message>
    <message>
        <source>ошибки в таблице каналов</source>
        <translation>errors in the channel table</translation>
    </message>
    <message>
        <source>Таблица настроек прочитана (версия %1).</source>
        <translation>Settings table read (version %1).</translation>
    </message>
    <message>
        <source>Ошибки в таблице настроек!!!</source>
        <translation>Errors in the settings table!!!</translation>
    </message>
    <message>
        <source>ошибки в таблице настроек</source>
        <translation>errors in the settings table</translation>
    </message>
    <message>
        <source>Таблица каналов записана.</source>
        <translation>Channel table written.</translation>
    </message>
    <message>
        <source>Таблица настроек записана.</source>
        <translation>Settings table written.</translation>
    </message>
    <message>
        <source>Ошибка. Таблица каналов не сформирована!!!</source>
        <translation>Error. Channel table not built!!!</translation>
    </message>
    <message>
        <source>таблица каналов не сформирована</source>
        <translation>channel table not built</translation>
    </message>
    <message>
        <source>Таблица каналов сформирована (версия %1).</source>
        <translation>Channel table built (version %1).</translation>
    </message>
    <message>
        <source>Ошибка. Таблица настроек версии %1 не может быть сформирована!!!</source>
        <translation>Error. A settings table of version %1 cannot be built!!!</translation>
    </message>
    <message>
        <source>таблица настроек версии %1 не может быть сформирована</source>
        <translation>a settings table of version %1 cannot be built</translation>
    </message>
    <message>
        <source>Таблица настроек сформирована (версия %1).</source>
        <translation>Settings table built (version %1).</translation>
    </message>
    <message>
        <source>Запись ...</source>
        <translation>Writing ...</translation>
    </message>
    <message>
        <source>Ошибка. Радиостанция получила бы другие значения, чем заданы:</source>
        <translation>Error. The radio would receive values other than those given:</translation>
    </message>
    <message>
        <source>значения, которые радиостанция не примет без изменения</source>
        <translation>values the radio would not take unchanged</translation>
    </message>
    <message>
        <source>Диапазон частот в станции и файле не совпадают!!!</source>
        <translation>The frequency ranges of the radio and the file differ!!!</translation>
    </message>
    <message>
        <source>Для программирования радиостанции необходим другой программатор [%1]</source>
        <translation>Programming this radio needs another programmer [%1]</translation>
    </message>
    <message>
        <source>радиостанция пропущена</source>
        <translation>radio skipped</translation>
    </message>
    <message>
        <source> Запишите радиостанцию ещё раз.</source>
        <translation> Write the radio again.</translation>
    </message>
    <message>
        <source> Резервная копия того, что в ней было: %1</source>
        <translation> The backup of what it held: %1</translation>
    </message>
</context>
<context>
    <name>Protocol</name>
    <message>
        <source>Ошибка контрольной суммы !!!</source>
        <translation>Checksum error !!!</translation>
    </message>
    <message>
        <source>Ошибка. Неверный ответ !!!</source>
        <translation>Error. Wrong reply !!!</translation>
    </message>
    <message>
        <source>Ошибка длины блока!!!</source>
        <translation>Block length error!!!</translation>
    </message>
    <message>
        <source>Ошибка доступа!!!</source>
        <translation>Access error!!!</translation>
    </message>
    <message>
        <source>Ошибка установки скорости обмена!!!</source>
        <translation>Error setting the baud rate!!!</translation>
    </message>
    <message>
        <source>Ошибка указателя на буфер!!!</source>
        <translation>Buffer pointer error!!!</translation>
    </message>
    <message>
        <source>Ошибка. Несовпадение данных при сравнении!!!</source>
        <translation>Error. Data mismatch on comparison!!!</translation>
    </message>
    <message>
        <source>Ошибка. Ответ не получен за отведенное время!!!</source>
        <translation>Error. No reply within the allowed time!!!</translation>
    </message>
    <message>
        <source>Ошибка!!!</source>
        <translation>Error!!!</translation>
    </message>
</context>
<context>
    <name>SafetyOptions</name>
    <message>
        <source>Резервная копия: чтение радиостанции</source>
        <translation>Backup: reading the radio</translation>
    </message>
    <message>
        <source>Проверка: чтение радиостанции</source>
        <translation>Verification: reading the radio</translation>
    </message>
    <message>
        <source>Запись в радиостанцию</source>
        <translation>Writing to the radio</translation>
    </message>
</context>
<context>
    <name>SafetySteps</name>
    <message>
        <source>радиостанция не прочитана</source>
        <translation>the radio was not read</translation>
    </message>
    <message>
        <source>Резервная копия сохранена: %1</source>
        <translation>Backup saved: %1</translation>
    </message>
    <message>
        <source>Запись прервана!!!</source>
        <translation>Write aborted!!!</translation>
    </message>
    <message>
        <source>Проверка: данные совпадают.</source>
        <translation>Verification: the data match.</translation>
    </message>
    <message>
        <source>Ошибка. Проверка не выполнена!!!</source>
        <translation>Error. Verification not done!!!</translation>
    </message>
    <message>
        <source>Итог: таблицы записаны, но не проверены. Сравните их с радиостанцией (&quot;Сравнить с радиостанцией&quot;) или запишите ещё раз.</source>
        <translation>Outcome: the tables were written but not verified. Compare them with the radio (&quot;Compare with the radio&quot;) or write again.</translation>
    </message>
    <message>
        <source>Ошибка. Резервная копия не сохранена!!!</source>
        <translation>Error. Backup not saved!!!</translation>
    </message>
</context>
<context>
    <name>SettingsPages</name>
    <message>
        <source>Яркость</source>
        <translation>Brightness</translation>
    </message>
    <message>
        <source>Индикация</source>
        <translation>Display</translation>
    </message>
    <message>
        <source>Подсветка кнопок</source>
        <translation>Key backlight</translation>
    </message>
    <message>
        <source>Канал</source>
        <translation>Channel</translation>
    </message>
    <message>
        <source>Стартовый</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Приоритетный</source>
        <translation>Priority</translation>
    </message>
    <message>
        <source>От 0 до 99</source>
        <translation>From 0 to 99</translation>
    </message>
    <message>
        <source>Ограничение времени непрерывной передачи</source>
        <translation>Continuous transmit time limit</translation>
    </message>
    <message>
        <source>Длительность передачи</source>
        <translation>Transmit length</translation>
    </message>
    <message>
        <source>Длительность паузы</source>
        <translation>Pause length</translation>
    </message>
    <message>
        <source>От 0 до 900 секунд</source>
        <translation>From 0 to 900 seconds</translation>
    </message>
    <message>
        <source>Сканирование</source>
        <translation>Scan</translation>
    </message>
    <message>
        <source>От 0 до 60 секунд</source>
        <translation>From 0 to 60 seconds</translation>
    </message>
    <message>
        <source>Включить внешний динамик</source>
        <translation>External speaker on</translation>
    </message>
    <message>
        <source>Громкость</source>
        <translation>Volume</translation>
    </message>
    <message>
        <source>Текущий уровень громкости</source>
        <translation>Current volume level</translation>
    </message>
    <message>
        <source>Звук нажатия кнопок</source>
        <translation>Key beep</translation>
    </message>
    <message>
        <source>Мин</source>
        <translation>Min</translation>
    </message>
    <message>
        <source>Макс</source>
        <translation>Max</translation>
    </message>
    <message>
        <source>Текущая мощность передачи</source>
        <translation>Current transmit power</translation>
    </message>
    <message>
        <source>Максимальная</source>
        <translation>Maximum</translation>
    </message>
    <message>
        <source>Минимальная</source>
        <translation>Minimum</translation>
    </message>
    <message>
        <source>Включен</source>
        <translation>On</translation>
    </message>
    <message>
        <source>Адаптивная громкость</source>
        <translation>Adaptive volume</translation>
    </message>
    <message>
        <source>Индивидуально по каналам</source>
        <translation>Per channel</translation>
    </message>
    <message>
        <source>Общий на все каналы</source>
        <translation>Common to all channels</translation>
    </message>
    <message>
        <source>L1</source>
        <translation>L1</translation>
    </message>
    <message>
        <source>L2</source>
        <translation>L2</translation>
    </message>
    <message>
        <source>L3</source>
        <translation>L3</translation>
    </message>
    <message>
        <source>L4</source>
        <translation>L4</translation>
    </message>
    <message>
        <source>L5</source>
        <translation>L5</translation>
    </message>
    <message>
        <source>L6</source>
        <translation>L6</translation>
    </message>
    <message>
        <source>L7</source>
        <translation>L7</translation>
    </message>
    <message>
        <source>L8</source>
        <translation>L8</translation>
    </message>
    <message>
        <source>Цифровой режим</source>
        <translation>Digital mode</translation>
    </message>
    <message>
        <source>Шумоподавитель</source>
        <translation>Squelch</translation>
    </message>
    <message>
        <source>Общая на все каналы</source>
        <translation>Common to all channels</translation>
    </message>
    <message>
        <source>1Вт / 10Вт</source>
        <translation>1W / 10W</translation>
    </message>
    <message>
        <source>1Вт / 15Вт</source>
        <translation>1W / 15W</translation>
    </message>
    <message>
        <source>1Вт / 20Вт</source>
        <translation>1W / 20W</translation>
    </message>
    <message>
        <source>1Вт / 35Вт</source>
        <translation>1W / 35W</translation>
    </message>
    <message>
        <source>Пароль</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>Защита от перегрева передатчика</source>
        <translation>Transmitter overheat protection</translation>
    </message>
    <message>
        <source>Автоматически снижает мощность при перегреве выше 70 градусов</source>
        <translation>Lowers the power automatically when overheated above 70 degrees</translation>
    </message>
    <message>
        <source>Мощность передатчика</source>
        <translation>Transmitter power</translation>
    </message>
    <message>
        <source>Чувствительность микрофона гарнитуры (мВ)</source>
        <translation>Headset microphone sensitivity (mV)</translation>
    </message>
    <message>
        <source>10.0</source>
        <translation>10.0</translation>
    </message>
    <message>
        <source>5.0</source>
        <translation>5.0</translation>
    </message>
    <message>
        <source>3.2</source>
        <translation>3.2</translation>
    </message>
    <message>
        <source>2.5</source>
        <translation>2.5</translation>
    </message>
    <message>
        <source>Блокировать кнопки панели управления</source>
        <translation>Lock the control panel keys</translation>
    </message>
    <message>
        <source>Прослушивание передаваемого сигнала</source>
        <translation>Monitor the transmitted signal</translation>
    </message>
    <message>
        <source>Отключение посткоррекции принимаемого сигнала</source>
        <translation>De-emphasis of the received signal off</translation>
    </message>
    <message>
        <source>Выключить станцию</source>
        <translation>Switch the radio off</translation>
    </message>
    <message>
        <source>Включить станцию в режим приема</source>
        <translation>Switch the radio on, receiving</translation>
    </message>
    <message>
        <source>Восстановить состояние</source>
        <translation>Restore the last state</translation>
    </message>
    <message>
        <source>Идентификатор станции</source>
        <translation>Radio identifier</translation>
    </message>
    <message>
        <source>При подаче питания</source>
        <translation>At power on</translation>
    </message>
    <message>
        <source>Мультиплексированный канал управления</source>
        <translation>Multiplexed control channel</translation>
    </message>
    <message>
        <source>+5В: НЕТ   принимаемого сигнала</source>
        <translation>+5V: NO    received signal</translation>
    </message>
    <message>
        <source>+5В: ЕСТЬ принимаемый  сигнал</source>
        <translation>+5V: A     received signal</translation>
    </message>
    <message>
        <source>Пассивен всегда</source>
        <translation>Always passive</translation>
    </message>
    <message>
        <source>Активен всегда</source>
        <translation>Always active</translation>
    </message>
    <message>
        <source>Активен при приеме полезного сигнала</source>
        <translation>Active while a wanted signal is received</translation>
    </message>
    <message>
        <source>Активен при недостаточной мощности</source>
        <translation>Active at insufficient power</translation>
    </message>
    <message>
        <source>Активен при рассогласовании антенны</source>
        <translation>Active at antenna mismatch</translation>
    </message>
    <message>
        <source>Активен при срыве ФАПЧ</source>
        <translation>Active when the PLL unlocks</translation>
    </message>
    <message>
        <source>Активен при перегреве передатчика</source>
        <translation>Active when the transmitter overheats</translation>
    </message>
    <message>
        <source>Активен при готовности передатчика</source>
        <translation>Active when the transmitter is ready</translation>
    </message>
    <message>
        <source>Активен при готовности приемника</source>
        <translation>Active when the receiver is ready</translation>
    </message>
    <message>
        <source>Плата расширения K58</source>
        <translation>Expansion board K58</translation>
    </message>
    <message>
        <source>Вывод DB15.14</source>
        <translation>Pin DB15.14</translation>
    </message>
    <message>
        <source>Вывод Output1 (DB15.6)</source>
        <translation>Pin Output1 (DB15.6)</translation>
    </message>
    <message>
        <source>Вывод Output2 (DB15.1)</source>
        <translation>Pin Output2 (DB15.1)</translation>
    </message>
    <message>
        <source>Вывод Output3 (DB15.5)</source>
        <translation>Pin Output3 (DB15.5)</translation>
    </message>
    <message>
        <source>мин: %dВт / макс: %dВт</source>
        <translation>min: %dW / max: %dW</translation>
    </message>
    <message>
        <source>Минимальный уровень громкости</source>
        <translation>Minimum volume level</translation>
    </message>
    <message>
        <source>Блокировка стартового канала</source>
        <translation>Start channel lock</translation>
    </message>
    <message>
        <source>Блокировка приоритетного канала</source>
        <translation>Priority channel lock</translation>
    </message>
    <message>
        <source>Порог ШП</source>
        <translation>Squelch level</translation>
    </message>
    <message>
        <source>Общий порог ШП</source>
        <translation>Common squelch level</translation>
    </message>
    <message>
        <source>Общая мощность передатчика</source>
        <translation>Common transmitter power</translation>
    </message>
    <message>
        <source>Диаграмма громкости</source>
        <translation>Volume diagram</translation>
    </message>
    <message>
        <source>Заблокирован</source>
        <translation>Locked</translation>
    </message>
    <message>
        <source>Не заблокирован</source>
        <translation>Unlocked</translation>
    </message>
</context>
<context>
    <name>Subtones</name>
    <message>
        <source>(нет)</source>
        <translation>(none)</translation>
    </message>
    <message>
        <source> Гц</source>
        <translation> Hz</translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source>Чтение ...</source>
        <translation>Reading ...</translation>
    </message>
    <message>
        <source>Запись ...</source>
        <translation>Writing ...</translation>
    </message>
    <message>
        <source>Информация ...</source>
        <translation>Information ...</translation>
    </message>
    <message>
        <source>Запись этого файла в радиостанцию будет отклонена: радиостанция не примет эти значения без изменения.</source>
        <translation>Writing this file to the radio will be refused: the radio would not take these values unchanged.</translation>
    </message>
    <message>
        <source>При записи в радиостанцию эти значения будут изменены:</source>
        <translation>Writing to the radio will change these values:</translation>
    </message>
    <message>
        <source>... и ещё %1</source>
        <translation>... and %1 more</translation>
    </message>
    <message>
        <source>Программатор мобильных радиостанций</source>
        <translation>Mobile radio programmer</translation>
    </message>
    <message>
        <source>Создать</source>
        <translation>New</translation>
    </message>
    <message>
        <source>Открыть</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Сохранить как</source>
        <translation>Save as</translation>
    </message>
    <message>
        <source>Судовая сетка частот</source>
        <translation>Ship frequency grid</translation>
    </message>
    <message>
        <source>Береговая сетка частот</source>
        <translation>Shore frequency grid</translation>
    </message>
    <message>
        <source>Информация</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Прочитать из радиостанции</source>
        <translation>Read from the radio</translation>
    </message>
    <message>
        <source>Записать в радиостанцию</source>
        <translation>Write to the radio</translation>
    </message>
    <message>
        <source>Выбрать COM порт</source>
        <translation>Select COM port</translation>
    </message>
    <message>
        <source>Выбрать диапазон частот</source>
        <translation>Select frequency range</translation>
    </message>
    <message>
        <source>О программе</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Сохранить как ...</source>
        <translation>Save as ...</translation>
    </message>
    <message>
        <source>Прочитать</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>Записать</source>
        <translation>Write</translation>
    </message>
    <message>
        <source>Выбрать &amp;COM порт</source>
        <translation>Select &amp;COM port</translation>
    </message>
    <message>
        <source>Файл</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Радиостанция</source>
        <translation>Radio</translation>
    </message>
    <message>
        <source>Установки</source>
        <translation>Setup</translation>
    </message>
    <message>
        <source>Каналы</source>
        <translation>Channels</translation>
    </message>
    <message>
        <source>Настройки</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Настройки 2</source>
        <translation>Settings 2</translation>
    </message>
    <message>
        <source>Информация о радиостанции</source>
        <translation>Radio information</translation>
    </message>
    <message>
        <source>Программатор каналов и настроек мобильных радиостанций</source>
        <translation>Channel and settings programmer for mobile radios</translation>
    </message>
    <message>
        <source>Для программирования станции необходим другой программатор [%1]</source>
        <translation>Programming this radio needs another programmer [%1]</translation>
    </message>
    <message>
        <source>создание</source>
        <translation>new configuration</translation>
    </message>
    <message>
        <source>удаление каналов вне диапазона</source>
        <translation>removal of channels outside the range</translation>
    </message>
    <message>
        <source>Настройки радиостанции (*.xml)</source>
        <translation>Radio configuration (*.xml)</translation>
    </message>
    <message>
        <source>судовая сетка частот</source>
        <translation>ship frequency grid</translation>
    </message>
    <message>
        <source>береговая сетка частот</source>
        <translation>shore frequency grid</translation>
    </message>
    <message>
        <source>чтение из радиостанции</source>
        <translation>read from the radio</translation>
    </message>
    <message>
        <source>Выбранный диапазон частот не совпадает с диапазоном частот радиостанции</source>
        <translation>The selected frequency range differs from the radio&apos;s frequency range</translation>
    </message>
    <message>
        <source>смена диапазона частот</source>
        <translation>change of the frequency range</translation>
    </message>
    <message>
        <source>При смене диапазона частот некоторые каналы были удалены.</source>
        <translation>Changing the frequency range removed some channels.</translation>
    </message>
    <message>
        <source>изменение канала %1</source>
        <translation>change of channel %1</translation>
    </message>
    <message>
        <source>изменение настроек</source>
        <translation>change of the settings</translation>
    </message>
    <message>
        <source>Отменить</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Повторить</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>Вырезать каналы</source>
        <translation>Cut channels</translation>
    </message>
    <message>
        <source>Копировать каналы</source>
        <translation>Copy channels</translation>
    </message>
    <message>
        <source>Вставить каналы</source>
        <translation>Paste channels</translation>
    </message>
    <message>
        <source>Удалить каналы</source>
        <translation>Delete channels</translation>
    </message>
    <message>
        <source>Правка</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>Отменить: %1</source>
        <translation>Undo: %1</translation>
    </message>
    <message>
        <source>Повторить: %1</source>
        <translation>Redo: %1</translation>
    </message>
    <message>
        <source>Каналы и настройки были изменены. Сохранить изменения?</source>
        <translation>The channels and settings have changed. Save the changes?</translation>
    </message>
    <message>
        <source>вырезание каналов</source>
        <translation>cutting channels</translation>
    </message>
    <message>
        <source>удаление каналов</source>
        <translation>deleting channels</translation>
    </message>
    <message>
        <source>Текст в буфере обмена не является таблицей каналов (строка %1, столбец %2).</source>
        <translation>The text on the clipboard is not a channel table (line %1, column %2).</translation>
    </message>
    <message>
        <source>В буфере обмена нет каналов.</source>
        <translation>There are no channels on the clipboard.</translation>
    </message>
    <message>
        <source>вставка каналов</source>
        <translation>pasting channels</translation>
    </message>
    <message>
        <source>При вставке были удалены каналы, не соответствующие диапазону частот.</source>
        <translation>Pasting removed channels that do not fit the frequency range.</translation>
    </message>
    <message>
        <source>Каналы, не поместившиеся после канала 99, не вставлены.</source>
        <translation>Channels that did not fit after channel 99 were not pasted.</translation>
    </message>
    <message>
        <source>Импорт из CSV</source>
        <translation>Import from CSV</translation>
    </message>
    <message>
        <source>Импорт из CSV ...</source>
        <translation>Import from CSV ...</translation>
    </message>
    <message>
        <source>Экспорт в CSV</source>
        <translation>Export to CSV</translation>
    </message>
    <message>
        <source>Экспорт в CSV ...</source>
        <translation>Export to CSV ...</translation>
    </message>
    <message>
        <source>Печать</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>Печать ...</source>
        <translation>Print ...</translation>
    </message>
    <message>
        <source>Экспорт в PDF</source>
        <translation>Export to PDF</translation>
    </message>
    <message>
        <source>Экспорт в PDF ...</source>
        <translation>Export to PDF ...</translation>
    </message>
    <message>
        <source>Последние файлы</source>
        <translation>Recent files</translation>
    </message>
    <message>
        <source>(список пуст)</source>
        <translation>(the list is empty)</translation>
    </message>
    <message>
        <source>Очистить список</source>
        <translation>Clear the list</translation>
    </message>
    <message>
        <source>Файл %1 не найден. Он удалён из списка последних файлов.</source>
        <translation>The file %1 was not found. It has been removed from the recent files.</translation>
    </message>
    <message>
        <source>Таблица каналов не изменена.</source>
        <translation>The channel table is unchanged.</translation>
    </message>
    <message>
        <source>импорт из CSV</source>
        <translation>import from CSV</translation>
    </message>
    <message>
        <source>Выгружено каналов: %1.</source>
        <translation>Channels exported: %1.</translation>
    </message>
    <message>
        <source>Таблица каналов</source>
        <translation>Channel table</translation>
    </message>
    <message>
        <source>Не удалось сохранить файл %1: %2</source>
        <translation>Could not save the file %1: %2</translation>
    </message>
    <message>
        <source>страницы не нарисованы</source>
        <translation>the pages were not drawn</translation>
    </message>
    <message>
        <source>Таблица каналов CSV (*.csv)</source>
        <translation>CSV channel table (*.csv)</translation>
    </message>
    <message>
        <source>Печать таблицы каналов</source>
        <translation>Print the channel table</translation>
    </message>
    <message>
        <source>Документ PDF (*.pdf)</source>
        <translation>PDF document (*.pdf)</translation>
    </message>
    <message>
        <source>Сравнить с радиостанцией</source>
        <translation>Compare with the radio</translation>
    </message>
    <message>
        <source>Резервная копия перед записью</source>
        <translation>Backup before writing</translation>
    </message>
    <message>
        <source>Проверка после записи</source>
        <translation>Verify after writing</translation>
    </message>
    <message>
        <source>Сравнение перед записью</source>
        <translation>Compare before writing</translation>
    </message>
    <message>
        <source>Записывать трассу обмена</source>
        <translation>Record the exchange trace</translation>
    </message>
    <message>
        <source>Папка резервных копий</source>
        <translation>Backup folder</translation>
    </message>
    <message>
        <source>Трасса последнего обмена ...</source>
        <translation>Trace of the last exchange ...</translation>
    </message>
    <message>
        <source>Ошибка. Несовпадение данных при сравнении!!!</source>
        <translation>Error. Data mismatch on comparison!!!</translation>
    </message>
    <message>
        <source>Запись остановлена до её окончания: радиостанция может хранить часть новых таблиц.</source>
        <translation>The write was stopped before its end: the radio may hold part of the new tables.</translation>
    </message>
    <message>
        <source>Сравнение ...</source>
        <translation>Comparing ...</translation>
    </message>
    <message>
        <source>Радиостанция не прочитана, сравнение не выполнено. Запись отменена.</source>
        <translation>The radio was not read, no comparison was made. The write is cancelled.</translation>
    </message>
    <message>
        <source>Не удалось открыть папку %1</source>
        <translation>Could not open the folder %1</translation>
    </message>
    <message>
        <source>Трасса обмена не записана. Включите &quot;Записывать трассу обмена&quot; в меню &quot;Установки&quot;.</source>
        <translation>No exchange trace was recorded. Turn on &quot;Record the exchange trace&quot; in the &quot;Setup&quot; menu.</translation>
    </message>
    <message>
        <source>Не удалось прочитать файл %1: %2</source>
        <translation>Could not read the file %1: %2</translation>
    </message>
    <message>
        <source>Меню, вкладки и заголовок главного окна уже на выбранном языке. Остальные окна и страницы настроек будут на нём после перезапуска программы.</source>
        <translation>The menus, tabs and caption of the main window are now in the chosen language. The other windows and the settings pages will be after the program is restarted.</translation>
    </message>
    <message>
        <source>Выход</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>Поле &quot;%1&quot; содержит &quot;%2&quot;, а допустимы целые числа от %3 до %4. Пока оно красное, таблицы не сохраняются, не записываются и не выводятся: исправьте значение.</source>
        <translation>The field &quot;%1&quot; holds &quot;%2&quot;, but whole numbers from %3 to %4 are allowed. While it is red the tables are not saved, written or put out: correct the value.</translation>
    </message>
    <message>
        <source>Резервная копия не может быть сохранена: %1. Запись отменена.</source>
        <translation>The backup cannot be saved: %1. The write is cancelled.</translation>
    </message>
</context>
<context>
    <name>TFormAbout</name>
    <message>
        <source>Дата сборки %1.%2.%3</source>
        <translation>Build date %1.%2.%3</translation>
    </message>
    <message>
        <source>Версия </source>
        <translation>Version </translation>
    </message>
    <message>
        <source> не определена</source>
        <translation> unknown</translation>
    </message>
    <message>
        <source>О программе</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Программатор каналов и настроек</source>
        <translation>Channel and settings programmer</translation>
    </message>
    <message>
        <source>Версия таблицы каналов 01.00</source>
        <translation>Channel table version 01.00</translation>
    </message>
    <message>
        <source>Версия таблицы настроек 01.02</source>
        <translation>Settings table version 01.02</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>мобильных радиостанций</source>
        <translation>for mobile radios</translation>
    </message>
</context>
<context>
    <name>TFormChan</name>
    <message>
        <source>Полоса</source>
        <translation>Bandwidth</translation>
    </message>
    <message>
        <source>12,5 кГц</source>
        <translation>12.5 kHz</translation>
    </message>
    <message>
        <source>25,0 кГц</source>
        <translation>25.0 kHz</translation>
    </message>
    <message>
        <source>Полоса приема</source>
        <translation>Receive bandwidth</translation>
    </message>
    <message>
        <source>Полоса передачи</source>
        <translation>Transmit bandwidth</translation>
    </message>
    <message>
        <source>Рабочая частота (Гц)</source>
        <translation>Operating frequency (Hz)</translation>
    </message>
    <message>
        <source>Разрешить прием на канале</source>
        <translation>Allow receiving on the channel</translation>
    </message>
    <message>
        <source>Разрешить передачу на канале</source>
        <translation>Allow transmitting on the channel</translation>
    </message>
    <message>
        <source>Частота приема</source>
        <translation>Receive frequency</translation>
    </message>
    <message>
        <source>Частота передачи</source>
        <translation>Transmit frequency</translation>
    </message>
    <message>
        <source>Субтон</source>
        <translation>Subtone</translation>
    </message>
    <message>
        <source>(нет)</source>
        <translation>(none)</translation>
    </message>
    <message>
        <source>CTCSS</source>
        <translation>CTCSS</translation>
    </message>
    <message>
        <source>DCS</source>
        <translation>DCS</translation>
    </message>
    <message>
        <source>Субтон приема</source>
        <translation>Receive subtone</translation>
    </message>
    <message>
        <source>Субтон передачи</source>
        <translation>Transmit subtone</translation>
    </message>
    <message>
        <source>Вызывной тон (Гц)</source>
        <translation>Call tone (Hz)</translation>
    </message>
    <message>
        <source>Разрешить детектор вызывного тона при приеме</source>
        <translation>Allow the call tone detector when receiving</translation>
    </message>
    <message>
        <source>Разрешить передачу вызывного тона</source>
        <translation>Allow sending the call tone</translation>
    </message>
    <message>
        <source>Вызывной тон приема</source>
        <translation>Receive call tone</translation>
    </message>
    <message>
        <source>Вызывной тон передачи</source>
        <translation>Transmit call tone</translation>
    </message>
    <message>
        <source>см. Настройки</source>
        <translation>see Settings</translation>
    </message>
    <message>
        <source>Порог ШП</source>
        <translation>Squelch level</translation>
    </message>
    <message>
        <source>L%1</source>
        <translation>L%1</translation>
    </message>
    <message>
        <source>Мощность передатчика</source>
        <translation>Transmitter power</translation>
    </message>
    <message>
        <source>Мин:</source>
        <translation>Min:</translation>
    </message>
    <message>
        <source>Макс:</source>
        <translation>Max:</translation>
    </message>
    <message>
        <source>Рабочий канал</source>
        <translation>Active channel</translation>
    </message>
    <message>
        <source>Сканируемый канал</source>
        <translation>Scanned channel</translation>
    </message>
    <message>
        <source>УПР (Устройство преобразования речи)</source>
        <translation>Scrambler (voice inversion)</translation>
    </message>
    <message>
        <source>Время передачи ограничено</source>
        <translation>Transmit time limited</translation>
    </message>
    <message>
        <source>Передача на занятом канале разрешена</source>
        <translation>Transmitting on a busy channel allowed</translation>
    </message>
    <message>
        <source>Загрузить из канала</source>
        <translation>Load from channel</translation>
    </message>
    <message>
        <source>Сохранить в канал</source>
        <translation>Save to channel</translation>
    </message>
    <message>
        <source>Удалить канал</source>
        <translation>Delete channel</translation>
    </message>
    <message>
        <source>Загрузить копию из канала номер ...</source>
        <translation>Load a copy from channel number ...</translation>
    </message>
    <message>
        <source>Сохранить копию в канал номер ...</source>
        <translation>Save a copy to channel number ...</translation>
    </message>
    <message>
        <source>Номер канала для загрузки копии</source>
        <translation>Channel number to load a copy from</translation>
    </message>
    <message>
        <source>Номер канала для сохранения копии</source>
        <translation>Channel number to save a copy to</translation>
    </message>
    <message>
        <source>Очистить содержимое канала</source>
        <translation>Clear the channel</translation>
    </message>
    <message>
        <source>Предыдущий канал</source>
        <translation>Previous channel</translation>
    </message>
    <message>
        <source>Следующий канал</source>
        <translation>Next channel</translation>
    </message>
    <message>
        <source>Сохранить и перейти к предыдущему каналу</source>
        <translation>Save and go to the previous channel</translation>
    </message>
    <message>
        <source>Сохранить и перейти к следующему каналу</source>
        <translation>Save and go to the next channel</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>%1 Вт</source>
        <translation>%1 W</translation>
    </message>
    <message>
        <source>Канал %1</source>
        <translation>Channel %1</translation>
    </message>
    <message>
        <source>Внимание!!! Корректный прием на частоте 41.9МГц обеспечивается только с аппаратной опцией №25!</source>
        <translation>Attention!!! Correct reception at 41.9 MHz needs hardware option No. 25!</translation>
    </message>
    <message>
        <source>Прием</source>
        <translation>Receive</translation>
    </message>
    <message>
        <source>Передача</source>
        <translation>Transmit</translation>
    </message>
    <message>
        <source>Одинаковая полоса приема и передачи</source>
        <translation>Same receive and transmit bandwidth</translation>
    </message>
    <message>
        <source>Одинаковая частота приема и передачи</source>
        <translation>Same receive and transmit frequency</translation>
    </message>
    <message>
        <source>Вид субтона приема</source>
        <translation>Receive subtone kind</translation>
    </message>
    <message>
        <source>Вид субтона передачи</source>
        <translation>Transmit subtone kind</translation>
    </message>
    <message>
        <source>Одинаковый субтон приема и передачи</source>
        <translation>Same receive and transmit subtone</translation>
    </message>
    <message>
        <source>Одинаковый вызывной тон приема и передачи</source>
        <translation>Same receive and transmit call tone</translation>
    </message>
    <message>
        <source>Предупреждение</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Прием и передача связаны</source>
        <translation>Receive and transmit linked</translation>
    </message>
    <message>
        <source>Прием и передача не связаны</source>
        <translation>Receive and transmit not linked</translation>
    </message>
</context>
<context>
    <name>TFormComPort</name>
    <message>
        <source>COM порт</source>
        <translation>COM port</translation>
    </message>
    <message>
        <source>Выбрать</source>
        <translation>Select</translation>
    </message>
    <message>
        <source>Отменить</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Порты не найдены</source>
        <translation>No ports found</translation>
    </message>
    <message>
        <source>Порт не выбран. Радиостанция отвечает на порту %1: выберите его командой &quot;Выбрать COM порт&quot;.</source>
        <translation>No port is chosen. A radio answers on port %1: choose it with &quot;Select COM port&quot;.</translation>
    </message>
    <message>
        <source>На порту %1 радиостанция не отвечает, а на порту %2 отвечает: выберите его командой &quot;Выбрать COM порт&quot;.</source>
        <translation>No radio answers on port %1, but one answers on port %2: choose it with &quot;Select COM port&quot;.</translation>
    </message>
    <message>
        <source>Отвечает радиостанция %1, серийный номер %2</source>
        <translation>Radio %1 answers, serial number %2</translation>
    </message>
    <message>
        <source>нет</source>
        <translation>none</translation>
    </message>
</context>
<context>
    <name>TFormCompare</name>
    <message>
        <source>Сравнение с радиостанцией</source>
        <translation>Comparison with the radio</translation>
    </message>
    <message>
        <source>Каналы</source>
        <translation>Channels</translation>
    </message>
    <message>
        <source>Настройки</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Записать</source>
        <translation>Write</translation>
    </message>
    <message>
        <source>Отменить</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Канал</source>
        <translation>Channel</translation>
    </message>
    <message>
        <source>В радиостанции</source>
        <translation>In the radio</translation>
    </message>
    <message>
        <source>В программе</source>
        <translation>In the program</translation>
    </message>
    <message>
        <source>Каналы: отличий нет</source>
        <translation>Channels: no differences</translation>
    </message>
    <message>
        <source>Параметр</source>
        <translation>Setting</translation>
    </message>
    <message>
        <source>Настройки: отличий нет</source>
        <translation>Settings: no differences</translation>
    </message>
</context>
<context>
    <name>TFormFreqRange</name>
    <message>
        <source>Диапазон частот</source>
        <translation>Frequency range</translation>
    </message>
    <message>
        <source>Выбрать</source>
        <translation>Select</translation>
    </message>
    <message>
        <source>Отменить</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>TFormProgress</name>
    <message>
        <source>Журнал</source>
        <translation>Log</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Ошибка: операция не выполнена, причина в журнале</source>
        <translation>Error: the operation failed, the log says why</translation>
    </message>
    <message>
        <source>%1: не выполнено</source>
        <translation>%1: failed</translation>
    </message>
</context>
<context>
    <name>TFormReport</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>TFormTrace</name>
    <message>
        <source>Трасса последнего обмена</source>
        <translation>Trace of the last exchange</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Файл %1, записан %2</source>
        <translation>File %1, written %2</translation>
    </message>
    <message>
        <source> (показан конец файла)</source>
        <translation> (the end of the file is shown)</translation>
    </message>
</context>
<context>
    <name>TInfoContext</name>
    <message>
        <source>Тип радиостанции: </source>
        <translation>Radio type: </translation>
    </message>
    <message>
        <source>Серийный номер: </source>
        <translation>Serial number: </translation>
    </message>
    <message>
        <source>Количество попыток программирования: </source>
        <translation>Programming attempts: </translation>
    </message>
    <message>
        <source>Коменнтарий: </source>
        <translation>Comment: </translation>
    </message>
    <message>
        <source>Версия программатора: </source>
        <translation>Programmer version: </translation>
    </message>
    <message>
        <source>Таблица частот:      Версия </source>
        <translation>Frequency table:    version </translation>
    </message>
    <message>
        <source>Таблица настроек:    Версия </source>
        <translation>Settings table:     version </translation>
    </message>
    <message>
        <source>Таблица калибровок:  Версия </source>
        <translation>Calibration table:  version </translation>
    </message>
    <message>
        <source>Микроконтроллер.</source>
        <translation>Microcontroller.</translation>
    </message>
    <message>
        <source>Мощность передачи:</source>
        <translation>Transmit power:</translation>
    </message>
    <message>
        <source>P%1=%2 Вт</source>
        <translation>P%1=%2 W</translation>
    </message>
    <message>
        <source>Диапазон рабочих частот (МГц):</source>
        <translation>Operating frequency range (MHz):</translation>
    </message>
    <message>
        <source>Прием:    </source>
        <translation>Receive:  </translation>
    </message>
    <message>
        <source>Передача: </source>
        <translation>Transmit: </translation>
    </message>
    <message>
        <source>Программное обеспечение:</source>
        <translation>Firmware:</translation>
    </message>
    <message>
        <source>Версия: </source>
        <translation>Version: </translation>
    </message>
    <message>
        <source>Размер: </source>
        <translation>Size: </translation>
    </message>
    <message>
        <source>Контрольная сумма: </source>
        <translation>Checksum: </translation>
    </message>
    <message>
        <source>Загрузчик:</source>
        <translation>Boot loader:</translation>
    </message>
</context>
<context>
    <name>ValueCheck</name>
    <message>
        <source> Гц</source>
        <translation> Hz</translation>
    </message>
    <message>
        <source>Канал %1: %2 = %3</source>
        <translation>Channel %1: %2 = %3</translation>
    </message>
    <message>
        <source>Настройка %1 = %2</source>
        <translation>Setting %1 = %2</translation>
    </message>
    <message>
        <source> вне пределов поля 0..%1 (в радиостанцию попало бы %2)</source>
        <translation> is outside the field&apos;s 0..%1 (the radio would get %2)</translation>
    </message>
    <message>
        <source> выше наибольшей частоты таблицы каналов %1</source>
        <translation> is above the channel table&apos;s highest frequency %1</translation>
    </message>
    <message>
        <source> не кратна шагу %1 (в радиостанцию попало бы %2)</source>
        <translation> is not a multiple of the step %1 (the radio would get %2)</translation>
    </message>
    <message>
        <source> будет записано как %1</source>
        <translation> will be written as %1</translation>
    </message>
    <message>
        <source>Канал %1: tx_power_low = %2 больше tx_power_high = %3, уровни будут переставлены</source>
        <translation>Channel %1: tx_power_low = %2 is greater than tx_power_high = %3, the levels will be swapped</translation>
    </message>
    <message>
        <source> вне пределов 0..8 (в радиостанцию попало бы %1)</source>
        <translation> is outside 0..8 (the radio would get %1)</translation>
    </message>
    <message>
        <source> будет записано как 0 (нет частоты)</source>
        <translation> will be written as 0 (no frequency)</translation>
    </message>
    <message>
        <source>Ошибка: %1</source>
        <translation>Error: %1</translation>
    </message>
    <message>
        <source>Предупреждение: %1</source>
        <translation>Warning: %1</translation>
    </message>
</context>
<context>
    <name>WriteSafety</name>
    <message>
        <source>не указана папка для резервной копии</source>
        <translation>no backup folder given</translation>
    </message>
    <message>
        <source>%1 не является папкой</source>
        <translation>%1 is not a folder</translation>
    </message>
    <message>
        <source>не удалось создать папку %1</source>
        <translation>could not create the folder %1</translation>
    </message>
    <message>
        <source>нет прав на запись в папку %1</source>
        <translation>no permission to write to the folder %1</translation>
    </message>
</context>
<context>
    <name>XmlCommon</name>
    <message>
        <source>Элемент &lt;%1&gt; (строка %2, столбец %3) должен содержать только значение</source>
        <translation>The element &lt;%1&gt; (line %2, column %3) must hold a value only</translation>
    </message>
</context>
<context>
    <name>XmlOutline</name>
    <message>
        <source> (строка %1, столбец %2)</source>
        <translation> (line %1, column %2)</translation>
    </message>
    <message>
        <source>Файлы в кодировке UTF-16 и UTF-32 не поддерживаются</source>
        <translation>Files in UTF-16 and UTF-32 are not supported</translation>
    </message>
    <message>
        <source>Определение типа документа не допускается</source>
        <translation>A document type definition is not allowed</translation>
    </message>
    <message>
        <source>Слишком много атрибутов у элемента</source>
        <translation>Too many attributes on an element</translation>
    </message>
    <message>
        <source>Слишком глубокая вложенность элементов</source>
        <translation>Elements nested too deeply</translation>
    </message>
    <message>
        <source>Элемент &lt;%1&gt; (строка %2, столбец %3) должен содержать только значение</source>
        <translation>The element &lt;%1&gt; (line %2, column %3) must hold a value only</translation>
    </message>
    <message>
        <source>Слишком много элементов &lt;%1&gt;: больше %2</source>
        <translation>Too many &lt;%1&gt; elements: more than %2</translation>
    </message>
</context>
<context>
    <name>kd-cli</name>
    <message>
        <source>Ошибка</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>неизвестные параметры: %1</source>
        <translation>unknown options: %1</translation>
    </message>
    <message>
        <source>Итог: %1</source>
        <translation>Result: %1</translation>
    </message>
    <message>
        <source>Показать только ошибки журнала, его последнюю строку и результат.</source>
        <translation>Show only the log&apos;s errors and its last line, and the result.</translation>
    </message>
    <message>
        <source>В конце вывести один объект JSON на стандартный вывод; журнал идёт в стандартный поток ошибок.</source>
        <translation>Print one JSON object on standard output at the end; the log goes to standard error.</translation>
    </message>
    <message>
        <source>--json и --output - не могут вместе занимать стандартный вывод</source>
        <translation>--json cannot share standard output with --output -</translation>
    </message>
    <message>
        <source>запись не выполнена</source>
        <translation>write not done</translation>
    </message>
    <message>
        <source>Параметры:</source>
        <translation>Options:</translation>
    </message>
    <message>
        <source>Показать эту справку.</source>
        <translation>Show this help.</translation>
    </message>
    <message>
        <source>лишний аргумент %1</source>
        <translation>unexpected argument %1</translation>
    </message>
    <message>
        <source>Последовательный порт COM1..COM255 или устройство, например /dev/ttyUSB0 (по умолчанию — порт, выбранный по умолчанию, иначе первый имеющийся).</source>
        <translation>Serial port COM1..COM255, or a device such as /dev/ttyUSB0 (default: the stored default port, else the first port present).</translation>
    </message>
    <message>
        <source>Записать в &lt;файл&gt; каждый отправленный и принятый кадр, шестнадцатеричными байтами, с отметкой времени.</source>
        <translation>Write every frame sent and received, time-stamped, in hex to &lt;file&gt;.</translation>
    </message>
    <message>
        <source>файл</source>
        <translation>file</translation>
    </message>
    <message>
        <source>для --trace нужно имя файла</source>
        <translation>--trace needs a file name</translation>
    </message>
    <message>
        <source>--port принимает имя COM1 .. COM255 или путь к устройству, а не &quot;%1&quot;</source>
        <translation>--port takes a name COM1 .. COM255 or a device path, not &quot;%1&quot;</translation>
    </message>
    <message>
        <source>для %1 не осталось свободного номера порта</source>
        <translation>no free port number left for %1</translation>
    </message>
    <message>
        <source>последовательный порт не найден; укажите его: --port COMn или --port УСТРОЙСТВО</source>
        <translation>no serial port found; name one with --port COMn or --port DEVICE</translation>
    </message>
    <message>
        <source>порт не найден, радиостанция не затронута.</source>
        <translation>no port found, the radio was not touched.</translation>
    </message>
    <message>
        <source>не удалось записать файл трассировки %1</source>
        <translation>cannot write the trace file %1</translation>
    </message>
    <message>
        <source>для %1 нужен --%2 ФАЙЛ</source>
        <translation>%1 needs --%2 FILE</translation>
    </message>
    <message>
        <source>Файл конфигурации для проверки.</source>
        <translation>Configuration file to check.</translation>
    </message>
    <message>
        <source>Использование: kd-cli check --input ФАЙЛ [--json] [--quiet]
Читает файл конфигурации так же, как при открытии, ничего не меняя, и сообщает,
что в нём, и что при открытии или записи будет удалено или отклонено.
Код завершения 1, если файл не открывается или его запись будет отклонена.
</source>
        <translation>Usage: kd-cli check --input FILE [--json] [--quiet]
Reads a configuration file as opening it would, without changing anything,
and tells what it holds and what opening or writing would drop or refuse.
Exit status 1 when the file cannot be opened or a write of it would be refused.
</translation>
    </message>
    <message>
        <source>файл %1 не может быть открыт.</source>
        <translation>the file %1 cannot be opened.</translation>
    </message>
    <message>
        <source>Диапазон: %1%2</source>
        <translation>Range: %1%2</translation>
    </message>
    <message>
        <source> (в файле нет, по умолчанию)</source>
        <translation> (none in the file, the default)</translation>
    </message>
    <message>
        <source>Диапазон файла отклонён: %1; проверка по %2</source>
        <translation>The file&apos;s range is refused: %1; checked against %2</translation>
    </message>
    <message>
        <source>Версия таблицы настроек: %1</source>
        <translation>Settings table version: %1</translation>
    </message>
    <message>
        <source>Каналы (приём / передача, Гц):</source>
        <translation>Channels (receive / transmit, Hz):</translation>
    </message>
    <message>
        <source>Используемых каналов: %1</source>
        <translation>Channels in use: %1</translation>
    </message>
    <message>
        <source>При открытии будут удалены каналы вне диапазона: %1</source>
        <translation>Opening will remove the channels outside the range: %1</translation>
    </message>
    <message>
        <source>запись этого файла будет отклонена: значений, которые радиостанция не примет без изменения: %1.</source>
        <translation>a write of this file would be refused: values the radio would not take unchanged: %1.</translation>
    </message>
    <message>
        <source>Замечаний нет.</source>
        <translation>No remarks.</translation>
    </message>
    <message>
        <source>Канал %1: частоты вне диапазона %2 — канал удалён, как при открытии файла.</source>
        <translation>Channel %1: frequencies outside the range %2 - channel removed, as opening the file does.</translation>
    </message>
    <message>
        <source>Файл для чтения (.xml или .csv).</source>
        <translation>File to read (.xml or .csv).</translation>
    </message>
    <message>
        <source>Файл для записи (.xml или .csv).</source>
        <translation>File to write (.xml or .csv).</translation>
    </message>
    <message>
        <source>Использование: kd-cli convert --input ФАЙЛ --output ФАЙЛ [--quiet]
Преобразует файл конфигурации (.xml) в таблицу каналов в формате CSV распространённых
программаторов радиостанций (.csv) и обратно, по расширению каждого файла, и сообщает,
что перенести не удалось. Таблица CSV получает первый диапазон из списка диапазонов,
в который входят все её каналы, и настройки по умолчанию.
</source>
        <translation>Usage: kd-cli convert --input FILE --output FILE [--quiet]
Converts between a configuration file (.xml) and a channel table in the CSV layout of
the common radio programmers (.csv), each by its extension, and tells what could not
be carried over. A CSV table gets the first range of the range list that holds all
its channels and the default settings.
</translation>
    </message>
    <message>
        <source>convert принимает файлы *.xml или *.csv, а не &quot;%1&quot;</source>
        <translation>convert takes files named *.xml or *.csv, not &quot;%1&quot;</translation>
    </message>
    <message>
        <source>%1 не записан</source>
        <translation>%1 was not written</translation>
    </message>
    <message>
        <source>Диапазон: %1</source>
        <translation>Range: %1</translation>
    </message>
    <message>
        <source>Выгружено каналов: %1</source>
        <translation>Channels exported: %1</translation>
    </message>
    <message>
        <source>Файл сохранён: %1</source>
        <translation>File saved: %1</translation>
    </message>
    <message>
        <source>нет</source>
        <translation>none</translation>
    </message>
    <message>
        <source>Файл конфигурации, с которым сравнить радиостанцию.</source>
        <translation>Configuration file to compare the radio with.</translation>
    </message>
    <message>
        <source>Использование: kd-cli diff [--port COMn] --input ФАЙЛ [--trace ФАЙЛ] [--json] [--quiet]
Читает радиостанцию и перечисляет, канал за каналом и настройку за настройкой, чем
радиостанция отличается от того, что записал бы ФАЙЛ, в том виде, в каком их хранит
радиостанция. Ничего не записывается. Код завершения 0, если отличий нет, 1, если
они есть (или радиостанцию не удалось прочитать; тогда последняя строка &quot;Итог: ...&quot;).
</source>
        <translation>Usage: kd-cli diff [--port COMn] --input FILE [--trace FILE] [--json] [--quiet]
Reads the radio and lists, channel by channel and setting by setting, what differs
between the radio and what FILE would write, both as the radio would hold them.
Nothing is written. Exit status 0 when nothing differs, 1 when something does
(or the radio could not be read; then the last line is &quot;Result: ...&quot;).
</translation>
    </message>
    <message>
        <source>сравнение не выполнено (файл %1 не открыт).</source>
        <translation>comparison not done (the file %1 was not opened).</translation>
    </message>
    <message>
        <source>сравнение не выполнено: файл трассировки не открыт.</source>
        <translation>comparison not done: the trace file was not opened.</translation>
    </message>
    <message>
        <source>Канал %1: %2: в радиостанции %3, в файле %4</source>
        <translation>Channel %1: %2: radio %3, file %4</translation>
    </message>
    <message>
        <source>Настройка %1: в радиостанции %2, в файле %3</source>
        <translation>Setting %1: radio %2, file %3</translation>
    </message>
    <message>
        <source>Диапазон частот: в радиостанции %1, в файле %2 (запись будет отклонена)</source>
        <translation>Frequency range: radio %1, file %2 (a write would be refused)</translation>
    </message>
    <message>
        <source>Отличий нет: в радиостанции те же каналы и настройки, что и в файле.</source>
        <translation>No differences: the radio holds the same channels and settings as the file.</translation>
    </message>
    <message>
        <source>Отличаются каналов: %1, настроек: %2.%3</source>
        <translation>Channels that differ: %1, settings: %2.%3</translation>
    </message>
    <message>
        <source> Диапазон частот не совпадает.</source>
        <translation> The frequency range differs.</translation>
    </message>
    <message>
        <source>Использование: kd-cli info [--port COMn] [--trace ФАЙЛ] [--json] [--quiet]
Читает сведения о радиостанции и выводит её отчёт.
</source>
        <translation>Usage: kd-cli info [--port COMn] [--trace FILE] [--json] [--quiet]
Reads the radio&apos;s identification and prints its report.
</translation>
    </message>
    <message>
        <source>информация о станции не получена: файл трассировки не открыт.</source>
        <translation>radio information not received: the trace file was not opened.</translation>
    </message>
    <message>
        <source>Файл конфигурации, в который сохранить содержимое радиостанции; - для стандартного вывода.</source>
        <translation>Configuration file to save what the radio holds; - for standard output.</translation>
    </message>
    <message>
        <source>Сохранить файл в &lt;папку&gt; под именем из серийного номера радиостанции, даты и времени, как резервную копию (KD_&lt;серийный номер&gt;_&lt;дата&gt;_&lt;время&gt;.xml).</source>
        <translation>Save the file in &lt;dir&gt;, named by the radio&apos;s serial number and the date and time, as a backup is (KD_&lt;serial&gt;_&lt;date&gt;_&lt;time&gt;.xml).</translation>
    </message>
    <message>
        <source>папка</source>
        <translation>dir</translation>
    </message>
    <message>
        <source>Использование: kd-cli read [--port COMn] (--output ФАЙЛ | --output-dir ПАПКА) [--trace ФАЙЛ] [--json] [--quiet]
Читает обе таблицы радиостанции и сохраняет их в файл конфигурации.
</source>
        <translation>Usage: kd-cli read [--port COMn] (--output FILE | --output-dir DIR) [--trace FILE] [--json] [--quiet]
Reads both tables from the radio and saves them as a configuration file.
</translation>
    </message>
    <message>
        <source>read принимает либо --output ФАЙЛ, либо --output-dir ПАПКА</source>
        <translation>read takes either --output FILE or --output-dir DIR</translation>
    </message>
    <message>
        <source>чтение не выполнено: в папку %1 нельзя сохранить файл.</source>
        <translation>read not done: no file can be saved in the folder %1.</translation>
    </message>
    <message>
        <source>чтение не выполнено: файл %1 не может быть сохранён.</source>
        <translation>read not done: the file %1 cannot be saved.</translation>
    </message>
    <message>
        <source>чтение не выполнено: файл трассировки не открыт.</source>
        <translation>read not done: the trace file was not opened.</translation>
    </message>
    <message>
        <source>радиостанция прочитана, но файл не выведен.</source>
        <translation>the radio was read, but the file was not output.</translation>
    </message>
    <message>
        <source>радиостанция прочитана, но файл %1 не сохранён.</source>
        <translation>the radio was read, but the file %1 was not saved.</translation>
    </message>
    <message>
        <source>записана и проверена</source>
        <translation>written and verified</translation>
    </message>
    <message>
        <source>записана</source>
        <translation>written</translation>
    </message>
    <message>
        <source>Ожидание радиостанции на порту %1 (Ctrl-C — завершить) ...</source>
        <translation>Waiting for a radio on port %1 (Ctrl-C to finish) ...</translation>
    </message>
    <message>
        <source>Радиостанция %1 уже записана в этом сеансе, пропущена.</source>
        <translation>Radio %1 was already written in this run, skipped.</translation>
    </message>
    <message>
        <source>Радиостанция %1, серийный номер %2</source>
        <translation>Radio %1, serial number %2</translation>
    </message>
    <message>
        <source>Не удалось открыть порт %1 !!!</source>
        <translation>Could not open the port %1 !!!</translation>
    </message>
    <message>
        <source>Серийный номер %1: %2, %3 с.</source>
        <translation>Serial number %1: %2, %3 s.</translation>
    </message>
    <message>
        <source>Ожидание следующей радиостанции (Ctrl-C — завершить) ...</source>
        <translation>Waiting for the next radio (Ctrl-C to finish) ...</translation>
    </message>
    <message>
        <source>Серийный номер  Время, с  Результат</source>
        <translation> Serial number   Time, s  Result</translation>
    </message>
    <message>
        <source>Записано радиостанций: %1 из %2.</source>
        <translation>Radios written: %1 of %2.</translation>
    </message>
    <message>
        <source>порт %1 не открыт, ожидание прекращено.</source>
        <translation>port %1 not opened, waiting ended.</translation>
    </message>
    <message>
        <source>Файл конфигурации для записи в радиостанцию.</source>
        <translation>Configuration file to write to the radio.</translation>
    </message>
    <message>
        <source>После записи прочитать обе таблицы и сравнить с записанным.</source>
        <translation>Read both tables back after writing and compare them.</translation>
    </message>
    <message>
        <source>Сначала сохранить содержимое радиостанции в &lt;папку&gt;; если не удалось, ничего не записывать.</source>
        <translation>First save what the radio holds in &lt;dir&gt;; write nothing if that fails.</translation>
    </message>
    <message>
        <source>После каждой радиостанции ждать следующую на том же порту и записывать и её, до Ctrl-C; радиостанция, серийный номер которой уже записан в этом сеансе, пропускается. В конце — таблица: серийный номер, время и результат по каждой радиостанции.</source>
        <translation>After each radio wait for the next one on the same port and write it too, until Ctrl-C; a radio whose serial number was written in this run is skipped. Ends with a table of serial number, time and result per radio.</translation>
    </message>
    <message>
        <source>для --backup нужна папка</source>
        <translation>--backup needs a folder</translation>
    </message>
    <message>
        <source>файл %1 не открыт</source>
        <translation>the file %1 was not opened</translation>
    </message>
    <message>
        <source>резервная копия не сохранена: %1</source>
        <translation>backup not saved: %1</translation>
    </message>
    <message>
        <source>резервная копия не сохранена</source>
        <translation>backup not saved</translation>
    </message>
    <message>
        <source>Запись выполнена и проверена (серийный номер %1).</source>
        <translation>Write done and verified (serial number %1).</translation>
    </message>
    <message>
        <source>Запись выполнена (серийный номер %1).</source>
        <translation>Write done (serial number %1).</translation>
    </message>
    <message>
        <source>Использование: kd-cli &lt;команда&gt; [параметры] [--lang en|ru]

       kd-cli --version

Команды:
  ports    список последовательных портов: имя, устройство, описание
  info     прочитать сведения о радиостанции и вывести её отчёт
  read     прочитать обе таблицы и сохранить их в файл конфигурации
  write    записать файл конфигурации в радиостанцию или в одну радиостанцию
           за другой (--repeat)
  diff     показать, чем радиостанция отличается от того, что записал бы файл
  check    проверить файл конфигурации, не обращаясь к радиостанции
  convert  преобразовать файл конфигурации в таблицу каналов CSV и обратно

kd-cli &lt;команда&gt; --help (или kd-cli help &lt;команда&gt;) описывает параметры команды.
--port принимает COM1..COM255 или путь к устройству (/dev/ttyUSB0). --json выводит
в конце один объект JSON на стандартный вывод, а журнал — в стандартный поток
ошибок; имена и значения в JSON — постоянные английские слова, от языка они
не зависят. --quiet показывает только ошибки журнала и его последнюю строку.
--lang en|ru — язык сообщений этого запуска, при любой команде; без него
действует язык, выбранный в KD_Tune (если не выбран — русский, а в Windows —
язык системы). Файлы и радиостанция от языка не зависят.

Код завершения:
  0  успех (diff: отличий нет)
  1  задание не выполнено или отклонено (diff: есть отличия)
  2  ошибка в командной строке
  3  радиостанция не ответила
  4  порт не удалось открыть
Неудачный запуск заканчивается строкой &quot;Итог: ...&quot;: что не удалось и, для
записи, что получила радиостанция. Ctrl-C останавливает задание между блоками.
</source>
        <translation>Usage: kd-cli &lt;command&gt; [options] [--lang en|ru]

       kd-cli --version

Commands:
  ports    list the serial ports: name, device, description
  info     read the radio&apos;s identification and print its report
  read     read both tables and save them as a configuration file
  write    write a configuration file to the radio, or to radio after radio
           (--repeat)
  diff     list what differs between the radio and what a file would write
  check    check a configuration file without touching a radio
  convert  convert between a configuration file and a CSV channel table

kd-cli &lt;command&gt; --help (or kd-cli help &lt;command&gt;) describes a command&apos;s options.
--port takes COM1..COM255 or a device path (/dev/ttyUSB0). --json prints one
JSON object on standard output at the end and the log on standard error; the
JSON names and values are fixed English words that never depend on the
language. --quiet shows only the log&apos;s errors and its last line.
--lang en|ru sets the language of this run&apos;s messages, for any command; without
it the language chosen in KD_Tune holds (when none is chosen, Russian, and on
Windows the system&apos;s language). Files and the radio never depend on the language.

Exit status:
  0  success (diff: nothing differs)
  1  the job failed or was refused (diff: something differs)
  2  usage error
  3  the radio did not answer
  4  the port could not be opened
A run that fails ends with a line &quot;Result: ...&quot;: what failed and, for a write,
what the radio received. Ctrl-C stops a job between two blocks.
</translation>
    </message>
    <message>
        <source>после --lang нужен язык: %1</source>
        <translation>--lang needs a language: %1</translation>
    </message>
    <message>
        <source>неизвестный язык &quot;%1&quot;; --lang принимает: %2</source>
        <translation>unknown language &quot;%1&quot;; --lang takes: %2</translation>
    </message>
    <message>
        <source>неизвестная команда &quot;%1&quot;</source>
        <translation>unknown command &quot;%1&quot;</translation>
    </message>
    <message>
        <source>файл трассировки не открыт</source>
        <translation>the trace file was not opened</translation>
    </message>
    <message>
        <source>Резервная копия: чтение радиостанции</source>
        <translation>Backup: reading the radio</translation>
    </message>
    <message>
        <source>Резервная копия сохранена: %1</source>
        <translation>Backup saved: %1</translation>
    </message>
    <message>
        <source>остановлено по запросу</source>
        <translation>stopped on request</translation>
    </message>
    <message>
        <source>Итог: обе таблицы записаны полностью, проверка не выполнена (остановлено по запросу).</source>
        <translation>Result: both tables written in full, verification not done (stopped on request).</translation>
    </message>
    <message>
        <source>Проверка: чтение радиостанции</source>
        <translation>Verification: reading the radio</translation>
    </message>
    <message>
        <source>Проверка: данные совпадают.</source>
        <translation>Verification: the data match.</translation>
    </message>
    <message>
        <source>прочитанное не совпадает с записанным</source>
        <translation>what was read differs from what was written</translation>
    </message>
    <message>
        <source>таблицы прочитаны с ошибками</source>
        <translation>tables read with errors</translation>
    </message>
    <message>
        <source>Итог: обе таблицы записаны полностью, но проверка не пройдена (%1).</source>
        <translation>Result: both tables written in full, but verification failed (%1).</translation>
    </message>
    <message>
        <source>неизвестный параметр &apos;%1&apos;</source>
        <translation>unknown option &apos;%1&apos;</translation>
    </message>
    <message>
        <source>после &apos;%1&apos; нужно значение</source>
        <translation>&apos;%1&apos; needs a value</translation>
    </message>
    <message>
        <source>&apos;%1&apos; не принимает значения</source>
        <translation>&apos;%1&apos; takes no value</translation>
    </message>
    <message>
        <source>Спросить каждый порт, все сразу, о радиостанции и показать, какая отвечает на нём или почему нет (занят, нет прав, нет ответа). Порт, занятый другой программой, не затрагивается.</source>
        <translation>Ask every port, all at once, for the radio and show which one answers on it or why none does (busy, no permission, no answer). A port held by another program is left alone.</translation>
    </message>
    <message>
        <source>С --probe: спросить только эти порты (COMn или устройства, через запятую).</source>
        <translation>With --probe: ask only these ports (COMn or devices, separated by commas).</translation>
    </message>
    <message>
        <source>Использование: kd-cli ports [--probe [--port COMn,...]] [--json]
Перечисляет последовательные порты, как окно выбора порта: имя, устройство
и описание через табуляцию, по одному порту в строке; с --probe — ещё и то,
что ответило на порту.
</source>
        <translation>Usage: kd-cli ports [--probe [--port COMn,...]] [--json]
Lists the serial ports as the port dialog does: name, device and
description, separated by tabs, one port a line; with --probe also what
answered on the port.
</translation>
    </message>
    <message>
        <source>--port у команды ports действует только вместе с --probe</source>
        <translation>--port of the ports command works only with --probe</translation>
    </message>
    <message>
        <source>Радиостанций найдено: %1, портов опрошено: %2.</source>
        <translation>Radios found: %1, ports asked: %2.</translation>
    </message>
    <message>
        <source>Использование: kd-cli write [--port COMn[,COMn...] | --port all-probed] --input ФАЙЛ [--verify] [--backup ПАПКА] [--repeat] [--trace ФАЙЛ] [--json] [--quiet]
Записывает файл конфигурации в радиостанцию. С несколькими портами (через запятую,
или all-probed — все, где опрос нашёл радиостанцию) записывает все радиостанции
сразу и в конце выводит таблицу: порт, серийный номер, время, результат.
</source>
        <translation>Usage: kd-cli write [--port COMn[,COMn...] | --port all-probed] --input FILE [--verify] [--backup DIR] [--repeat] [--trace FILE] [--json] [--quiet]
Writes a configuration file to the radio. With several ports (separated by commas,
or all-probed: every port where a probe found a radio) writes all the radios
at once and ends with a table: port, serial number, time, result.
</translation>
    </message>
    <message>
        <source>Радиостанция %1 ещё записывается на порту %2, ожидание.</source>
        <translation>Radio %1 is still being written on port %2, waiting.</translation>
    </message>
    <message>
        <source>запись не выполнена: радиостанция не найдена ни на одном порту.</source>
        <translation>write not done: no radio found on any port.</translation>
    </message>
    <message>
        <source>Порт    Серийный номер  Время, с  Результат</source>
        <translation>Port    Serial number  Time, s  Result</translation>
    </message>
    <message>
        <source>радиостанции не записаны на портах: %1.</source>
        <translation>radios not written on ports: %1.</translation>
    </message>
    <message>
        <source>--port: %1 и %2 — одно и то же устройство (%3); ничего не начато</source>
        <translation>--port: %1 and %2 are one and the same device (%3); nothing started</translation>
    </message>
    <message>
        <source>значения, которые радиостанция не примет без изменения</source>
        <translation>values the radio would not take unchanged</translation>
    </message>
</context>
</TS>
