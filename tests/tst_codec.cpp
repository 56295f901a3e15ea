#include "link/framecodec.h"
#include "model/bytes.h"
#include "model/tableimage.h"

#include <QTest>

#include <vector>

using Bytes = std::vector<std::uint8_t>;
Q_DECLARE_METATYPE(Bytes)

namespace {

Bytes Hex(const char *text)
{
    const QByteArray b = QByteArray::fromHex(QByteArray(text));
    return Bytes(b.begin(), b.end());
}

Bytes EncodeFrame(const Bytes &payload)
{
    std::vector<std::uint8_t> out(frame::MaxEncoded);
    const std::size_t n = frame::Encode(payload.data(), payload.size(), out.data(), out.size());
    out.resize(n);
    return out;
}

TableImage EmptyChannelImage()
{
    TableImage img;
    img.Fill(0xFF);
    img.SetVersion(0x0100);
    img.SetLength(2012);
    img.PrepareCrcWords();
    SealImage(img);
    return img;
}

} // namespace

class TestCodec : public QObject
{
    Q_OBJECT
private slots:
    void frameCheckStandardValue()
    {
        const QByteArray s("123456789");
        QCOMPARE(frame::FrameCheck(reinterpret_cast<const std::uint8_t *>(s.constData()), 9), std::uint16_t(0x906E));
    }

    void frameCheckGoodRegister()
    {
        Bytes p{0x01, 0x00};
        const std::uint16_t fcs = frame::FrameCheck(p.data(), p.size());
        p.push_back(std::uint8_t(fcs));
        p.push_back(std::uint8_t(fcs >> 8));
        QCOMPARE(frame::FcsUpdate(frame::FcsInit, p.data(), p.size()), frame::FcsGood);
    }

    void encode_data()
    {
        QTest::addColumn<Bytes>("payload");
        QTest::addColumn<Bytes>("wire");
        // Check bytes computed independently (CRC-16/X-25, low byte first).
        QTest::newRow("info 0") << Hex("0100") << Hex("c00100" "9f16" "c1");
        QTest::newRow("specials escaped") << Hex("7dc0c1") << Hex("c07d5d7de07de1" "44a4" "c1");
        QTest::newRow("read block 2") << Hex("02000200") << Bytes{};
    }
    void encode()
    {
        QFETCH(Bytes, payload);
        QFETCH(Bytes, wire);
        const Bytes got = EncodeFrame(payload);
        if (!wire.empty())
            QCOMPARE(got, wire);
        std::vector<std::uint8_t> out(frame::MaxPayload);
        std::size_t n = 0;
        QCOMPARE(frame::Decode(got.data() + 1, got.size() - 2, out.data(), n), frame::DecodeStatus::Ok);
        QCOMPARE(Bytes(out.begin(), out.begin() + long(n)), payload);
    }

    void escapedCheckBytes()
    {
        // Search a payload whose check contains a byte that must be escaped and
        // make sure it goes out escaped and comes back.
        for (int v = 0; v < 65536; ++v) {
            Bytes p{std::uint8_t(v), std::uint8_t(v >> 8)};
            const std::uint16_t fcs = frame::FrameCheck(p.data(), 2);
            const std::uint8_t lo = std::uint8_t(fcs);
            if (lo != 0xC0 && lo != 0xC1 && lo != 0x7D)
                continue;
            if (p[0] == 0xC0 || p[0] == 0xC1 || p[0] == 0x7D || p[1] == 0xC0 || p[1] == 0xC1 || p[1] == 0x7D)
                continue;
            const Bytes wire = EncodeFrame(p);
            QCOMPARE(wire.size(), std::size_t(1 + 2 + 2 + 1 + 1 + ((fcs >> 8) == 0xC0 || (fcs >> 8) == 0xC1 || (fcs >> 8) == 0x7D ? 1 : 0)));
            QCOMPARE(wire[3], frame::Escape);
            QCOMPARE(wire[4], std::uint8_t(lo ^ 0x20));
            return;
        }
        QFAIL("no payload with an escaped check byte found");
    }

    void decodeFailures_data()
    {
        QTest::addColumn<Bytes>("raw");
        QTest::addColumn<int>("status");
        QTest::newRow("escape of ordinary byte") << Hex("01007d41aabb") << int(frame::DecodeStatus::BadEscape);
        QTest::newRow("escape last") << Hex("0100aa7d") << int(frame::DecodeStatus::BadEscape);
        QTest::newRow("three bytes") << Hex("010203") << int(frame::DecodeStatus::TooShort);
        QTest::newRow("wrong check") << Hex("01009f17") << int(frame::DecodeStatus::BadCheck);
        QTest::newRow("too long") << Bytes(frame::MaxPayload + 1, 0x11) << int(frame::DecodeStatus::TooLong);
        // What Encode never sends, Decode does not take: a delimiter must come escaped.
        QTest::newRow("unescaped start") << Hex("01c0" "1b41") << int(frame::DecodeStatus::Delimiter);
        QTest::newRow("unescaped end") << Hex("c100aaaa") << int(frame::DecodeStatus::Delimiter);
    }
    void decodeFailures()
    {
        QFETCH(Bytes, raw);
        QFETCH(int, status);
        std::vector<std::uint8_t> out(frame::MaxPayload);
        std::size_t n = 99;
        QCOMPARE(int(frame::Decode(raw.data(), raw.size(), out.data(), n)), status);
        QCOMPARE(n, std::size_t(0));
    }

