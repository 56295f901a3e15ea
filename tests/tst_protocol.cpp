#include "link/protocol.h"
#include "model/bytes.h"

#include <QTest>

#include <array>

using namespace protocol;

namespace {

// A read reply: command, spare byte, block, then `n` data bytes of which the
// first four are an image header announcing `length`.
QByteArray ReadReply(std::uint16_t block, int n, std::uint16_t length, std::uint8_t cmd = CmdReadBlock)
{
    QByteArray p(4 + n, char(0x5A));
    p[0] = char(cmd);
    p[1] = char(0xEE);
    setU16le(reinterpret_cast<std::uint8_t *>(p.data()) + 2, block);
    if (n >= 4)
        setU16le(reinterpret_cast<std::uint8_t *>(p.data()) + 6, length);
    return p;
}

} // namespace

class TestProtocol : public QObject
{
    Q_OBJECT
private slots:
    void readReply_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<int>("block");
        QTest::addColumn<int>("imageLength");  // length already held from slot 0
        QTest::addColumn<int>("code");          // -1: good
        QTest::addColumn<bool>("done");

        QTest::newRow("slot 0 full block") << ReadReply(0, 512, 2012) << 0 << 0 << -1 << false;
        QTest::newRow("slot 0 whole short table") << ReadReply(4, 34, 34) << 4 << 0 << -1 << true;
        QTest::newRow("slot 0 short block of long table") << ReadReply(0, 500, 2012) << 0 << 0 << int(ErrBlockLength) << false;
        QTest::newRow("slot 0 more than the table") << ReadReply(4, 40, 34) << 4 << 0 << int(ErrBlockLength) << false;
        QTest::newRow("slot 0 below a header") << ReadReply(0, 3, 0) << 0 << 0 << int(ErrBlockLength) << false;
        QTest::newRow("payload below 4") << QByteArray("\x02\x00\x00", 3) << 0 << 0 << int(ErrBlockLength) << false;
        QTest::newRow("wrong command") << ReadReply(0, 512, 2012, CmdWriteBlock) << 0 << 0 << int(ErrBadReply) << false;
        QTest::newRow("wrong block") << ReadReply(1, 512, 2012) << 0 << 0 << int(ErrBadReply) << false;
        QTest::newRow("slot 3 last bytes") << ReadReply(3, 476, 0) << 3 << 2012 << -1 << true;
        QTest::newRow("slot 3 runs past the image") << ReadReply(3, 477, 0) << 3 << 2012 << int(ErrBlockLength) << false;
        QTest::newRow("slot 1 short though more follows") << ReadReply(1, 511, 0) << 1 << 2012 << int(ErrBlockLength) << false;
        QTest::newRow("slot 1 empty") << ReadReply(1, 0, 0) << 1 << 2012 << int(ErrBlockLength) << false;
        QTest::newRow("slot 2 ends the table") << ReadReply(2, 100, 0) << 2 << 1124 << -1 << true;
    }
    void readReply()
    {
        QFETCH(QByteArray, reply);
        QFETCH(int, block);
        QFETCH(int, imageLength);
        QFETCH(int, code);
        QFETCH(bool, done);
        std::array<std::uint8_t, 2048> image;
        image.fill(0xFF);
        if (imageLength)
            setU16le(image.data() + 2, std::uint16_t(imageLength));
        bool isDone = false;
        const Check c = CheckReadReply(reinterpret_cast<const std::uint8_t *>(reply.constData()),
                                       std::size_t(reply.size()), std::uint16_t(block), image.data(), isDone);
        QCOMPARE(c.ok, code < 0);
        QCOMPARE(c.code, code < 0 ? 0 : code);
        QCOMPARE(isDone, done);
        if (c.ok) {
            const std::size_t pos = (block & 3) * 512;
            QCOMPARE(image[pos + 4 + ((block & 3) ? 0 : 4)], std::uint8_t(0x5A));
        }
    }

    void writeReply_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<int>("code");
        QTest::newRow("good") << QByteArray::fromHex("03aa0500") << -1;
        QTest::newRow("five bytes") << QByteArray::fromHex("03aa050000") << int(ErrBlockLength);
        QTest::newRow("read command") << QByteArray::fromHex("02aa0500") << int(ErrBadReply);
        QTest::newRow("other block") << QByteArray::fromHex("03aa0600") << int(ErrBadReply);
    }
    void writeReply()
    {
        QFETCH(QByteArray, reply);
        QFETCH(int, code);
        const Check c = CheckWriteReply(reinterpret_cast<const std::uint8_t *>(reply.constData()),
                                        std::size_t(reply.size()), 5);
        QCOMPARE(c.ok, code < 0);
        QCOMPARE(c.code, code < 0 ? 0 : code);
    }

    void infoReply_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<int>("sub");
        QTest::addColumn<int>("code");  // -1 good, 0 fails without code
        QTest::newRow("main") << (QByteArray::fromHex("0100") + QByteArray(122, 'a')) << 0 << -1;
        QTest::newRow("extended") << (QByteArray::fromHex("0101") + QByteArray(104, 'a')) << 1 << -1;
        QTest::newRow("main too short") << (QByteArray::fromHex("0100") + QByteArray(121, 'a')) << 0 << int(ErrBlockLength);
        QTest::newRow("extended too long") << (QByteArray::fromHex("0101") + QByteArray(105, 'a')) << 1 << int(ErrBlockLength);
        QTest::newRow("other sub-command") << (QByteArray::fromHex("0101") + QByteArray(104, 'a')) << 0 << int(ErrBadReply);
        QTest::newRow("other command") << (QByteArray::fromHex("0200") + QByteArray(122, 'a')) << 0 << int(ErrBadReply);
        QTest::newRow("unknown sub-command") << (QByteArray::fromHex("0102") + QByteArray(10, 'a')) << 2 << 0;
    }
    void infoReply()
    {
        QFETCH(QByteArray, reply);
        QFETCH(int, sub);
        QFETCH(int, code);
        std::array<std::uint8_t, 2048> out{};
        const Check c = CheckInfoReply(reinterpret_cast<const std::uint8_t *>(reply.constData()),
                                       std::size_t(reply.size()), std::uint8_t(sub), out.data());
        QCOMPARE(c.ok, code < 0);
        QCOMPARE(c.code, code < 0 ? 0 : code);
        QCOMPARE(out[0], std::uint8_t(c.ok ? 'a' : 0));
    }

    void writeRequestsOfAChannelTable()
    {
        std::array<std::uint8_t, 2048> image;
        for (std::size_t i = 0; i < image.size(); ++i)
            image[i] = std::uint8_t(i * 7);
        setU16le(image.data() + 2, 2012);
        std::array<std::uint8_t, 600> out{};
        QList<int> lengths;
        bool done = false;
        for (std::uint16_t block = 0; block < 4 && !done; ++block) {
            const std::size_t n = BuildWriteRequest(image.data(), block, out.data(), done);
            lengths.append(int(n));
            QCOMPARE(out[0], CmdWriteBlock);
            QCOMPARE(getU16le(out.data() + 2), block);
            QCOMPARE(out[4 + 10], image[block * 512 + 10]);
        }
        QCOMPARE(lengths, (QList<int>{516, 516, 516, 480}));
        QVERIFY(done);
    }

    void shortTableIsOneBlock()
    {
        std::array<std::uint8_t, 2048> image;
        image.fill(0xFF);
        setU16le(image.data() + 2, 46);
        std::array<std::uint8_t, 600> out{};
        bool done = false;
        QCOMPARE(BuildWriteRequest(image.data(), 4, out.data(), done), std::size_t(50));
        QVERIFY(done);
    }

    void progress_data()
    {
        QTest::addColumn<quint32>("done");
        QTest::addColumn<quint32>("partial");
        QTest::addColumn<quint32>("total");
        QTest::addColumn<quint32>("progress");
        QTest::newRow("start") << 0u << 0u << 2046u << 1u;
        QTest::newRow("after channel table") << 2012u << 0u << 2046u << 97u;
        QTest::newRow("all done is 99") << 2046u << 0u << 2046u << 99u;
        QTest::newRow("half") << 0u << 1023u << 2046u << 50u;
        QTest::newRow("large weights do not overflow") << 0xFFFFFFF0u << 0u << 0xFFFFFFFFu << 98u;
    }
    void progress()
    {
        QFETCH(quint32, done);
        QFETCH(quint32, partial);
        QFETCH(quint32, total);
        QFETCH(quint32, progress);
        QCOMPARE(ComputeProgress(done, partial, total), progress);
    }

    void errorMessages()
    {
        QCOMPARE(ErrorMessage(ErrNoReply), QStringLiteral("Ошибка. Ответ не получен за отведенное время!!!"));
        QCOMPARE(ErrorMessage(ErrChecksum), QStringLiteral("Ошибка контрольной суммы !!!"));
        QCOMPARE(ErrorMessage(99), QStringLiteral("Ошибка!!!"));
    }
};

QTEST_APPLESS_MAIN(TestProtocol)
#include "tst_protocol.moc"
