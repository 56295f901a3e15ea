// Where the range list lives, how an unusable file falls back to the default range, and how the
// list is written back.

#include "model/freqrangelist.h"

#include "model/boundedread.h"

#include "xml/xml_common.h"
#include "xml/xmloutline.h"

#include <QCoreApplication>
#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

// A range list is a few hundred bytes; anything this large is not one.
constexpr qint64 kMaxFileSize = 4 * 1024 * 1024;

QByteArray SlotLine(const char *list, int slot, std::uint32_t begin, std::uint32_t end)
{
    return QByteArray("<") + list + QByteArray::number(slot) + " begin=\""
         + QByteArray::number(static_cast<std::int32_t>(begin)) + "\" end=\""
         + QByteArray::number(static_cast<std::int32_t>(end)) + "\"/>";
}

} // namespace

FreqRangeList::FreqRangeList()
{
    m_current.SetDefault();
    m_ranges.append(m_current);
}

QString FreqRangeList::DefaultPath()
{
    return PathFor(QCoreApplication::applicationDirPath());
}

QString FreqRangeList::PathFor(const QString &programDir)
{
    // An installed program finds its data folder where the install put it
    // relative to the programs; a build folder or a copy has none. Installed,
    // the program's folder is shared or read-only, so nothing goes there even
    // when it is writable (an install under the user's own prefix).
    const bool installed =
        !programDir.isEmpty() && QFileInfo(QDir(programDir).filePath(QStringLiteral(KD_DATA_FROM_BIN))).isDir();
    if (!programDir.isEmpty() && !installed && QFileInfo(programDir).isWritable())
        return QDir(programDir).filePath(QLatin1String(FileName));
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
                         + QStringLiteral("/KD_Tune");
    QDir().mkpath(config);
    return QDir(config).filePath(QLatin1String(FileName));
}

bool FreqRangeList::Load(const QString &path)
{
    m_keepAsBackup.clear();
    QByteArray data;
    QString openError;
    // A file too large to be a list counts as unusable, like one that does not parse.
    ReadBounded(path, kMaxFileSize, data, openError);
    const bool usable = LoadXml(data);
    // An unusable list is written at exit, but what the user had is kept beside it first.
    if (!usable && QFileInfo::exists(path))
        m_keepAsBackup = path;
    return usable;
}

bool FreqRangeList::LoadXml(const QByteArray &data)
{
    Clear();
    QDomDocument doc;
    QString error;
    XmlOutline outline;
    outline.Add(XmlOutline(QStringLiteral("FreqRangeList"))).Add(FreqRange::Outline(MaxRanges));
    const bool parsed = !data.isEmpty() && ParseXml(data, outline, doc, error);
    const QDomElement list = parsed ? FirstChildNamed(doc.documentElement(), QStringLiteral("FreqRangeList")) : QDomElement();
    if (!list.isNull()) {
        for (QDomNode n = list.firstChild(); !n.isNull(); n = n.nextSibling()) {
            if (!n.isElement() || n.nodeName() != QLatin1String("FreqRange"))
                continue;
            FreqRange r;
            if (r.ReadXml(n.toElement()) && r.IsValid())
                Add(&r);
        }
    }

    const bool usable = !list.isNull();
    if (m_ranges.isEmpty()) {
        FreqRange fallback;
        fallback.SetDefault();
        Add(&fallback);
    }
    // A list read from the file is not "changed"; one that had to fall back is
    // written at exit.
    m_modified = !usable;
    Select(0);
    return usable;
}

QByteArray FreqRangeList::ToXml() const
{
    QByteArray out;
    auto line = [&out](int tabs, const QByteArray &text) {
        out += QByteArray(tabs, '\t') + text + "\r\n";
    };
    line(0, R"(<?xml version="1.0" encoding="windows-1251"?>)");
    line(0, "<root>");
    line(1, "<FreqRangeList>");
    for (const FreqRange &r : m_ranges) {
        if (!r.IsValid())
            continue;
        line(2, "<FreqRange>");
        for (int i = 0; i < FreqRange::Slots && r.rxBegin[i] && r.rxEnd[i]; ++i)
            line(3, SlotLine("rx", i, r.rxBegin[i], r.rxEnd[i]));
        for (int i = 0; i < FreqRange::Slots && r.txBegin[i] && r.txEnd[i]; ++i)
            line(3, SlotLine("tx", i, r.txBegin[i], r.txEnd[i]));
        line(2, "</FreqRange>");
    }
    line(1, "</FreqRangeList>");
    line(0, "</root>");
    return out;
}

bool FreqRangeList::Save(const QString &path)
{
    if (m_keepAsBackup == path) {
        const QString backup = path + QStringLiteral(".bak");
        QFile::remove(backup);
        if (!QFile::copy(path, backup))
            return false;  // rather keep the user's file than lose it
        m_keepAsBackup.clear();
    }
    const QByteArray out = ToXml();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(out) != out.size() || !file.commit())
        return false;
    m_modified = false;
    return true;
}

void FreqRangeList::Clear()
{
    // The current range stays as it was: a range is always current.
    m_ranges.clear();
    m_index = 0;
    m_modified = false;
}

int FreqRangeList::Add(const FreqRange *range)
{
    if (!range)
        return -1;
    const int i = IndexOf(range);
    if (i >= 0)
        return i;
    m_modified = true;
    m_ranges.append(*range);
    return int(m_ranges.size()) - 1;
}

int FreqRangeList::IndexOf(const FreqRange *range) const
{
    if (!range)
        return -1;
    for (int i = 0; i < m_ranges.size(); ++i) {
        if (m_ranges[i].Equals(*range))
            return i;
    }
    return -1;
}

bool FreqRangeList::Select(int index)
{
    if (index < 0 || index >= m_ranges.size())
        return false;
    m_current = m_ranges[index];
    m_index = index;
    return true;
}

bool FreqRangeList::CurrentText(QString &text) const
{
    text = m_current.ToText();
    return true;
}

void FreqRangeList::FillStrings(QStringList &strings) const
{
    strings.clear();
    for (const FreqRange &r : m_ranges)
        strings << r.ToText();
}
