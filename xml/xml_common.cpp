// How numbers are parsed, value elements read with their errors kept per thread, and a document
// written in windows-1251 with a fixed order of attributes.

#include "xml/xml_common.h"

#include "xml/cp1251.h"

#include <QCoreApplication>
#include <QDomDocument>
#include <QXmlStreamWriter>

#include <algorithm>

namespace {

// The texts of this file, for Qt Linguist.
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(XmlCommon)
};

thread_local XmlErrorScope *t_scope = nullptr;

int HexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9') return u - '0';
    if (u >= 'a' && u <= 'f') return u - 'a' + 10;
    if (u >= 'A' && u <= 'F') return u - 'A' + 10;
    return -1;
}

// The text of a value element, or an error when it holds more than one piece of text.
bool ValueText(const QDomElement &element, QString &text)
{
    const QDomNodeList children = element.childNodes();
    if (children.isEmpty()) {
        text.clear();
        return true;
    }
    const QDomNode only = children.at(0);
    if (children.size() == 1 && (only.isText() || only.isCDATASection())) {
        text = only.nodeValue();
        return true;
    }
    XmlErrorScope::Report(Tr::tr("Элемент <%1> (строка %2, столбец %3) должен содержать только значение")
                              .arg(element.tagName())
                              .arg(element.lineNumber())
                              .arg(element.columnNumber()));
    return false;
}

} // namespace

XmlErrorScope::XmlErrorScope() : m_outer(t_scope)
{
    t_scope = this;
}

XmlErrorScope::~XmlErrorScope()
{
    t_scope = m_outer;
}

void XmlErrorScope::Report(const QString &message)
{
    if (t_scope && t_scope->m_error.isEmpty())
        t_scope->m_error = message;
}

bool ParseNumber(const QString &text, std::int32_t &value)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text.at(i) == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < n && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-'))) {
        negative = text.at(i) == QLatin1Char('-');
        ++i;
    }
    bool hex = false;
    if (i < n && (text.at(i) == QLatin1Char('$') || text.at(i) == QLatin1Char('x') || text.at(i) == QLatin1Char('X'))) {
        hex = true;
        ++i;
    } else if (i + 1 < n && text.at(i) == QLatin1Char('0')
               && (text.at(i + 1) == QLatin1Char('x') || text.at(i + 1) == QLatin1Char('X'))) {
        hex = true;
        i += 2;
    }
    if (i >= n)
        return false;

    if (hex) {
        std::uint32_t v = 0;
        int significant = 0;
        for (; i < n; ++i) {
            const int d = HexDigit(text.at(i));
            if (d < 0)
                return false;
            if (significant > 0 || d != 0)
                ++significant;
            if (significant > 8)
                return false;
            v = (v << 4) | static_cast<std::uint32_t>(d);
        }
        const std::uint32_t pattern = negative ? 0u - v : v;
        value = static_cast<std::int32_t>(pattern);
        return true;
    }

    std::int64_t magnitude = 0;
    for (; i < n; ++i) {
        const char16_t u = text.at(i).unicode();
        if (u < '0' || u > '9')
            return false;
        magnitude = magnitude * 10 + (u - '0');
        if (magnitude > 2147483648LL)
            return false;
    }
    const std::int64_t v = negative ? -magnitude : magnitude;
    if (v > 2147483647LL)
        return false;
    value = static_cast<std::int32_t>(v);
    return true;
}

namespace {

void WriteElement(QXmlStreamWriter &w, const QDomElement &e)
{
    const QDomNamedNodeMap attrs = e.attributes();
    QList<QDomAttr> sorted;
    for (int i = 0; i < attrs.count(); ++i)
        sorted << attrs.item(i).toAttr();
    std::sort(sorted.begin(), sorted.end(), [](const QDomAttr &a, const QDomAttr &b) { return a.name() < b.name(); });

    bool hasElements = false;
    QString text;
    for (QDomNode n = e.firstChild(); !n.isNull(); n = n.nextSibling()) {
        if (n.isElement())
            hasElements = true;
        else if (n.isText() || n.isCDATASection())
            text += n.nodeValue();
    }
    if (!hasElements && text.isEmpty()) {
        w.writeEmptyElement(e.tagName());
        for (const QDomAttr &a : sorted)
            w.writeAttribute(a.name(), a.value());
        return;
    }
    w.writeStartElement(e.tagName());
    for (const QDomAttr &a : sorted)
        w.writeAttribute(a.name(), a.value());
    if (hasElements) {
        for (QDomElement c = e.firstChildElement(); !c.isNull(); c = c.nextSiblingElement())
            WriteElement(w, c);
    } else {
        w.writeCharacters(text);
    }
    w.writeEndElement();
}

} // namespace

