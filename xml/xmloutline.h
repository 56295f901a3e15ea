// Reading files that come from outside in time linear in their size: their shape checked on the raw
// bytes first, then one parse that keeps only what the reader looks at.
#pragma once

#include <QByteArray>
#include <QDomDocument>
#include <QString>
#include <QStringView>

#include <vector>

// Reading files that come from outside. Two costs of a naive DOM are out of
// proportion to a file's size: the parser checks an element's attributes for
// duplicates pairwise, and a DOM node costs far more than the bytes that make
// it. So a document is first checked for its shape on the raw bytes, then
// parsed once, keeping in the DOM only the elements its reader looks at.

// No file of ours nests deeper than four levels or gives an element more than
// two attributes; these limits leave room for files written by hand.
constexpr int MaxXmlDepth = 256;
constexpr int MaxXmlAttributes = 32;

// One pass over the raw bytes: nesting depth, attributes per element, and no
// document type declaration (its entities could expand a small file into a
// huge one). The encoding must keep ASCII as it is (UTF-16 and UTF-32 are
// refused). Anything else it cannot follow is left for the parser to report.
bool CheckXmlLimits(const QByteArray &data, QString &error, qint64 *errorLine = nullptr);

// The elements a reader looks at, from the document element down.
struct XmlOutline
{
    enum Content {
        Elements,  // children by name, as listed; anything else is passed over
        Value,     // one piece of text; a child element, comment or instruction is an error
    };

    explicit XmlOutline(QString elementName = QString(), Content kind = Elements, int most = 1)
        : name(std::move(elementName)), content(kind), maxCount(most)
    {
    }
    XmlOutline &Add(XmlOutline child)
    {
        children.push_back(std::move(child));
        return children.back();
    }
    const XmlOutline *Child(QStringView childName) const;

    QString name;  // empty for the document element: any name is kept
    Content content = Elements;
    // 1: only the first element of this name counts (readers take the first
    // match); more: each one counts, and a file with more than this many is
    // refused as none of ours.
    int maxCount = 1;
    std::vector<XmlOutline> children;
};

// Parses a whole document into `doc`, keeping the elements of `outline` with
// their attributes and, for value elements, their text. Errors come back as a
// message with line and column.
// `errorLine`, when given, receives the line the error is on (0: none known).
bool ParseXml(const QByteArray &data, const XmlOutline &outline, QDomDocument &doc, QString &error,
              qint64 *errorLine = nullptr);
