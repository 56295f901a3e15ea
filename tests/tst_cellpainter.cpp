#include "model/channelscontext.h"
#include "ui/grid/cellpainter.h"
#include "ui/grid/channelgrid.h"

#include <QImage>
#include <QPainter>
#include <QTest>

#include <functional>
#include <numeric>

namespace {

constexpr int kCellWidth = 220;
constexpr int kCellHeight = 60;

const QColor kOdd(240, 240, 240);
const QColor kEven(224, 224, 224);
const QColor kFixed(208, 208, 208);
const QColor kSelected(30, 144, 255);
const QColor kGrey(128, 128, 128);
const QColor kRx(0, 168, 0);
const QColor kTx(168, 0, 0);

Channel Used(std::int32_t rx, std::int32_t tx)
{
    Channel c;
    c.freq_rx = rx;
    c.freq_tx = tx;
    c.active = true;
    return c;
}

// A cell painted on its own canvas, with what the painter decided about it.
struct PaintedCell
{
    QImage image;
    std::array<CellPainter::Line, 4> lines;
    int layout = 0;
    bool rxIcon = false;
    bool txIcon = false;

    QColor at(int x, int y) const { return image.pixelColor(x, y); }
    // Pixels of exactly `colour` inside a rectangle.
    int Count(const QRect &r, const QColor &colour) const
    {
        int n = 0;
        for (int y = std::max(r.top(), 0); y <= std::min(r.bottom(), image.height() - 1); ++y)
            for (int x = std::max(r.left(), 0); x <= std::min(r.right(), image.width() - 1); ++x)
                n += image.pixelColor(x, y) == colour;
        return n;
    }
    QRect Box(int i) const
    {
        const auto &l = lines[std::size_t(i)];
        return QRect(l.x, l.y, l.width, l.height);
    }
};

PaintedCell Paint(CellPainter &painter, const Channel &channel, int row, int column, int state,
                  int width = kCellWidth, int height = kCellHeight)
{
    ChannelsContext table{QString()};
    table.channels[std::size_t(row == 0 ? 0 : row - 1)] = channel;
    PaintedCell cell;
    cell.image = QImage(width, height, QImage::Format_RGB32);
    cell.image.fill(Qt::magenta);
    QPainter p(&cell.image);
    p.setFont(GridFont());
    DrawCell(table, painter, &p, QRect(0, 0, width, height), column, row, state);
    p.end();
    for (int i = 0; i < 4; ++i)
        cell.lines[std::size_t(i)] = painter.line(i);
    cell.layout = painter.layout();
    cell.rxIcon = painter.showRxIcon();
    cell.txIcon = painter.showTxIcon();
    return cell;
}

PaintedCell Paint(const Channel &channel, int row, int column, int state = 0)
{
    CellPainter painter;
    return Paint(painter, channel, row, column, state);
}

using Setup = std::function<void(Channel &, CellPainter &)>;

} // namespace

