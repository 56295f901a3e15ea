// The code page of the radio's texts and of our XML files, decoded and encoded alike on every platform.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// windows-1251, the code page of the radio's texts and of our XML files, the
// same on every platform. Qt knows it only when it was built with ICU (Qt for
// Windows usually is not), so without ICU the fixed table of the code page's
// upper half stands in. Every byte decodes (0x98, which the code page leaves
// unassigned, to U+0098), so any byte string comes back unchanged through
// Decode and Encode.
namespace cp1251 {

QString Decode(QByteArrayView bytes);

// What becomes of a character that has no byte in the code page.
enum class Unmappable {
    Question,      // "?"
    XmlReference,  // "&#<code>;", for element text and attribute values
};
QByteArray Encode(QStringView text, Unmappable unmappable = Unmappable::Question);

// The table alone, whether or not Qt has the code page: what Decode gives
// without ICU.
QString DecodeByTable(QByteArrayView bytes);
// True when this Qt decodes windows-1251 itself.
bool QtHasCodePage();

// True when the XML declaration at the start of `data` names windows-1251
// (or an alias of it): such a document is decoded by Decode before parsing.
bool DeclaresCp1251(QByteArrayView data);

} // namespace cp1251
