// A radio's frequency range: the receive and transmit intervals its channels must lie in.
#pragma once

#include "xml/xmloutline.h"

#include <QDomElement>
#include <QString>

#include <array>
#include <cstdint>

// Frequency text in MHz with as few decimals as the value needs ("300.025",
// "48.5", " 33"): printf "%*.*lf" with width decimals + 3.
QString FormatMHz(std::uint32_t hertz);

// The frequencies a radio may use: up to four receive and four transmit
// intervals, inclusive at both ends, in Hz. A list is read as a leading run of
// filled slots (begin and end both nonzero).
class FreqRange
{
public:
    static constexpr int Slots = 4;
    static constexpr std::uint32_t DefaultBegin = 33000000;
    static constexpr std::uint32_t DefaultEnd = 48500000;

    std::array<std::uint32_t, Slots> rxBegin{};
    std::array<std::uint32_t, Slots> txBegin{};
    std::array<std::uint32_t, Slots> rxEnd{};
    std::array<std::uint32_t, Slots> txEnd{};

    void Clear();
    bool AddRx(std::uint32_t begin, std::uint32_t end);
    bool AddTx(std::uint32_t begin, std::uint32_t end);
    void SetDefault();
    bool Equals(const FreqRange &other) const;
    bool operator==(const FreqRange &other) const { return Equals(other); }

    // Both lists: intervals strictly ascending and not touching, at least one,
    // no holes, every frequency below 1 GHz; an rx interval needs a tx interval
    // in the same slot.
    bool IsValid() const;

    QString ToText() const;

    bool ReadXml(const QDomElement &element);
    bool WriteXml(QDomNode &parent) const;
    // The "FreqRange" element as ReadXml reads it; `maxCount` as in XmlOutline.
    static XmlOutline Outline(int maxCount = 1);

    bool ContainsRx(std::uint32_t f) const;
    bool ContainsTx(std::uint32_t f) const;
    std::uint32_t DefaultRx() const;
    std::uint32_t DefaultTx() const;
    // Moves a frequency outside the list to an interval edge: direction > 0
    // upwards, < 0 downwards, 0 to the end of the last interval. True when moved.
    bool SnapRx(std::uint32_t &f, int direction) const;
    bool SnapTx(std::uint32_t &f, int direction) const;
    int DigitsRx() const;
    int DigitsTx() const;
};
