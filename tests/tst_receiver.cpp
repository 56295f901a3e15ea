#include "link/framereceiver.h"
#include "scripteddevice.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

QByteArray Frame(const QByteArray &payload)
{
    std::uint8_t out[frame::MaxEncoded];
    const std::size_t n = frame::Encode(reinterpret_cast<const std::uint8_t *>(payload.constData()),
                                        std::size_t(payload.size()), out, sizeof out);
    return QByteArray(reinterpret_cast<const char *>(out), qsizetype(n));
}

QByteArray Payload(const FrameReceiver &rx)
{
    std::uint8_t out[frame::MaxPayload];
    std::size_t n = 0;
    if (frame::Decode(rx.raw(), rx.rawLength(), out, n) != frame::DecodeStatus::Ok)
        return QByteArray("<bad>");
    return QByteArray(reinterpret_cast<const char *>(out), qsizetype(n));
}

using R = FrameReceiver::Result;

QByteArray B(const char *hex)
{
    return QByteArray::fromHex(hex);
}

} // namespace

class TestReceiver : public QObject
{
    Q_OBJECT
private slots:
    // Each row: chunks the device delivers, then the payloads of the receptions
    // that follow, "!" standing for a failed reception.
    void sequences_data()
    {
        QTest::addColumn<QList<QByteArray>>("chunks");
        QTest::addColumn<QList<QByteArray>>("expected");
        const QByteArray a = Frame(B("0100"));
        const QByteArray pb("\x02\x00\x01\x00" "data\xc0\x7d", 10);
        const QByteArray b = Frame(pb);
        QTest::newRow("noise before start skipped") << QList<QByteArray>{"\x11\x22\xc1\x7d" + a} << QList<QByteArray>{B("0100")};
        QTest::newRow("bytes after end kept") << QList<QByteArray>{a + b} << QList<QByteArray>{B("0100"), pb};
        QTest::newRow("frame across chunks") << QList<QByteArray>{b.left(3), b.mid(3, 4), b.mid(7)} << QList<QByteArray>{pb};
        QTest::newRow("start inside frame resyncs on it") << QList<QByteArray>{a.left(3) + b} << QList<QByteArray>{"!", pb};
        QTest::newRow("truncated frame ends in silence")
            << QList<QByteArray>{a.left(3)} << QList<QByteArray>{"!"};
        QTest::newRow("escape pair split over chunks") << QList<QByteArray>{b.left(b.indexOf('\x7d') + 1), b.mid(b.indexOf('\x7d') + 1)}
                                                       << QList<QByteArray>{pb};
    }
    void sequences()
    {
        QFETCH(QList<QByteArray>, chunks);
        QFETCH(QList<QByteArray>, expected);
        ScriptedDevice dev(chunks);
        FrameReceiver rx;
        for (const QByteArray &want : expected) {
            const R r = rx.Receive(dev);
            if (want == "!") {
                QVERIFY(r != R::Frame);
            } else {
                QCOMPARE(r, R::Frame);
                QCOMPARE(Payload(rx), want);
            }
        }
    }

    void partialFrameIsDroppedAfterSilence()
    {
        const QByteArray a = Frame(B("0100"));
        ScriptedDevice dev({a.left(4)});
        FrameReceiver rx;
        QCOMPARE(rx.Receive(dev), R::Silence);
        QVERIFY(rx.hunting());
        // The rest of the broken frame arrives late, then a good one.
        dev.Append(a.mid(4) + Frame(B("0101")));
        QCOMPARE(rx.Receive(dev), R::Frame);
        QCOMPARE(Payload(rx), QByteArray(B("0101")));
    }

    void silenceEndsAfterTwentyEmptyWaits()
    {
        QList<QByteArray> chunks(19, QByteArray());
        chunks.append(Frame(B("0100")));
        ScriptedDevice dev(chunks);
        FrameReceiver rx;
        QCOMPARE(rx.Receive(dev), R::Frame);  // 19 silent waits are not enough to give up

        QList<QByteArray> longer(20, QByteArray());
        longer.append(Frame(B("0100")));
        ScriptedDevice dev2(longer);
        QCOMPARE(rx.Receive(dev2), R::Silence);
        QCOMPARE(dev2.waits(), FrameReceiver::MaxWaits);
    }

