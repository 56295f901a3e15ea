// The one pass over the raw bytes that bounds nesting and attributes, and the parse that builds
// a DOM of the outline's elements alone.

#include "xml/xmloutline.h"

#include "xml/cp1251.h"

#include <QCoreApplication>
#include <QDomElement>
#include <QXmlStreamReader>

#include <cstring>
#include <string_view>

namespace {

// The texts of this file, for Qt Linguist.
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(XmlOutline)
};

QString Where(qint64 line, qint64 column)
{
    return Tr::tr(" (строка %1, столбец %2)").arg(line).arg(column);
}

// Line and column just after byte `end` of `data`, counted in bytes; the line
// also into `lineOut` when given.
QString WhereInBytes(std::string_view data, std::size_t end, qint64 *lineOut)
{
    const std::string_view before = data.substr(0, end);
    qint64 line = 1;
    for (char c : before)
        line += c == '\n';
    if (lineOut)
        *lineOut = line;
    const std::size_t lastBreak = before.rfind('\n');
    const std::size_t lineStart = lastBreak == std::string_view::npos ? 0 : lastBreak + 1;
    return Where(line, qint64(end - lineStart));
}

} // namespace

bool CheckXmlLimits(const QByteArray &bytes, QString &error, qint64 *errorLine)
{
    const std::string_view data(bytes.constData(), std::size_t(bytes.size()));
    const std::size_t n = data.size();
    // The scan reads markup as single bytes, which holds for every encoding
    // that keeps ASCII as it is. UTF-16 and UTF-32 do not (their markup carries
    // zero bytes and their other characters may contain quote bytes), and no
    // file of ours uses them.
    using namespace std::string_view_literals;
    if (data.starts_with("\xFE\xFF"sv) || data.starts_with("\xFF\xFE"sv) || data.starts_with("<\0"sv)
        || data.starts_with("\0<"sv) || data.starts_with("\0\0"sv)) {
        error = Tr::tr("Файлы в кодировке UTF-16 и UTF-32 не поддерживаются");
        return false;
    }
    std::size_t p = 0;
    int depth = 0;
    auto skipPast = [&](std::string_view terminator) {
        const std::size_t at = data.find(terminator, p);
        p = at == std::string_view::npos ? n : at + terminator.size();
    };
    // Every byte is looked at once: each step starts where the previous one ended.
    while (p < n) {
        const std::size_t lt = data.find('<', p);
        if (lt == std::string_view::npos)
            break;
        p = lt + 1;
        const std::string_view rest = data.substr(p);
        if (rest.starts_with("!--")) {
            p += 3;
            skipPast("-->");
        } else if (rest.starts_with("![CDATA[")) {
            p += 8;
            skipPast("]]>");
        } else if (rest.starts_with('?')) {
            skipPast("?>");
        } else if (rest.starts_with('!')) {
            error = Tr::tr("Определение типа документа не допускается") + WhereInBytes(data, p + 1, errorLine);
            return false;
        } else if (rest.starts_with('/')) {
            --depth;
            skipPast(">");
        } else {
            // A start tag: one '=' outside quotes per attribute, up to the '>'
            // outside quotes.
            int attributes = 0;
            char quote = 0;
            char previous = 0;
            for (; p < n; ++p) {
                const char c = data[p];
                if (quote) {
                    if (c == quote)
                        quote = 0;
                } else if (c == '"' || c == '\'') {
                    quote = c;
                } else if (c == '=') {
                    ++attributes;
                } else if (c == '>') {
                    break;
                }
                previous = c;
            }
            if (p >= n)
                break;
            ++p;
            if (attributes > MaxXmlAttributes) {
                error = Tr::tr("Слишком много атрибутов у элемента") + WhereInBytes(data, p, errorLine);
                return false;
            }
            if (previous != '/' && ++depth > MaxXmlDepth) {
                error = Tr::tr("Слишком глубокая вложенность элементов") + WhereInBytes(data, p, errorLine);
                return false;
            }
        }
    }
    return true;
}

