// Configuration files read within their size and shape limits, told apart from other XML,
// and written through a temporary file.

#include "model/configdocument.h"

#include "model/boundedread.h"

#include "xml/xml_common.h"
#include "xml/xmloutline.h"

#include <QCoreApplication>
#include <QDomDocument>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cctype>

namespace ConfigurationDocument {
namespace {

// The texts of this file, for Qt Linguist.
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(ConfigurationDocument)
};

// Configuration files are a few tens of kilobytes; refuse what cannot be one.
constexpr qint64 kMaxFileSize = 16 * 1024 * 1024;

const QString kRoot = QStringLiteral("root");
const QString kChannels = QStringLiteral("Channels");
const QString kSettings = QStringLiteral("Settings");

XmlOutline Outline()
{
    XmlOutline root;
    root.Add(FreqRange::Outline());
    root.Add(ChannelsContext::Outline());
    root.Add(SettingsContext::Outline());
    return root;
}

// Why a well-formed document is not a configuration file; empty when it is one.
QString NotAConfiguration(const QDomElement &root)
{
    if (root.tagName() != kRoot)
        return Tr::tr("корневой элемент <%1> вместо <%2>").arg(root.tagName(), kRoot);
    for (const QString &part : {kChannels, kSettings}) {
        if (FirstChildNamed(root, part).isNull())
            return Tr::tr("нет элемента <%1>").arg(part);
    }
    return QString();
}

// The name of the first element, past a byte order mark, blanks, the
// declaration and comments; empty when the text does not begin with an
// element (a document type declaration, plain text).
QString FirstElementName(const QByteArray &data)
{
    qsizetype p = data.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    for (;;) {
        while (p < data.size() && std::isspace(static_cast<unsigned char>(data[p])))
            ++p;
        if (data.mid(p, 2) == "<?" || data.mid(p, 4) == "<!--") {
            const qsizetype end = data.indexOf(data[p + 1] == '?' ? "?>" : "-->", p);
            if (end < 0)
                return QString();
            p = end + 2;
            continue;
        }
        break;
    }
    if (p >= data.size() || data[p] != '<')
        return QString();
    qsizetype end = ++p;
    while (end < data.size() && !std::isspace(static_cast<unsigned char>(data[end])) && data[end] != '>'
           && data[end] != '/')
        ++end;
    return QString::fromLatin1(data.mid(p, end - p));
}

} // namespace

bool Read(const QString &path, Contents &contents, QString &error)
{
    QByteArray data;
    QString openError;
    switch (ReadBounded(path, kMaxFileSize, data, openError)) {
    case BoundedRead::NotOpened:
        error = Tr::tr("Не удалось открыть файл %1: %2").arg(path, openError);
        return false;
    case BoundedRead::TooLarge:
        error = Tr::tr("Файл %1 слишком велик для файла настроек").arg(path);
        return false;
    case BoundedRead::Ok:
        break;
    }
    return Parse(data, path, contents, error);
}

bool Parse(const QByteArray &data, const QString &path, Contents &contents, QString &error)
{
    // What is wrong for the user first, then the parser's detail.
    if (data.trimmed().isEmpty()) {
        error = Tr::tr("Файл %1 пуст.").arg(path);
        return false;
    }
    QDomDocument doc;
    QString detail;
    qint64 line = 0;
    if (!ParseXml(data, Outline(), doc, detail, &line)) {
        if (FirstElementName(data) != kRoot)
            error = Tr::tr("Файл %1 не является файлом настроек радиостанции.").arg(path);
        else
            error = Tr::tr("Файл %1 повреждён: ошибка в строке %2.").arg(path).arg(line);
        error += QLatin1Char('\n') + Tr::tr("Подробности: %1").arg(detail);
        return false;
    }
    const QDomElement root = doc.documentElement();
    if (const QString why = NotAConfiguration(root); !why.isEmpty()) {
        error = Tr::tr("Файл %1 не является файлом настроек радиостанции: %2").arg(path, why);
        return false;
    }

    XmlErrorScope scope;
    contents.rangeFromFile = contents.range.ReadXml(FirstChildNamed(root, QStringLiteral("FreqRange")));
    if (!contents.rangeFromFile)
        contents.range.SetDefault();
    ChannelsContext staging{QString()};
    staging.ReadXml(FirstChildNamed(root, kChannels));
    contents.channels = staging.channels;
    contents.settings.ReadXml(FirstChildNamed(root, kSettings));
    if (scope.failed()) {
        error = Tr::tr("Ошибка в файле %1: %2").arg(path, scope.error());
        return false;
    }
    return true;
}

QString RemovedMessage(const QList<int> &channels)
{
    return Tr::tr("При загрузке файла были удалены каналы, не соответствующие диапазону частот.") + QLatin1Char('\n')
         + Tr::tr("Удалены каналы: %1.").arg(ChannelsContext::NumberList(channels));
}

bool Open(const QString &path, ChannelsContext &channels, SettingsContext &settings, bool &removed, QString &error,
          QList<int> *removedChannels)
{
    removed = false;
    Contents contents;
    if (!Read(path, contents, error))
        return false;
    // The range comes first, so that the channel check uses the file's range.
    if (contents.range.IsValid())
        channels.ranges.Select(channels.ranges.Add(&contents.range));
    channels.channels = contents.channels;
    const std::uint32_t programCount = settings.ProgramCount;  // not part of the file
    settings = contents.settings;
    settings.ProgramCount = programCount;
    removed = !channels.RemoveOutOfRange();
    if (removedChannels)
        *removedChannels = ChannelsContext::Removed(contents.channels, channels.channels);
    return true;
}

QByteArray Serialize(ChannelsContext &channels, const SettingsContext &settings)
{
    QDomDocument doc;
    QDomElement root = doc.createElement(QStringLiteral("root"));
    doc.appendChild(root);
    channels.ranges.Current().WriteXml(root);
    QDomElement channelsElement = doc.createElement(QStringLiteral("Channels"));
    root.appendChild(channelsElement);
    channels.WriteXml(channelsElement);
    QDomElement settingsElement = doc.createElement(QStringLiteral("Settings"));
    root.appendChild(settingsElement);
    settings.WriteXml(settingsElement);
    return SerializeXml(doc);
}

bool CheckSaveTarget(const QString &path, QString &error)
{
    const QFileInfo target(path);
    if (target.exists() && !target.isFile()) {
        error = Tr::tr("Не удалось сохранить файл %1: это не обычный файл").arg(path);
        return false;
    }
    const QFileInfo folder(target.absolutePath());
    if (!folder.isDir()) {
        error = Tr::tr("Не удалось сохранить файл %1: папка %2 не существует").arg(path, folder.filePath());
        return false;
    }
    if (!folder.isWritable()) {
        error = Tr::tr("Не удалось сохранить файл %1: нет прав на запись в папку %2").arg(path, folder.filePath());
        return false;
    }
    return true;
}

bool Save(const QString &path, ChannelsContext &channels, const SettingsContext &settings, QString &error)
{
    if (!CheckSaveTarget(path, error))
        return false;
    const QByteArray data = Serialize(channels, settings);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit()) {
        error = Tr::tr("Не удалось сохранить файл %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

} // namespace ConfigurationDocument