QByteArray SerializeXml(const QDomDocument &doc)
{
    QString body;
    QXmlStreamWriter w(&body);
    w.setAutoFormatting(true);
    w.setAutoFormattingIndent(2);
    WriteElement(w, doc.documentElement());
    w.writeEndDocument();
    // The writer starts the first element on a new line of its own.
    return QByteArray("<?xml version=\"1.0\" encoding=\"windows-1251\"?>")
         + cp1251::Encode(body, cp1251::Unmappable::XmlReference);
}

QDomElement FirstChildNamed(const QDomNode &node, const QString &name)
{
    if (node.isNull())
        return {};
    for (QDomNode child = node.firstChild(); !child.isNull(); child = child.nextSibling()) {
        if (child.isElement() && child.nodeName() == name)
            return child.toElement();
    }
    return {};
}

bool ReadChildText(const QDomNode &node, const QString &name, const QString &defaultText, QString &text)
{
    const QDomElement child = FirstChildNamed(node, name);
    if (child.isNull()) {
        text = defaultText;
        return false;
    }
    if (!ValueText(child, text))
        text = defaultText;
    return true;
}

bool ReadAttrText(const QDomNode &node, const QString &name, const QString &defaultText, QString &text)
{
    const QDomElement element = node.toElement();
    if (element.isNull() || !element.hasAttribute(name)) {
        text = defaultText;
        return false;
    }
    text = element.attribute(name);
    return true;
}

namespace {
bool ReadIntWith(bool found, const QString &text, std::int32_t &target, std::int32_t defaultValue)
{
    if (!found || !ParseNumber(text, target))
        target = defaultValue;
    return found;
}
} // namespace

bool ReadChildInt(std::int32_t &target, const QDomNode &node, const QString &name, std::int32_t defaultValue)
{
    QString text;
    const bool found = ReadChildText(node, name, QString(), text);
    return ReadIntWith(found, text, target, defaultValue);
}

bool ReadAttrInt(std::int32_t &target, const QDomNode &node, const QString &name, std::int32_t defaultValue)
{
    QString text;
    const bool found = ReadAttrText(node, name, QString(), text);
    return ReadIntWith(found, text, target, defaultValue);
}

bool ReadChildBool(bool &target, const QDomNode &node, const QString &name, bool defaultValue)
{
    std::int32_t v = 0;
    const bool found = ReadChildInt(v, node, name, defaultValue ? 1 : 0);
    target = v != 0;
    return found;
}

void WriteChildInt(QDomNode &node, const QString &name, std::int32_t value)
{
    QDomDocument doc = node.ownerDocument();
    QDomElement child = doc.createElement(name);
    child.appendChild(doc.createTextNode(QString::number(value)));
    node.appendChild(child);
}

void WriteChildBool(QDomNode &node, const QString &name, bool value)
{
    WriteChildInt(node, name, value ? 1 : 0);
}

QString GroupDigits(const QString &text)
{
    QString result;
    QString rest = text;
    while (rest.size() > 3) {
        result.prepend(QLatin1Char(' ') + rest.right(3));
        rest.chop(3);
    }
    return rest + result;
}

QString LocalDecimal(const QString &commaText)
{
    //: The decimal separator of numbers in texts: a point in English.
    const QString separator = QCoreApplication::translate("DecimalSeparator", ",");
    QString text = commaText;
    return separator == QLatin1String(",") ? text : text.replace(QLatin1Char(','), separator);
}