class TestCellPainter : public QObject
{
    Q_OBJECT

private slots:
    void dataTexts_data()
    {
        QTest::addColumn<Setup>("setup");
        QTest::addColumn<int>("column");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("layout");
        QTest::addColumn<bool>("rxIcon");
        QTest::addColumn<bool>("txIcon");

        auto pair = [](std::int32_t rx, std::int32_t tx, std::function<void(Channel &)> more = {}) -> Setup {
            return [=](Channel &c, CellPainter &) {
                c = Used(rx, tx);
                if (more)
                    more(c);
            };
        };
        const int L1 = CellPainter::LayoutPairs, L2 = CellPainter::LayoutSingle, L3 = CellPainter::LayoutStack;

        QTest::newRow("number") << pair(0, 0) << 0 << QStringList{"41", "", "", ""} << L3 << false << false;
        QTest::newRow("band equal") << pair(41900000, 42000000, [](Channel &c) { c.band_rx = c.band_tx = false; })
                                    << 1 << QStringList{"", "12,5", "", ""} << L2 << false << false;
        QTest::newRow("band differs")
            << pair(41900000, 42000000, [](Channel &c) { c.band_rx = true; c.band_tx = false; }) << 1
            << QStringList{"Rx:", "25,0", "Tx:", "12,5"} << L1 << true << true;
        QTest::newRow("band receive only") << pair(41900000, 0) << 1 << QStringList{"Rx:", "25,0", "", ""} << L1
                                           << true << false;
        QTest::newRow("frequency equal") << pair(150125000, 150125000) << 2
                                         << QStringList{"", "150 125 000", "", ""} << L2 << false << false;
        QTest::newRow("frequency pair") << pair(41900000, 1234) << 2
                                        << QStringList{"Rx:", "41 900 000", "Tx:", "1 234"} << L1 << true << true;
        QTest::newRow("frequency transmit only") << pair(0, 41900000) << 2 << QStringList{"", "", "Tx:", "41 900 000"}
                                                 << L1 << false << true;
        QTest::newRow("subtone equal") << pair(1, 2, [](Channel &c) { c.subtone_rx = c.subtone_tx = 50; }) << 3
                                       << QStringList{"CTCSS:", "254,1", "", ""} << L2 << false << false;
        QTest::newRow("subtone pair") << pair(1, 2, [](Channel &c) { c.subtone_rx = 51; c.subtone_tx = 134; }) << 3
                                      << QStringList{"DCS:", "023", "DCS:", ""} << L1 << false << false;
        QTest::newRow("subtone undefined") << pair(1, 0, [](Channel &c) { c.subtone_rx = 135; }) << 3
                                           << QStringList{"", "", "", ""} << L1 << false << false;
        QTest::newRow("tone equal") << pair(1, 2, [](Channel &c) { c.tone_rx = c.tone_tx = 3000; }) << 4
                                    << QStringList{"", "3000", "", ""} << L2 << false << false;
        QTest::newRow("tone equal 3001") << pair(1, 2, [](Channel &c) { c.tone_rx = c.tone_tx = 3001; }) << 4
                                         << QStringList{"", "", "", ""} << L2 << false << false;
        QTest::newRow("tone 399 and 400") << pair(1, 2, [](Channel &c) { c.tone_rx = 399; c.tone_tx = 400; }) << 4
                                          << QStringList{"", "", "Tx:", "400"} << L1 << false << true;
        QTest::newRow("squelch") << pair(1, 2, [](Channel &c) { c.squelch = 3; }) << 5
                                 << QStringList{"L3", "", "", ""} << L3 << false << false;
        QTest::newRow("squelch common")
            << Setup([](Channel &c, CellPainter &p) {
                   c = Used(1, 2);
                   c.squelch = 3;
                   p.CommonSquelch = true;
                   p.CommonSquelchLevel = 8;
               })
            << 5 << QStringList{"L8", "", "", ""} << L3 << false << false;
        QTest::newRow("power pair") << pair(1, 2, [](Channel &c) { c.tx_power_low = 0; c.tx_power_high = 3; }) << 6
                                    << QStringList{"5/40", "", "", ""} << L3 << false << false;
        QTest::newRow("power equal") << pair(1, 2, [](Channel &c) { c.tx_power_low = c.tx_power_high = 2; }) << 6
                                     << QStringList{"20", "", "", ""} << L3 << false << false;
        QTest::newRow("power low unknown") << pair(1, 2, [](Channel &c) { c.tx_power_low = 7; c.tx_power_high = 1; })
                                           << 6 << QStringList{"?/10", "", "", ""} << L3 << false << false;
        QTest::newRow("power radio watts")
            << Setup([](Channel &c, CellPainter &p) {
                   c = Used(1, 2);
                   c.tx_power_low = 1;
                   c.tx_power_high = 2;
                   p.PowerWatts = {1, 3, 7, 12};
               })
            << 6 << QStringList{"3/7", "", "", ""} << L3 << false << false;
        QTest::newRow("power common level 4")
            << Setup([](Channel &c, CellPainter &p) {
                   c = Used(1, 2);
                   c.tx_power_low = 1;
                   c.tx_power_high = 2;
                   p.CommonTxPower = true;
                   p.CommonTxPowerLevel = 4;
               })
            << 6 << QStringList{"5", "", "", ""} << L3 << false << false;
    }