const XmlOutline *XmlOutline::Child(QStringView childName) const
{
    for (const XmlOutline &c : children) {
        if (c.name == childName)
            return &c;
    }
    return nullptr;
}

namespace {

struct Open
{
    const XmlOutline *outline;
    QDomElement element;
    std::vector<int> seen;  // elements met so far, per child of the outline
    QString text;           // a value element's text
    qint64 line = 0, column = 0;
};

QDomElement MakeElement(QDomDocument &doc, const QXmlStreamReader &reader)
{
    QDomElement e = doc.createElement(reader.qualifiedName().toString());
    for (const QXmlStreamAttribute &a : reader.attributes())
        e.setAttribute(a.qualifiedName().toString(), a.value().toString());
    return e;
}

} // namespace

bool ParseXml(const QByteArray &data, const XmlOutline &outline, QDomDocument &doc, QString &error, qint64 *errorLine)
{
    qint64 line = 0;
    const auto failed = [&] {
        if (errorLine)
            *errorLine = line;
        return false;
    };
    if (!CheckXmlLimits(data, error, &line))
        return failed();

    QDomDocument built;
    QXmlStreamReader reader;
    // Qt's reader knows windows-1251 only where Qt has ICU; decoded here, the
    // text reads the same everywhere (the reader then ignores the declaration).
    if (cp1251::DeclaresCp1251(data))
        reader.addData(cp1251::Decode(data));
    else
        reader.addData(data);
    reader.setNamespaceProcessing(false);
    std::vector<Open> stack;
    auto valueError = [&](const Open &value) {
        error = Tr::tr("Элемент <%1> (строка %2, столбец %3) должен содержать только значение")
                    .arg(value.element.tagName())
                    .arg(value.line)
                    .arg(value.column);
        line = value.line;
        return failed();
    };

    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartElement: {
            if (stack.empty()) {
                QDomElement root = MakeElement(built, reader);
                built.appendChild(root);
                stack.push_back({&outline, root, std::vector<int>(outline.children.size()), {}, 0, 0});
                break;
            }
            Open &parent = stack.back();
            if (parent.outline->content == XmlOutline::Value)
                return valueError(parent);
            const XmlOutline *child = parent.outline->Child(reader.qualifiedName());
            if (!child) {
                reader.skipCurrentElement();
                break;
            }
            int &seen = parent.seen[std::size_t(child - parent.outline->children.data())];
            if (++seen > child->maxCount) {
                if (child->maxCount == 1) {
                    reader.skipCurrentElement();
                    break;
                }
                error = Tr::tr("Слишком много элементов <%1>: больше %2")
                            .arg(child->name)
                            .arg(child->maxCount)
                      + Where(reader.lineNumber(), reader.columnNumber());
                line = reader.lineNumber();
                return failed();
            }
            QDomElement e = MakeElement(built, reader);
            parent.element.appendChild(e);
            stack.push_back({child, e, std::vector<int>(child->children.size()), {}, reader.lineNumber(),
                             reader.columnNumber()});
            break;
        }
        case QXmlStreamReader::EndElement:
            if (!stack.empty()) {
                Open &done = stack.back();
                if (done.outline->content == XmlOutline::Value && !done.text.isEmpty())
                    done.element.appendChild(built.createTextNode(done.text));
                stack.pop_back();
            }
            break;
        case QXmlStreamReader::Characters:
            if (!stack.empty() && stack.back().outline->content == XmlOutline::Value)
                stack.back().text += reader.text();
            break;
        case QXmlStreamReader::Comment:
        case QXmlStreamReader::ProcessingInstruction:
        case QXmlStreamReader::EntityReference:
            if (!stack.empty() && stack.back().outline->content == XmlOutline::Value)
                return valueError(stack.back());
            break;
        default:
            break;
        }
    }
    if (reader.hasError()) {
        error = reader.errorString() + Where(reader.lineNumber(), reader.columnNumber());
        line = reader.lineNumber();
        return failed();
    }
    doc = built;
    return true;
}
