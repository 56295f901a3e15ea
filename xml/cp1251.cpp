// windows-1251 through Qt where it knows the code page, else through our own table of its upper half;
// and whether a document's declaration names it.

#include "xml/cp1251.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <array>

namespace cp1251 {
namespace {

constexpr char kName[] = "windows-1251";

// 0x80..0xBF; 0xC0..0xFF are U+0410..U+044F in order.
constexpr std::array<char16_t, 64> kUpper = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
};

char16_t Unicode(unsigned char b)
{
    if (b < 0x80)
        return b;
    if (b >= 0xC0)
        return char16_t(0x0410 + (b - 0xC0));
    return kUpper[b - 0x80];
}

// The byte of `c`, or -1 when the code page has none.
int Byte(char16_t c)
{
    if (c < 0x80)
        return c;
    if (c >= 0x0410 && c <= 0x044F)
        return 0xC0 + (c - 0x0410);
    for (std::size_t i = 0; i < kUpper.size(); ++i) {
        if (kUpper[i] == c)
            return int(0x80 + i);
    }
    return -1;
}

QByteArray EncodeByTable(QStringView text, Unmappable unmappable)
{
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int b = Byte(text.at(i).unicode());
        if (b >= 0) {
            out.append(char(b));
            continue;
        }
        if (unmappable == Unmappable::Question) {
            out.append('?');
            if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
                ++i;
            continue;
        }
        char32_t code = text.at(i).unicode();
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            code = QChar::surrogateToUcs4(text.at(i), text.at(i + 1));
            ++i;
        }
        out += "&#" + QByteArray::number(quint32(code)) + ';';
    }
    return out;
}

} // namespace

bool QtHasCodePage()
{
    static const bool has = QStringDecoder(kName).isValid();
    return has;
}

QString DecodeByTable(QByteArrayView bytes)
{
    QString s(bytes.size(), Qt::Uninitialized);
    QChar *out = s.data();
    for (qsizetype i = 0; i < bytes.size(); ++i)
        out[i] = QChar(Unicode(static_cast<unsigned char>(bytes[i])));
    return s;
}

QString Decode(QByteArrayView bytes)
{
    if (QtHasCodePage()) {
        QStringDecoder decode(kName);
        return decode(bytes);
    }
    return DecodeByTable(bytes);
}

QByteArray Encode(QStringView text, Unmappable unmappable)
{
    if (QtHasCodePage()) {
        // Qt's substitute for a character it cannot encode differs from ours,
        // so a text with one goes by the table.
        QStringEncoder encode(kName);
        QByteArray bytes = encode(text);
        if (!encode.hasError())
            return bytes;
    }
    return EncodeByTable(text, unmappable);
}

bool DeclaresCp1251(QByteArrayView data)
{
    // The declaration comes first (after a byte order mark, which a
    // windows-1251 file does not have) and is short.
    const QByteArrayView head = data.first(std::min<qsizetype>(data.size(), 256));
    if (!head.startsWith("<?xml"))
        return false;
    const qsizetype end = head.indexOf("?>");
    if (end < 0)
        return false;
    const QByteArray declaration = head.first(end).toByteArray().toLower();
    const qsizetype at = declaration.indexOf("encoding");
    if (at < 0)
        return false;
    qsizetype p = at + 8;
    auto skipBlanks = [&] {
        while (p < declaration.size() && QByteArrayView(" \t\r\n").contains(declaration.at(p)))
            ++p;
    };
    skipBlanks();
    if (p >= declaration.size() || declaration.at(p) != '=')
        return false;
    ++p;
    skipBlanks();
    if (p >= declaration.size() || (declaration.at(p) != '"' && declaration.at(p) != '\''))
        return false;
    const char quote = declaration.at(p++);
    const qsizetype close = declaration.indexOf(quote, p);
    if (close < 0)
        return false;
    const QByteArray name = declaration.mid(p, close - p);
    return name == "windows-1251" || name == "cp1251" || name == "x-cp1251";
}

} // namespace cp1251