    // A frame of a 0- or 1-byte payload is shorter than Decode accepts.
    void encodeRefusesWhatDecodeRefuses()
    {
        std::vector<std::uint8_t> out(frame::MaxEncoded);
        const std::uint8_t one = 0x01;
        QCOMPARE(frame::Encode(&one, 0, out.data(), out.size()), std::size_t(0));
        QCOMPARE(frame::Encode(&one, 1, out.data(), out.size()), std::size_t(0));
        QCOMPARE(EncodeFrame(Hex("0100")).size(), std::size_t(6));
    }

    void encodeRefusesOversizedPayload()
    {
        Bytes big(frame::MaxPayload - 1, 0);
        std::vector<std::uint8_t> out(frame::MaxEncoded);
        QCOMPARE(frame::Encode(big.data(), big.size(), out.data(), out.size()), std::size_t(0));
        // Escaping doubles the size: the frame must fit into the caller's buffer.
        Bytes allEscaped(8, 0xC0);
        QCOMPARE(frame::Encode(allEscaped.data(), allEscaped.size(), out.data(), 17), std::size_t(0));
        QVERIFY(frame::Encode(allEscaped.data(), allEscaped.size(), out.data(), 24) >= 20);
    }

    void imageCrcOfZeroWord()
    {
        const std::uint8_t zero[4] = {0, 0, 0, 0};
        QCOMPARE(ImageCrc(ImageView{zero, 0, 4}, 0, 4, 0xFFFFFFFFu), 0xC704DD7Bu);
    }

    void emptyChannelTableHeader()
    {
        const TableImage img = EmptyChannelImage();
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(img.data()), 12).toHex(' '),
                 QByteArray("00 01 dc 07 0b 10 ae cd b3 32 cc 0f"));
        for (std::size_t i = 12; i < TableImage::Size; ++i)
            QCOMPARE(img.bytes[i], std::uint8_t(0xFF));
        QVERIFY(VerifyImageCrc(img));
    }

    void anyChangedByteFailsVerify_data()
    {
        QTest::addColumn<int>("offset");
        for (int off : {0, 2, 4, 8, 11, 12, 500, 2011, 2012, 2047})
            QTest::addRow("byte %d", off) << off;
    }
    void anyChangedByteFailsVerify()
    {
        QFETCH(int, offset);
        TableImage img = EmptyChannelImage();
        img.bytes[std::size_t(offset)] ^= 0x40;
        QVERIFY(!VerifyImageCrc(img));
    }

    void crcFieldCannotBeForged()
    {
        TableImage img = EmptyChannelImage();
        const std::uint32_t good = img.crc();
        setU32le(img.data() + TableImage::OffCrc, 0x12345678u);
        setU32le(img.data() + TableImage::OffCrcCompensation,
                 ImageCrc(ImageView::Of(img), TableImage::OffCrc, 4, 0xFFFFFFFFu));
        QVERIFY(!VerifyImageCrc(img));
        QCOMPARE(ImageCrc(ImageView::Of(img), 0, TableImage::Size, 0xFFFFFFFFu), good);
    }

    void requestsOutsideTheView_data()
    {
        QTest::addColumn<quint32>("offset");
        QTest::addColumn<quint32>("count");
        QTest::addColumn<bool>("returnsInitial");
        QTest::newRow("empty at 0") << 0u << 0u << true;
        QTest::newRow("empty at 4") << 4u << 0u << false;
        QTest::newRow("past end") << 2045u << 4u << false;
        QTest::newRow("wraps") << 0xFFFFFFF0u << 0x20u << false;
    }
    void requestsOutsideTheView()
    {
        QFETCH(quint32, offset);
        QFETCH(quint32, count);
        QFETCH(bool, returnsInitial);
        const TableImage img = EmptyChannelImage();
        QCOMPARE(ImageCrc(ImageView::Of(img), offset, count, 0xABCDEF01u), returnsInitial ? 0xABCDEF01u : 0u);
    }

    void bytesTakenInReversedGroups()
    {
        // A plain MSB-first CRC over the bytes in natural order differs.
        const TableImage img = EmptyChannelImage();
        std::uint32_t reg = 0xFFFFFFFFu;
        for (std::size_t i = 0; i < TableImage::Size; ++i) {
            reg ^= std::uint32_t(img.bytes[i]) << 24;
            for (int b = 0; b < 8; ++b)
                reg = (reg & 0x80000000u) ? (reg << 1) ^ 0x04C11DB7u : reg << 1;
        }
        QVERIFY(reg != img.crc());
    }
};

QTEST_APPLESS_MAIN(TestCodec)
#include "tst_codec.moc"
