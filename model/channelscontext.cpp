// The channel table to and from its image and its XML element, the channels outside the range,
// and the built-in frequency plans.

#include "model/channelscontext.h"

#include "xml/xml_common.h"

#include <QDomDocument>
#include <QStringList>

namespace {

constexpr std::size_t kRecordOffset = TableImage::OffBody;

std::uint8_t *Record(TableImage &image, int n)
{
    return image.data() + kRecordOffset + std::size_t(n) * Channel::RecordSize;
}

const std::uint8_t *Record(const TableImage &image, int n)
{
    return image.data() + kRecordOffset + std::size_t(n) * Channel::RecordSize;
}

// The built-in plans, by ship station: channels first..last get receive
// rxStart + step k and transmit txStart + step k (k from 0); every channel not
// listed is reset.
struct PlanGroup
{
    int first;
    int last;
    std::int32_t rxStart;
    std::int32_t txStart;
};

constexpr std::int32_t kPlanStep = 50000;
constexpr PlanGroup kPlan[] = {
    {2, 5, 300050000, 300050000},
    {6, 11, 336250000, 300250000},
    {22, 25, 336050000, 336050000},
    {46, 50, 336275000, 300275000},
    {61, 65, 336025000, 336025000},
};
// Channels 41..43 do not follow a step.
constexpr std::pair<int, std::int32_t> kPlanSingles[] = {{41, 300025000}, {42, 300075000}, {43, 300125000}};

} // namespace

ChannelsContext::ChannelsContext(const QString &rangeListPath) : m_rangeListPath(rangeListPath)
{
    ResetAll();
    if (!m_rangeListPath.isEmpty())
        ranges.Load(m_rangeListPath);
}

ChannelsContext::~ChannelsContext()
{
    if (!m_rangeListPath.isEmpty() && ranges.modified())
        ranges.Save(m_rangeListPath);
}

void ChannelsContext::ResetAll()
{
    for (Channel &c : channels)
        c.Reset();
}

QList<int> ChannelsContext::UnrepresentableChannels() const
{
    QList<int> out;
    for (int n = 0; n < Count; ++n) {
        if (channels[n].IsUsed() && !channels[n].FitsRecord())
            out << n;
    }
    return out;
}

bool ChannelsContext::EncodeImage(TableImage &image, std::uint16_t version)
{
    tableVersion = version;
    if (version != TableVersion)
        return false;
    // A quotient above 65534 would wrap to another frequency: never write that.
    if (!UnrepresentableChannels().isEmpty())
        return false;
    image.Fill(0xFF);
    image.SetVersion(TableVersion);
    image.SetLength(TableLength);
    image.PrepareCrcWords();
    for (int n = 0; n < Count; ++n)
        channels[n].Encode(Record(image, n));
    return SealImage(image);
}

bool ChannelsContext::DecodeImage(const TableImage &image)
{
    if (!VerifyImageCrc(image))
        return false;
    tableVersion = image.version();
    if (image.version() != TableVersion || image.length() != TableLength)
        return false;
    for (int n = 0; n < Count; ++n)
        channels[n].Decode(Record(image, n));
    return true;
}

void ChannelsContext::WriteXml(QDomElement &element)
{
    QDomDocument doc = element.ownerDocument();
    for (int n = 0; n < Count; ++n) {
        if (!channels[n].IsUsed())
            continue;
        QDomElement e = doc.createElement(QStringLiteral("channel"));
        e.setAttribute(QStringLiteral("id"), QString::number(n));
        element.appendChild(e);
        channels[n].WriteXml(e);
    }
}

XmlOutline ChannelsContext::Outline()
{
    XmlOutline channels(QStringLiteral("Channels"));
    channels.Add(Channel::Outline(MaxChannelElements));
    return channels;
}

void ChannelsContext::ReadXml(const QDomElement &element)
{
    ResetAll();
    if (element.isNull())
        return;
    for (QDomNode node = element.firstChild(); !node.isNull(); node = node.nextSibling()) {
        if (!node.isElement() || node.nodeName() != QLatin1String("channel"))
            continue;
        std::int32_t id = -1;
        if (ReadAttrInt(id, node, QStringLiteral("id"), -1) && id >= 0 && id < Count)
            channels[id].ReadXml(node.toElement());  // a later element of the same id wins
    }
}

bool ChannelsContext::RemoveOutOfRange()
{
    bool result = true;
    for (Channel &c : channels) {
        if ((c.HasRx() && !ContainsRx(std::uint32_t(c.freq_rx))) || (c.HasTx() && !ContainsTx(std::uint32_t(c.freq_tx)))) {
            c.Reset();
            result = false;
        }
    }
    return result;
}

QList<int> ChannelsContext::Removed(const std::array<Channel, Count> &before, const std::array<Channel, Count> &after)
{
    QList<int> removed;
    for (int n = 0; n < Count; ++n) {
        if (before[std::size_t(n)].IsUsed() && !after[std::size_t(n)].IsUsed())
            removed << n;
    }
    return removed;
}

QString ChannelsContext::NumberList(const QList<int> &channels)
{
    QStringList numbers;
    for (int n : channels)
        numbers << QString::number(n);
    return numbers.join(QStringLiteral(", "));
}

void ChannelsContext::ApplyFrequencyPlan(bool shore)
{
    std::array<bool, Count> planned{};
    for (const PlanGroup &g : kPlan) {
        for (int n = g.first; n <= g.last; ++n) {
            const std::int32_t k = n - g.first;
            channels[n].SetPlanFrequencies(g.rxStart + kPlanStep * k, g.txStart + kPlanStep * k, shore);
            planned[n] = true;
        }
    }
    for (const auto &[n, hz] : kPlanSingles) {
        channels[n].SetPlanFrequencies(hz, hz, shore);
        planned[n] = true;
    }
    for (int n = 0; n < Count; ++n) {
        if (!planned[n])
            channels[n].Reset();
    }
}
