// Both sides taken through their images, then compared as the elements a configuration file
// writes for them.

#include "model/configdiff.h"

#include "model/tableimage.h"

#include <QDomDocument>

namespace ConfigDiff {
namespace {

// An element's value children by name, in document order.
QList<std::pair<QString, QString>> Values(const QDomElement &e)
{
    QList<std::pair<QString, QString>> values;
    for (QDomElement c = e.firstChildElement(); !c.isNull(); c = c.nextSiblingElement())
        values.append({c.tagName(), c.text()});
    return values;
}

QString ValueOf(const QList<std::pair<QString, QString>> &values, const QString &name)
{
    for (const auto &[n, v] : values) {
        if (n == name)
            return v;
    }
    return QString();
}

void CompareElements(int channel, const QDomElement &left, const QDomElement &right, QList<Difference> &out)
{
    const auto a = Values(left);
    const auto b = Values(right);
    QStringList names;
    for (const auto &[n, v] : a)
        names.append(n);
    for (const auto &[n, v] : b) {
        if (!names.contains(n))
            names.append(n);
    }
    for (const QString &name : names) {
        const QString l = ValueOf(a, name);
        const QString r = ValueOf(b, name);
        if (l != r)
            out.append({channel, name, l, r});
    }
}

// Settings as the image of `version` gives them back. An image the version
// cannot carry leaves the settings as they are.
SettingsContext ThroughImage(const SettingsContext &settings, std::uint16_t version)
{
    SettingsContext copy = settings;
    copy.ProgramCount = 0;
    TableImage image;
    if (!copy.EncodeImage(image, version))
        return copy;
    SettingsContext back;
    if (!back.DecodeImage(image))
        return copy;
    return back;
}

} // namespace

Channel ThroughRecord(const Channel &channel)
{
    Channel copy = channel;
    std::uint8_t record[Channel::RecordSize];
    if (!copy.Encode(record))
        return channel;  // the image refuses it; compare it as it stands
    Channel back;
    back.Decode(record);
    return back;
}

QList<Difference> CompareChannels(const Channels &left, const Channels &right)
{
    QList<Difference> out;
    QDomDocument doc;
    for (int i = 0; i < int(left.size()); ++i) {
        Channel l = ThroughRecord(left[std::size_t(i)]);
        Channel r = ThroughRecord(right[std::size_t(i)]);
        // An empty channel's other fields mean nothing: an emptied or a filled
        // channel shows as its frequencies alone.
        if (l == r || (!l.IsUsed() && !r.IsUsed()))
            continue;
        QDomElement a = doc.createElement(QStringLiteral("channel"));
        QDomElement b = doc.createElement(QStringLiteral("channel"));
        l.WriteXml(a);
        r.WriteXml(b);
        QList<Difference> fields;
        CompareElements(i, a, b, fields);
        for (const Difference &d : fields) {
            if (l.IsUsed() == r.IsUsed() || d.field.startsWith(QLatin1String("freq_")))
                out.append(d);
        }
    }
    return out;
}

QList<Difference> CompareSettings(const SettingsContext &left, const SettingsContext &right, std::uint16_t version)
{
    QList<Difference> out;
    const SettingsContext l = ThroughImage(left, version);
    const SettingsContext r = ThroughImage(right, version);
    if (l == r)
        return out;
    QDomDocument doc;
    QDomElement a = doc.createElement(QStringLiteral("Settings"));
    QDomElement b = doc.createElement(QStringLiteral("Settings"));
    l.WriteXml(a);
    r.WriteXml(b);
    CompareElements(-1, a, b, out);
    return out;
}

} // namespace ConfigDiff
