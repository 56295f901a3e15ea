// How the simulated radio answers each request, stores the tables written to it, and breaks
// replies on purpose.

#include "sim/simradio.h"

#include "link/protocol.h"
#include "model/bytes.h"
#include "model/settingscontext.h"
#include "xml/cp1251.h"


#include <algorithm>
#include <cstring>

using namespace protocol;

namespace {

void PutText(std::uint8_t *at, std::size_t width, const QString &text)
{
    const QByteArray bytes = cp1251::Encode(text);
    std::memset(at, 0, width);
    std::memcpy(at, bytes.constData(), std::min<std::size_t>(width, bytes.size()));
}

bool Every(int n, int count)
{
    return n > 0 && count % n == 0;
}

} // namespace

SimRadio::SimRadio(SimOptions options) : m_opt(std::move(options))
{
    ResetMemory();
}

void SimRadio::ResetMemory()
{
    TableImage &ch = m_images[Channels];
    ch.Fill(0xFF);
    ch.SetVersion(0x0100);
    ch.SetLength(2012);
    ch.PrepareCrcWords();
    SealImage(ch);

    SettingsContext settings;
    if (!settings.EncodeImage(m_images[Settings], m_opt.settingsVersion))
        settings.EncodeImage(m_images[Settings], SettingsContext::Version100);
}

SimRadio::Reply SimRadio::Handle(const QByteArray &request)
{
    Reply reply;
    ++m_requests;
    if (m_requests <= m_opt.ignoreFirst)
        return reply;
    if (m_opt.silentAfter >= 0 && m_requests > m_opt.silentAfter)
        return reply;
    if (request.isEmpty())
        return reply;

    const auto *req = reinterpret_cast<const std::uint8_t *>(request.constData());
    const std::uint8_t cmd = req[0];
    QByteArray payload;
    if (cmd == CmdInfo && request.size() == 2) {
        const std::uint8_t sub = req[1];
        if (sub > 1)
            return reply;
        payload.append(char(CmdInfo)).append(char(sub));
        payload.append(sub == 0 ? InfoMain() : InfoExtended());
    } else if (cmd == CmdReadBlock && request.size() == 4) {
        const std::uint16_t block = getU16le(req + 2);
        if ((block >> 2) > Settings)
            return reply;
        payload = request.left(4);
        payload.append(ReadBlock(block));
    } else if (cmd == CmdWriteBlock && request.size() >= 4 && request.size() <= 4 + int(BlockSize)) {
        const std::uint16_t block = getU16le(req + 2);
        if ((block >> 2) > Settings)
            return reply;
        reply.stored = WriteBlock(block, request.mid(4), reply.storedTable);
        payload = request.left(4);
    } else {
        return reply;
    }

    ++m_replies;
    if (Every(m_opt.wrongCommandEvery, m_replies))
        payload[0] = char(payload[0] ^ 0x01);
    if (Every(m_opt.wrongBlockEvery, m_replies)) {
        if (cmd == CmdInfo)
            payload[1] = char(payload[1] ^ 0x01);
        else
            payload[2] = char(payload[2] ^ 0x01);
    }
    if (Every(m_opt.wrongLengthEvery, m_replies)) {
        // A write reply grows to 5 bytes; a read or info reply loses its last byte.
        if (cmd == CmdWriteBlock || payload.size() <= 4)
            payload.append(char(0));
        else
            payload.chop(1);
    }
    reply.breakCheck = Every(m_opt.corruptEvery, m_replies);
    reply.answer = true;
    reply.payload = payload;
    return reply;
}

QByteArray SimRadio::InfoMain() const
{
    std::array<std::uint8_t, InfoMainLength> d{};
    setU32le(&d[0], m_opt.programCount);
    setU32le(&d[4], m_opt.serial);
    PutText(&d[8], 10, m_opt.firmware);
    PutText(&d[18], 5, m_opt.programmerId);
    PutText(&d[23], 20, m_opt.radioType);
    PutText(&d[43], 40, m_opt.comment);
    PutText(&d[83], 15, QString());
    setU16le(&d[98], m_opt.txBase);
    setU16le(&d[100], m_opt.rxBase);
    setU16le(&d[104], m_opt.step);
    for (std::size_t i = 0; i < 4 && i < m_opt.pairs.size(); ++i) {
        setU16le(&d[106 + 4 * i], m_opt.pairs[i].first);
        setU16le(&d[108 + 4 * i], m_opt.pairs[i].second);
    }
    return QByteArray(reinterpret_cast<const char *>(d.data()), d.size());
}

QByteArray SimRadio::InfoExtended() const
{
    std::array<std::uint8_t, InfoExtendedLength> d{};
    setU16le(&d[0], 0x1203);
    setU16le(&d[2], 0xA55A);
    setU32le(&d[4], 8192);
    setU32le(&d[8], 0x1234ABCD);
    setU32le(&d[12], 118784);
    setU32le(&d[16], 0xCAFEF00D);
    // Version list: (tag, value) pairs; unused entries carry a tag nobody reads.
    const std::pair<std::uint16_t, std::uint16_t> versions[] = {
        {0, 0x0100}, {4, m_opt.settingsVersion}, {8, 0x0100}, {12, 0x0101}};
    int e = 0;
    for (const auto &[tag, value] : versions) {
        if (tag == 4 && value == 0)
            continue;  // a radio without a settings table version reports none
        setU16le(&d[20 + 4 * e], tag);
        setU16le(&d[22 + 4 * e], value);
        ++e;
    }
    for (; e < 16; ++e)
        setU16le(&d[20 + 4 * e], 0xFFFF);
    setU32le(&d[84], 0x11111111);
    setU32le(&d[88], 0x22222222);
    setU32le(&d[92], 0x33333333);
    setU32le(&d[96], 131072);
    for (int i = 0; i < 4; ++i)
        d[100 + i] = m_opt.power[i];
    return QByteArray(reinterpret_cast<const char *>(d.data()), d.size());
}

QByteArray SimRadio::StaleBlockReply() const
{
    QByteArray payload(4, 0);
    payload[0] = char(CmdReadBlock);
    return payload + ReadBlock(0);
}

QByteArray SimRadio::ReadBlock(std::uint16_t block) const
{
    const TableImage &img = m_images[block >> 2];
    const std::size_t lim = std::min<std::size_t>(img.length(), TableImage::Size);
    const std::size_t pos = (block & 3u) * BlockSize;
    if (lim <= pos)
        return {};
    const std::size_t n = std::min<std::size_t>(BlockSize, lim - pos);
    return QByteArray(reinterpret_cast<const char *>(img.data() + pos), static_cast<qsizetype>(n));
}

bool SimRadio::WriteBlock(std::uint16_t block, const QByteArray &data, int &storedTable)
{
    const int table = block >> 2;
    TableImage &in = m_incoming[table];
    const std::size_t pos = (block & 3u) * BlockSize;
    if (pos == 0)
        in.Fill(0xFF);
    std::memcpy(in.data() + pos, data.constData(), static_cast<std::size_t>(data.size()));
    const std::size_t lim = in.length();
    if (pos + static_cast<std::size_t>(data.size()) < lim)
        return false;
    m_images[table] = in;
    if (m_opt.storeChanged)
        m_images[table].bytes[TableImage::OffBody] ^= 0x01;
    storedTable = table;
    return true;
}
