// What every record kept in an XML file reads and writes by: the number rules, value elements,
// the file's saved form, and numbers as the user reads them.
#pragma once

#include <QByteArray>
#include <QDomDocument>
#include <QDomElement>
#include <QDomNode>
#include <QString>

#include <cstdint>

// Element and attribute routines shared by every record that lives in an XML
// file, and the number rules they read by.
//
// Number rules: leading blanks (U+0020 only), an optional sign, then either
// "$", "x", "X", "0x" or "0X" and 1..8 significant hex digits taken as a 32-bit
// pattern, or decimal digits within the signed 32-bit range. Nothing may follow.
bool ParseNumber(const QString &text, std::int32_t &value);

// A value element must hold one piece of text. Anything else (a child element,
// a comment, mixed content) is a read error; while an XmlErrorScope is alive on
// this thread it records the first such error with the element's line and column.
class XmlErrorScope
{
public:
    XmlErrorScope();
    ~XmlErrorScope();
    XmlErrorScope(const XmlErrorScope &) = delete;
    XmlErrorScope &operator=(const XmlErrorScope &) = delete;

    bool failed() const { return !m_error.isEmpty(); }
    const QString &error() const { return m_error; }

    // Records an error in the innermost scope, if there is one.
    static void Report(const QString &message);

private:
    XmlErrorScope *m_outer = nullptr;
    QString m_error;
};

// The document as a file: the declaration with encoding windows-1251, elements
// indented by two blanks, attributes in name order (so "begin" comes before
// "end" and the output never varies). A character windows-1251 has no byte
// for is written as a character reference.
QByteArray SerializeXml(const QDomDocument &doc);

// First child element of `node` named exactly `name`, or a null element.
QDomElement FirstChildNamed(const QDomNode &node, const QString &name);

bool ReadChildText(const QDomNode &node, const QString &name, const QString &defaultText, QString &text);
bool ReadAttrText(const QDomNode &node, const QString &name, const QString &defaultText, QString &text);
bool ReadChildInt(std::int32_t &target, const QDomNode &node, const QString &name, std::int32_t defaultValue);
bool ReadAttrInt(std::int32_t &target, const QDomNode &node, const QString &name, std::int32_t defaultValue);
bool ReadChildBool(bool &target, const QDomNode &node, const QString &name, bool defaultValue);

void WriteChildInt(QDomNode &node, const QString &name, std::int32_t value);
void WriteChildBool(QDomNode &node, const QString &name, bool value);

// "300050000" -> "300 050 000": groups of three from the right.
QString GroupDigits(const QString &text);

// A number written with a decimal comma ("12,5") as the language in force
// writes it: the separator is itself a text of the translation.
QString LocalDecimal(const QString &commaText);
