// The channel table the program edits: 100 channels, their image and XML forms, and the range list
// whose current range they must fit.
#pragma once

#include "model/channel.h"
#include "model/freqrangelist.h"
#include "model/tableimage.h"

#include <QDomElement>
#include <QList>
#include <QString>

#include <array>
#include <cstdint>

// The radio's channel table: 100 channels, their image (version 1.00, length
// 2012: header, then record n at 12 + 20 n), their XML form, and the range list
// whose current range every channel must fit.
class ChannelsContext
{
public:
    static constexpr int Count = 100;
    static constexpr std::uint16_t TableVersion = 0x0100;
    static constexpr std::uint16_t TableLength = 12 + Count * Channel::RecordSize;

    // Loads the range list from `rangeListPath` and writes it back on
    // destruction when it changed. An empty path keeps the list in memory only.
    explicit ChannelsContext(const QString &rangeListPath);
    ~ChannelsContext();
    ChannelsContext(const ChannelsContext &) = delete;
    ChannelsContext &operator=(const ChannelsContext &) = delete;

    void ResetAll();
    // False for a version other than 1.00 and for a used channel whose frequency
    // the record cannot carry; the image is then left as it was.
    bool EncodeImage(TableImage &image, std::uint16_t version);
    bool DecodeImage(const TableImage &image);
    void ReadXml(const QDomElement &channelsElement);
    void WriteXml(QDomElement &channelsElement);
    // The "Channels" element as ReadXml reads it. Elements of one id may repeat
    // (the last one counts), but a file with more of them than this is none of ours.
    static constexpr int MaxChannelElements = 1000;
    static XmlOutline Outline();
    bool RemoveOutOfRange();
    // The channels used in `before` and no longer in `after`, ascending: what
    // a removal took away, for a message that names them.
    static QList<int> Removed(const std::array<Channel, Count> &before, const std::array<Channel, Count> &after);
    // "2, 3, 7": channel numbers as a message lists them.
    static QString NumberList(const QList<int> &channels);
    void ApplyFrequencyPlan(bool shore);

    // Channels the image cannot carry (see EncodeImage), for the caller's message.
    QList<int> UnrepresentableChannels() const;

    bool ContainsRx(std::uint32_t f) const { return ranges.Current().ContainsRx(f); }
    bool ContainsTx(std::uint32_t f) const { return ranges.Current().ContainsTx(f); }
    std::uint32_t DefaultRx() const { return ranges.Current().DefaultRx(); }
    std::uint32_t DefaultTx() const { return ranges.Current().DefaultTx(); }
    bool SnapRx(std::uint32_t &f, int direction) const { return ranges.Current().SnapRx(f, direction); }
    bool SnapTx(std::uint32_t &f, int direction) const { return ranges.Current().SnapTx(f, direction); }
    int DigitsRx() const { return ranges.Current().DigitsRx(); }
    int DigitsTx() const { return ranges.Current().DigitsTx(); }

    const QString &rangeListPath() const { return m_rangeListPath; }

    std::array<Channel, Count> channels;
    std::uint16_t tableVersion = 0;
    FreqRangeList ranges;

private:
    QString m_rangeListPath;
};