    void bytesResetTheSilenceCount()
    {
        // A slow frame: a byte, then silence, many times over. Only silence in a
        // row counts, so it still arrives.
        const QByteArray a = Frame(QByteArray(30, 'x'));
        QList<QByteArray> chunks;
        for (char c : a) {
            chunks.append(QByteArray(1, c));
            for (int i = 0; i < 5; ++i)
                chunks.append(QByteArray());
        }
        ScriptedDevice dev(chunks);
        FrameReceiver rx;
        QCOMPARE(rx.Receive(dev), R::Frame);
    }

    void overlongBodyFails()
    {
        QByteArray flood(1, char(0xC0));
        flood += QByteArray(int(frame::MaxRawBody) + 10, 'a');
        ScriptedDevice dev({flood, Frame(B("0100"))});
        FrameReceiver rx;
        QCOMPARE(rx.Receive(dev), R::Broken);
        QCOMPARE(rx.Receive(dev), R::Frame);
    }

    void endlessNoiseIsBounded()
    {
        // Noise without a frame start never completes: the reception ends after
        // a bounded number of bytes instead of reading forever.
        QList<QByteArray> chunks;
        for (int i = 0; i < 200; ++i)
            chunks.append(QByteArray(256, 'n'));
        ScriptedDevice dev(chunks);
        FrameReceiver rx;
        QCOMPARE(rx.Receive(dev), R::Broken);
        QVERIFY(dev.waits() < 200);
    }

    void randomStreamsNeverBreakTheReceiver()
    {
        // Noise of every kind, rich in delimiters and escapes: every reception
        // ends in a frame or a failure, and every frame decodes or is refused.
        QRandomGenerator rng(1234);
        const char alphabet[] = {'\xc0', '\xc1', '\x7d', '\x5d', '\xe0', '\xe1', '\x01', '\x02'};
        for (int round = 0; round < 200; ++round) {
            QList<QByteArray> chunks;
            for (int c = 0; c < 20; ++c) {
                QByteArray chunk;
                const int n = int(rng.bounded(300));
                for (int i = 0; i < n; ++i)
                    chunk += rng.bounded(2) ? alphabet[rng.bounded(8)] : char(rng.bounded(256));
                chunks.append(chunk);
            }
            ScriptedDevice dev(chunks);
            FrameReceiver rx;
            for (int i = 0; i < 40; ++i) {
                if (rx.Receive(dev) == R::Frame) {
                    QVERIFY(rx.rawLength() <= frame::MaxRawBody);
                    std::uint8_t out[frame::MaxPayload];
                    std::size_t n = 0;
                    if (frame::Decode(rx.raw(), rx.rawLength(), out, n) == frame::DecodeStatus::Ok)
                        QVERIFY(n + 2 <= frame::MaxPayload);
                }
            }
        }
    }

    // A device whose wait reports data that its reads never deliver (seen with
    // a vanishing adapter): every empty read counts, so the reception ends.
    void waitThatLiesIsAnEmptyWait()
    {
        struct LyingDevice : QIODevice
        {
            std::atomic<bool> abort{false};
            int reads = 0;
            LyingDevice() { open(QIODevice::ReadOnly | QIODevice::Unbuffered); }
            bool waitForReadyRead(int) override { return true; }
            qint64 bytesAvailable() const override { return 1; }
            qint64 readData(char *, qint64) override
            {
                if (++reads > 1000)
                    abort = true;  // ends the old endless loop, so this test fails instead of hanging
                return 0;
            }
            qint64 writeData(const char *, qint64 size) override { return size; }
        } dev;
        FrameReceiver rx;
        QCOMPARE(rx.Receive(dev, &dev.abort), R::Silence);
        QCOMPARE(dev.reads, FrameReceiver::MaxWaits + 1);
    }

    void abortFlagStopsWaiting()
    {
        ScriptedDevice dev({});
        std::atomic<bool> abort{true};
        FrameReceiver rx;
        QCOMPARE(rx.Receive(dev, &abort), R::Aborted);
        QCOMPARE(dev.waits(), 0);
    }
};

QTEST_APPLESS_MAIN(TestReceiver)
#include "tst_receiver.moc"