    void dataTexts()
    {
        QFETCH(Setup, setup);
        QFETCH(int, column);
        QFETCH(QStringList, lines);
        QFETCH(int, layout);
        QFETCH(bool, rxIcon);
        QFETCH(bool, txIcon);
        Channel c;
        CellPainter painter;
        setup(c, painter);
        const PaintedCell cell = Paint(painter, c, 42, column, 0);
        QStringList got;
        for (const auto &l : cell.lines)
            got << l.text;
        QCOMPARE(got, lines);
        QCOMPARE(cell.layout, layout);
        QCOMPARE(cell.rxIcon, rxIcon);
        QCOMPARE(cell.txIcon, txIcon);
    }

    void checkMarks_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<bool>("active");
        QTest::addColumn<bool>("value");
        QTest::addColumn<int>("state");
        QTest::addColumn<QColor>("mark");

        QTest::newRow("active set") << 7 << true << true << 0 << QColor(0, 208, 0);
        QTest::newRow("scan clear") << 8 << true << false << 0 << QColor(208, 0, 0);
        QTest::newRow("scrambler set, selected") << 9 << true << true << int(CellPainter::Selected) << QColor(0, 255, 0);
        QTest::newRow("limit clear, selected") << 10 << true << false << int(CellPainter::Selected)
                                               << QColor(255, 0, 0);
        QTest::newRow("busy, inactive") << 11 << false << true << 0 << kGrey;
    }

    void checkMarks()
    {
        QFETCH(int, column);
        QFETCH(bool, active);
        QFETCH(bool, value);
        QFETCH(int, state);
        QFETCH(QColor, mark);
        Channel c = Used(41900000, 41900000);
        c.active = active;
        c.scan = c.scrambler = c.tx_limit = c.tx_busy = value;
        if (column == 7)
            c.active = value;
        const PaintedCell cell = Paint(c, 3, column, state);
        const int cx = kCellWidth / 2;
        const int cy = kCellHeight / 2;
        // The middle of the mark's stroke: the tick's corner, or the cross's centre.
        const QPoint middle = value ? QPoint(cx - 2, cy + 3) : QPoint(cx, cy);
        QCOMPARE(cell.at(middle.x(), middle.y()), mark);
        // The black outline shows around the mark; the rest is background.
        QVERIFY(cell.Count(QRect(cx - 9, cy - 9, 19, 19), Qt::black) > 0);
        const QColor background = state ? kSelected : kOdd;
        QCOMPARE(cell.at(cx, 4), background);
    }

    // Background, text colours and pictures of whole cells.
    void emptyChannelShowsOnlyItsNumber()
    {
        const Channel empty;
        const PaintedCell number = Paint(empty, 8, 0, CellPainter::Fixed);
        QCOMPARE(number.lines[0].text, QStringLiteral("07"));
        QVERIFY(number.Count(number.Box(0), Qt::black) > 0);
        QCOMPARE(number.at(2, 2), kFixed);
        for (int column = 1; column < CellPainter::Columns; ++column) {
            const PaintedCell cell = Paint(empty, 8, column, 0);
            const QRect inside(1, 1, kCellWidth - 2, kCellHeight - 2);
            QCOMPARE(cell.Count(inside, kEven), inside.width() * inside.height());
            // The white frame closes the cell on every side.
            QCOMPARE(cell.at(0, 0), QColor(Qt::white));
            QCOMPARE(cell.at(kCellWidth - 1, kCellHeight - 1), QColor(Qt::white));
        }
    }

    void receiveOnlyChannel()
    {
        Channel c = Used(41900000, 0);
        c.tone_rx = 1750;
        const PaintedCell freq = Paint(c, 1, 2, 0);
        QCOMPARE(freq.at(5, 5), kOdd);
        // The receive picture where "Rx:" would be, the value in receive green.
        QVERIFY(freq.Count(QRect(freq.lines[0].x, freq.lines[0].y, 24, 18), kRx) > 50);
        QVERIFY(freq.Count(freq.Box(1), kRx) > 0);
        QCOMPARE(freq.Count(QRect(0, kCellHeight / 2, kCellWidth, kCellHeight / 2), kTx), 0);
        const PaintedCell tone = Paint(c, 1, 4, 0);
        QCOMPARE(tone.lines[1].text, QStringLiteral("1750"));
        QVERIFY(tone.Count(tone.Box(1), kRx) > 0);
    }

    void equalPairIsOneRightAlignedValue()
    {
        const Channel c = Used(150125000, 150125000);
        const PaintedCell cell = Paint(c, 1, 2, 0);
        const auto &value = cell.lines[1];
        QCOMPARE(value.x + value.width, kCellWidth - 4);
        QCOMPARE(value.y, (kCellHeight - value.height) / 2);
        QVERIFY(cell.Count(cell.Box(1), Qt::black) > 0);
    }

    void inactiveChannelIsGrey()
    {
        Channel c = Used(41900000, 42000000);
        c.active = false;
        const PaintedCell freq = Paint(c, 1, 2, 0);
        QVERIFY(freq.Count(freq.Box(1), kGrey) > 0);
        QCOMPARE(freq.Count(freq.Box(1), kRx), 0);
        // The inactive pictures are grey too.
        QVERIFY(freq.Count(QRect(freq.lines[0].x, freq.lines[0].y, 24, 18), kGrey) > 50);
        QCOMPARE(freq.Count(QRect(freq.lines[0].x, freq.lines[0].y, 24, 18), kRx), 0);
        const PaintedCell squelch = Paint(c, 1, 5, 0);
        QVERIFY(squelch.Count(squelch.Box(0), kGrey) > 0);
        QCOMPARE(squelch.Count(squelch.Box(0), Qt::black), 0);
        // The channel number stays black.
        const PaintedCell number = Paint(c, 1, 0, CellPainter::Fixed);
        QVERIFY(number.Count(number.Box(0), Qt::black) > 0);
    }

    void selectedChannel()
    {
        const Channel c = Used(41900000, 42000000);
        const PaintedCell freq = Paint(c, 1, 2, CellPainter::Selected | CellPainter::Focused);
        QCOMPARE(freq.at(kCellWidth / 2, 2), kSelected);
        QVERIFY(freq.Count(freq.Box(1), QColor(128, 255, 128)) > 0);
        QVERIFY(freq.Count(freq.Box(3), QColor(255, 128, 128)) > 0);
        const PaintedCell power = Paint(c, 1, 6, CellPainter::Selected);
        QVERIFY(power.Count(power.Box(0), Qt::white) > 0);
        QCOMPARE(power.Count(power.Box(0), Qt::black), 0);
    }

    void headerDoesNotDependOnChannelZero_data()
    {
        QTest::addColumn<bool>("active");
        QTest::newRow("channel 0 active") << true;
        QTest::newRow("channel 0 inactive") << false;
    }

    void headerDoesNotDependOnChannelZero()
    {
        QFETCH(bool, active);
        Channel zero = Used(41900000, 41900000);
        zero.active = active;
        for (int column = 0; column < CellPainter::Columns; ++column) {
            const PaintedCell cell = Paint(zero, 0, column, CellPainter::Fixed);
            QCOMPARE(cell.lines[0].text, CellPainter::HeaderTexts(column)[0]);
            QCOMPARE(cell.at(2, 2), kFixed);
            // Grey text would have no black pixel at all.
            QVERIFY(cell.Count(cell.Box(0), Qt::black) > 0);
        }
    }

    void nothingCarriesIntoTheNextCell()
    {
        CellPainter painter;
        Channel c = Used(41900000, 42000000);
        c.tx_power_low = 0;
        c.tx_power_high = 3;
        Paint(painter, c, 1, 2, 0);
        Paint(painter, c, 1, 6, 0);
        QCOMPARE(painter.line(0).text, QStringLiteral("5/40"));
        QVERIFY(!painter.showRxIcon());
        QVERIFY(painter.line(2).text.isEmpty());
    }

    // Sizing.
    void dataCellsAreAtLeast44High()
    {
        QImage canvas(1, 1, QImage::Format_RGB32);
        QPainter p(&canvas);
        p.setFont(GridFont());
        CellPainter measurer;
        measurer.BeginCell(&p, QRect(), 0);
        for (int column = 0; column < CellPainter::Columns; ++column)
            QVERIFY(measurer.MeasureCell(1, column).height() >= CellPainter::MinDataHeight);
        QCOMPARE(measurer.MeasureCell(1, 9), QSize(28, 44));
        const QFontMetrics fm(GridFont(), &canvas);
        QCOMPARE(measurer.MeasureCell(1, 2).width(), fm.horizontalAdvance(QStringLiteral("Rx: 000 000 000")) + 8);
        // The tallest header has four lines.
        QCOMPARE(measurer.MeasureCell(0, 10).height(), 4 * (fm.height() + 2) + 8);
    }

    void columnsFillTheClientWidth_data()
    {
        QTest::addColumn<int>("clientWidth");
        QTest::newRow("1258") << 1258;
        QTest::newRow("1259") << 1259;
        QTest::newRow("1921") << 1921;
        QTest::newRow("4001") << 4001;
    }

    void columnsFillTheClientWidth()
    {
        QFETCH(int, clientWidth);
        const GridMetrics natural = MeasureGrid(GridFont(), 96, 0);
        const int sum = std::accumulate(natural.columnWidths.begin(), natural.columnWidths.end(), 0);
        if (sum >= clientWidth)
            QSKIP("the columns need more than this width with the installed font");
        const GridMetrics m = MeasureGrid(GridFont(), 96, clientWidth);
        QCOMPARE(std::accumulate(m.columnWidths.begin(), m.columnWidths.end(), 0), clientWidth);
        for (int c = 0; c < CellPainter::Columns - 1; ++c)
            QCOMPARE(m.columnWidths[std::size_t(c)], natural.columnWidths[std::size_t(c)] * clientWidth / sum);
        QCOMPARE(m.headerHeight, natural.headerHeight);
        QCOMPARE(m.rowHeight, natural.rowHeight);
    }

    void narrowClientKeepsNaturalWidths()
    {
        const GridMetrics natural = MeasureGrid(GridFont(), 96, 0);
        const GridMetrics narrow = MeasureGrid(GridFont(), 96, 300);
        QCOMPARE(narrow.columnWidths, natural.columnWidths);
        for (int c = 0; c < CellPainter::Columns; ++c)
            QVERIFY(natural.columnWidths[std::size_t(c)] >= 28);
    }

    // The grid keeps its measurement while only the width changes; a new
    // font must be measured again.
    void gridSizingFollowsWidthAndFont_data()
    {
        QTest::addColumn<int>("points"); // 0: the grid's own font
        QTest::addColumn<int>("width");
        QTest::newRow("wider") << 0 << 1900;
        QTest::newRow("narrower") << 0 << 500;
        QTest::newRow("larger font") << 16 << 1900;
        QTest::newRow("smaller font") << 8 << 1200;
    }
    void gridSizingFollowsWidthAndFont()
    {
        QFETCH(int, points);
        QFETCH(int, width);
        ChannelsContext channels{QString()};
        CellPainter painter;
        ChannelGrid grid(channels, painter);
        grid.resize(1000, 500);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        QFont font = grid.font();
        if (points > 0)
            font.setPointSize(points);
        grid.setFont(font);
        grid.resize(width, 500);
        grid.SizeGrid();
        const GridMetrics fresh = MeasureGrid(font, grid.logicalDpiY(), grid.viewport()->width());
        QCOMPARE(grid.metrics().columnWidths, fresh.columnWidths);
        QCOMPARE(grid.metrics().headerHeight, fresh.headerHeight);
        QCOMPARE(grid.metrics().rowHeight, fresh.rowHeight);
    }
};

QTEST_MAIN(TestCellPainter)
#include "tst_cellpainter.moc"
