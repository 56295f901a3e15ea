// Writes the seed corpora of the fuzz targets into <folder>/<target>/, each seed
// made with the project's own encoders: frames of every command and reply,
// information replies, table images, configuration and range list files, and
// the broken files the tests use. Run it again after a format changes:
//   build-fuzz/bin/make_seeds fuzz/corpus

#include "link/framecodec.h"
#include "link/protocol.h"
#include "model/bytes.h"
#include "model/channelscontext.h"
#include "model/configdocument.h"
#include "model/freqrangelist.h"
#include "model/infocontext.h"
#include "model/settingscontext.h"

#include <QDir>
#include <QFile>

#include <cstdio>

namespace {

QString g_root;

void Seed(const char *target, const char *name, const QByteArray &bytes)
{
    const QString dir = QDir(g_root).filePath(QLatin1String(target));
    QDir().mkpath(dir);
    QFile f(QDir(dir).filePath(QLatin1String(name)));
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        std::fprintf(stderr, "make_seeds: cannot write %s/%s\n", target, name);
}

QByteArray Bytes(const std::uint8_t *p, std::size_t n)
{
    return QByteArray(reinterpret_cast<const char *>(p), qsizetype(n));
}

// A whole frame on the wire, delimiters included.
QByteArray Frame(const QByteArray &payload)
{
    std::uint8_t out[frame::MaxEncoded];
    const std::size_t n = frame::Encode(reinterpret_cast<const std::uint8_t *>(payload.constData()), std::size_t(payload.size()),
                                        out, sizeof out);
    return Bytes(out, n);
}

QByteArray Image(const TableImage &image)
{
    return Bytes(image.data(), TableImage::Size);
}

ChannelsContext &PlanTable()
{
    static ChannelsContext table{QString()};
    static bool built = false;
    if (!built) {
        table.ApplyFrequencyPlan(false);
        Channel &c = table.channels[9];
        c.freq_rx = 40000000;
        c.freq_tx = 45012500;
        c.tone_rx = 1750;
        c.subtone_rx = 12;
        c.subtone_tx = 60;
        c.tx_power_low = 1;
        c.tx_power_high = 2;
        c.squelch = 5;
        c.scrambler = true;
        built = true;
    }
    return table;
}

QByteArray MainReply(std::uint16_t base, std::uint16_t step, std::uint16_t first, std::uint16_t last)
{
    std::array<std::uint8_t, TInfoContext::MainLength> d{};
    setU32le(&d[0], 7);
    setU32le(&d[4], 1001);
    std::memcpy(&d[8], "1.05", 4);
    std::memcpy(&d[18], "KDT10", 5);
    std::memcpy(&d[23], "KORDAN 7K-40BM", 14);
    setU16le(&d[98], base);
    setU16le(&d[100], base);
    setU16le(&d[104], step);
    setU16le(&d[106], first);
    setU16le(&d[108], last);
    return Bytes(d.data(), d.size());
}

QByteArray ExtendedReply()
{
    std::array<std::uint8_t, TInfoContext::ExtendedLength> d{};
    setU16le(&d[0], 0x1203);
    setU32le(&d[4], 8192);
    setU32le(&d[12], 118784);
    const std::uint16_t tags[][2] = {{0, 0x0100}, {4, 0x0102}, {8, 0x0101}, {12, 0x0300}};
    for (int i = 0; i < 16; ++i) {
        setU16le(&d[20 + 4 * i], i < 4 ? tags[i][0] : 0xFFFF);
        setU16le(&d[22 + 4 * i], i < 4 ? tags[i][1] : 0);
    }
    setU32le(&d[96], 131072);
    d[100] = 5;
    d[101] = 10;
    d[102] = 20;
    d[103] = 40;
    return Bytes(d.data(), d.size());
}

void FrameSeeds()
{
    TableImage channels;
    PlanTable().EncodeImage(channels, ChannelsContext::TableVersion);
    std::uint8_t write[4 + protocol::BlockSize];
    bool done = false;
    const std::size_t n = protocol::BuildWriteRequest(channels.data(), 1, write, done);
    const QList<std::pair<const char *, QByteArray>> payloads = {
        {"info0", QByteArray::fromHex("0100")},
        {"read_block2", QByteArray::fromHex("02000200")},
        {"write_block1", Bytes(write, n)},
        {"write_reply", QByteArray::fromHex("03000100")},
        {"info_reply", QByteArray::fromHex("0100") + MainReply(2640, 12500, 0, 1240)},
        {"read_reply", QByteArray::fromHex("02000000") + Image(channels).left(int(protocol::BlockSize))},
        {"escapes", QByteArray::fromHex("7dc0c17d5de0e1c0c1")},
    };
    for (const auto &[name, payload] : payloads) {
        const QByteArray wire = Frame(payload);
        Seed("fuzz_frame", name, wire.mid(1, wire.size() - 2));  // the body between the delimiters
    }
}

// Receiver scripts: records of a control byte and up to 63 bytes (see fuzz_receiver.cpp).
QByteArray Chunked(const QByteArray &stream, int chunk)
{
    QByteArray script;
    for (qsizetype i = 0; i < stream.size(); i += chunk) {
        const QByteArray part = stream.mid(i, chunk);
        script += char(part.size()) + part;
    }
    return script;
}

void ReceiverSeeds()
{
    const QByteArray info = Frame(QByteArray::fromHex("0100") + MainReply(2640, 12500, 0, 1240));
    const QByteArray write = Frame(QByteArray::fromHex("03000100"));
    Seed("fuzz_receiver", "two_frames", Chunked(info + write, 63));
    Seed("fuzz_receiver", "small_chunks", Chunked(QByteArray("noise") + write + info, 7));
    Seed("fuzz_receiver", "echo_then_reply", Chunked(Frame(QByteArray::fromHex("0100")) + info, 40));
    Seed("fuzz_receiver", "silence_and_lies", char(0x40) + Chunked(write.left(3), 63) + char(0x80) + char(0x80) + char(0x40)
                                                  + Chunked(write.mid(3), 63));
    Seed("fuzz_receiver", "read_error", Chunked(info.left(30), 30) + char(0xC0) + Chunked(info, 63));
}

void InfoSeeds()
{
    Seed("fuzz_info", "default_radio", MainReply(2640, 12500, 0, 1240) + ExtendedReply());
    Seed("fuzz_info", "narrow_radio", MainReply(2640, 12500, 0, 100) + ExtendedReply());
    Seed("fuzz_info", "past_32_bits", MainReply(4580, 65535, 65534, 65535) + ExtendedReply());
}

void ImageSeeds()
{
    TableImage channels;
    PlanTable().EncodeImage(channels, ChannelsContext::TableVersion);
    Seed("fuzz_channel_image", "plan_sealed_here", char(0) + Image(channels));
    Seed("fuzz_channel_image", "plan_as_sent", char(3) + Image(channels));
    ChannelsContext empty{QString()};
    empty.EncodeImage(channels, ChannelsContext::TableVersion);
    Seed("fuzz_channel_image", "empty_as_sent", char(3) + Image(channels));

    SettingsContext settings;
    settings.Volume = 3;
    settings.ID = 77;
    settings.Squelch = 8;
    for (int v = 0; v < 3; ++v) {
        TableImage image;
        settings.EncodeImage(image, std::uint16_t(SettingsContext::Version100 + v));
        const QByteArray name = "version_1_0" + QByteArray::number(v);
        Seed("fuzz_settings_image", name.constData(), char(v) + Image(image));
        Seed("fuzz_settings_image", (name + "_as_sent").constData(), char(3 | 4) + Image(image));
    }
}

void XmlSeeds()
{
    ChannelsContext &table = PlanTable();
    FreqRange wide;
    wide.AddRx(33000000, 48500000);
    wide.AddRx(300000000, 337000000);
    wide.AddTx(33000000, 48500000);
    wide.AddTx(300000000, 337000000);
    table.ranges.Select(table.ranges.Add(&wide));
    SettingsContext settings;
    settings.version = SettingsContext::Version102;
    Seed("fuzz_config", "saved", ConfigurationDocument::Serialize(table, settings));
    Seed("fuzz_config", "any_order",
         "<?xml version=\"1.0\" encoding=\"windows-1251\"?><root><Settings version='258'><Volume> 0x4</Volume><Squelch>$8</Squelch>"
         "</Settings><Channels><channel id='0x0A'><freq_rx>40000000</freq_rx><scan>1</scan></channel><channel id=' 7'/>"
         "<channel id='100'/><channel id='7'><freq_tx><![CDATA[45000000]]></freq_tx></channel></Channels></root>");
    Seed("fuzz_config", "value_holds_element", "<root><Channels/><Settings><Volume><b>1</b></Volume></Settings></root>");
    Seed("fuzz_config", "not_a_configuration", "<html><body/></html>");
    Seed("fuzz_config", "truncated", "<root><FreqRange><rx0 begin='300000000' end='337000000'/></FreqRange><Channels><channel id='1'>");

    FreqRangeList list;
    list.Add(&wide);
    FreqRange radio;
    radio.AddRx(33000000, 34250000);
    radio.AddTx(33000000, 34250000);
    list.Add(&radio);
    Seed("fuzz_rangelist", "saved", list.ToXml());
    Seed("fuzz_rangelist", "default", FreqRangeList().ToXml());
    Seed("fuzz_rangelist", "skipped_entries",
         "<root><FreqRangeList><freqrange/><FreqRange><rx0 begin='5' end='4'/><tx0 begin='5' end='4'/></FreqRange>"
         "<FreqRange><rx0 begin='1' end='2'/><rx2 begin='5' end='6'/><tx0 begin='1' end='9'/></FreqRange></FreqRangeList></root>");
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_seeds <corpus folder>\n");
        return 2;
    }
    g_root = QString::fromLocal8Bit(argv[1]);
    FrameSeeds();
    ReceiverSeeds();
    InfoSeeds();
    ImageSeeds();
    XmlSeeds();
    return 0;
}
