// The channel grid's painter: what each cell shows and how it is drawn.

#include "ui/grid/cellpainter.h"

#include "job/language.h"

#include "model/channelscontext.h"
#include "model/subtones.h"
#include "ui/grid/pictures.h"
#include "xml/xml_common.h"

#include <QCoreApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QStaticText>

#include <algorithm>
#include <numeric>

namespace {

// The texts of this file, for Qt Linguist.
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(CellPainter)
};

const QColor kFixedBackground(208, 208, 208);
const QColor kSelectedBackground(30, 144, 255);
const QColor kOddBackground(240, 240, 240);
const QColor kEvenBackground(224, 224, 224);
const QColor kInactive(128, 128, 128);
const QColor kRx(0, 168, 0);
const QColor kRxSelected(128, 255, 128);
const QColor kTx(168, 0, 0);
const QColor kTxSelected(255, 128, 128);
const QColor kMarkSet(0, 208, 0);
const QColor kMarkClear(208, 0, 0);
const QColor kMarkSetSelected(0, 255, 0);
const QColor kMarkClearSelected(255, 0, 0);

// Resource names of the receive and transmit pictures, in the order normal,
// selected, inactive.
constexpr const char *kPictureNames[6] = {"ico_Rx_text",   "ico_Rx_text_sel", "ico_Rx_text_reserve",
                                          "ico_Tx_text",   "ico_Tx_text_sel", "ico_Tx_text_reserve"};
constexpr int kPictureSize = 32;

// The pictures are the same for every painter (the grid's and the temporary
// ones made for measuring), so they are rendered once, on first use. Images,
// not pixmaps: they outlive the application object.
const std::array<QImage, 6> &Pictures()
{
    static const std::array<QImage, 6> pictures = [] {
        std::array<QImage, 6> out;
        for (int i = 0; i < 6; ++i)
            out[std::size_t(i)] = SvgImage(QStringLiteral(":/%1").arg(QLatin1String(kPictureNames[i])),
                                            QSize(kPictureSize, kPictureSize));
        return out;
    }();
    return pictures;
}

bool ToneShown(std::int32_t tone)
{
    return tone >= 400 && tone <= 3000;
}

QString BandText(bool wide)
{
    return LocalDecimal(wide ? QStringLiteral("25,0") : QStringLiteral("12,5"));
}

QString FrequencyText(std::int32_t hertz)
{
    return hertz >= 1 ? GroupDigits(QString::number(hertz)) : QString();
}

} // namespace

CellPainter::CellPainter() = default;

const std::array<QString, 4> &CellPainter::HeaderTexts(int column)
{
    // Made once per language: the grid asks for them at every paint.
    static QString madeFor;
    static std::array<std::array<QString, 4>, Columns + 1> texts;
    if (madeFor != language::Current()) {
        madeFor = language::Current();
        std::array<std::array<QString, 4>, Columns + 1> &t = texts;
        t[0] = {Tr::tr("Канал"), {}, {}, {}};
        t[1] = {Tr::tr("Полоса"), Tr::tr("(кГц)"), {}, {}};
        t[2] = {Tr::tr("Рабочая"), Tr::tr("частота"), Tr::tr("(Гц)"), {}};
        t[3] = {Tr::tr("Субтон"), Tr::tr("CTCSS(Гц)"), Tr::tr("или"), Tr::tr("DCS")};
        t[4] = {Tr::tr("Вызывной"), Tr::tr("тон"), Tr::tr("(Гц)"), {}};
        t[5] = {Tr::tr("Порог"), Tr::tr("ШП"), {}, {}};
        t[6] = {Tr::tr("Мощность"), Tr::tr("передачи", "power"), Tr::tr("мин/макс"), Tr::tr("(Вт)")};
        t[7] = {Tr::tr("Рабочий"), Tr::tr("канал"), {}, {}};
        t[8] = {Tr::tr("Скан"), {}, {}, {}};
        t[9] = {Tr::tr("УПР"), {}, {}, {}};
        t[10] = {Tr::tr("Время"), Tr::tr("непрерывной"), Tr::tr("передачи", "time"), Tr::tr("ограничено")};
        t[11] = {Tr::tr("Передача"), Tr::tr("на"), Tr::tr("занятом"), Tr::tr("канале")};
        // t[12]: columns past the last have no header
    }
    return texts[std::size_t(std::clamp(column, 0, Columns))];
}

bool CellPainter::BindChannel(const Channel *channel)
{
    if (!channel)
        return false;
    m_channel = channel;
    return true;
}

void CellPainter::BeginCell(QPainter *painter, const QRect &rect, int drawState)
{
    m_canvas = painter;
    m_rect = rect;
    m_state = drawState;
}

void CellPainter::ClearLines()
{
    for (Line &l : m_lines)
        l = Line();
    m_showRxIcon = false;
    m_showTxIcon = false;
    m_check = false;
}

void CellPainter::SetHeaderTexts(int column)
{
    const auto &texts = HeaderTexts(column);
    for (int i = 0; i < 4; ++i)
        m_lines[std::size_t(i)].text = texts[std::size_t(i)];
    m_layout = LayoutStack;
}

void CellPainter::SetSidePair(const QString &rx, bool rxShown, const QString &tx, bool txShown, bool icons)
{
    static const QString rxLabel = Tr::tr("Rx:");
    static const QString txLabel = Tr::tr("Tx:");
    if (rxShown) {
        m_lines[0].text = rxLabel;
        m_lines[1].text = rx;
        m_showRxIcon = icons;
    }
    if (txShown) {
        m_lines[2].text = txLabel;
        m_lines[3].text = tx;
        m_showTxIcon = icons;
    }
    m_layout = LayoutPairs;
}

bool CellPainter::SetDataTexts(int row, int column)
{
    const Channel &c = *m_channel;
    const bool both = c.HasRxAndTx();
    switch (column) {
    case 0:
        m_lines[0].text = QStringLiteral("%1").arg(row - 1, 2, 10, QLatin1Char('0'));
        m_layout = LayoutStack;
        return true;
    case 1:
        if (c.band_rx == c.band_tx && both) {
            m_lines[1].text = BandText(c.band_rx);
            m_layout = LayoutSingle;
        } else {
            SetSidePair(BandText(c.band_rx), c.HasRx(), BandText(c.band_tx), c.HasTx(), true);
        }
        return true;
    case 2:
        if (c.freq_rx == c.freq_tx) {
            m_lines[1].text = FrequencyText(c.freq_rx);
            m_layout = LayoutSingle;
        } else {
            SetSidePair(FrequencyText(c.freq_rx), c.HasRx(), FrequencyText(c.freq_tx), c.HasTx(), true);
        }
        return true;
    case 3:
        if (c.subtone_rx == c.subtone_tx && both) {
            m_lines[0].text = SubtoneGridLabel(c.subtone_rx);
            m_lines[1].text = LocalDecimal(SubtoneGridText(c.subtone_rx));
            m_layout = LayoutSingle;
        } else {
            if (c.HasRx()) {
                m_lines[0].text = SubtoneGridLabel(c.subtone_rx);
                m_lines[1].text = LocalDecimal(SubtoneGridText(c.subtone_rx));
            }
            if (c.HasTx()) {
                m_lines[2].text = SubtoneGridLabel(c.subtone_tx);
                m_lines[3].text = LocalDecimal(SubtoneGridText(c.subtone_tx));
            }
            m_layout = LayoutPairs;
        }
        return true;
    case 4:
        if (c.tone_rx == c.tone_tx && both) {
            if (ToneShown(c.tone_rx))
                m_lines[1].text = QString::number(c.tone_rx);
            m_layout = LayoutSingle;
        } else {
            SetSidePair(QString::number(c.tone_rx), c.HasRx() && ToneShown(c.tone_rx), QString::number(c.tone_tx),
                        c.HasTx() && ToneShown(c.tone_tx), true);
        }
        return true;
    case 5:
        m_lines[0].text = QStringLiteral("L%1").arg(CommonSquelch ? CommonSquelchLevel : c.squelch);
        m_layout = LayoutStack;
        return true;
    case 6: {
        const int low = CommonTxPower ? 0 : c.tx_power_low;
        const int high = CommonTxPower ? CommonTxPowerLevel : c.tx_power_high;
        auto valid = [](int index) { return index >= 0 && index <= 3; };
        // A level the radio does not have shows as a question mark rather than
        // as a number that belongs to another level.
        QString text = valid(low) ? QString::number(PowerWatts[std::size_t(low)]) : QStringLiteral("?");
        if (high != low && valid(high))
            text += QLatin1Char('/') + QString::number(PowerWatts[std::size_t(high)]);
        m_lines[0].text = text;
        m_layout = LayoutStack;
        return true;
    }
    case 7: m_check = c.active; break;
    case 8: m_check = c.scan; break;
    case 9: m_check = c.scrambler; break;
    case 10: m_check = c.tx_limit; break;
    case 11: m_check = c.tx_busy; break;
    default: return false;
    }
    m_layout = LayoutCheck;
    return true;
}

const CellPainter::ShapedText &CellPainter::Shaped(const QString &text)
{
    // The grid shows few distinct texts (numbers, labels, the same frequencies
    // over and over), so each is measured and laid out once per font.
    const QFont &font = m_canvas->font();
    if (font != m_cacheFont || m_cache.size() > 4096) {
        m_cache.clear();
        m_cacheFont = font;
    }
    auto it = m_cache.find(text);
    if (it == m_cache.end()) {
        ShapedText shaped;
        shaped.width = m_canvas->fontMetrics().horizontalAdvance(text);
        shaped.text.setText(text);
        shaped.text.setTextFormat(Qt::PlainText);
        shaped.text.setPerformanceHint(QStaticText::AggressiveCaching);
        shaped.text.prepare(QTransform(), font);
        it = m_cache.insert(text, shaped);
    }
    return *it;
}

void CellPainter::MeasureLines()
{
    const int height = m_canvas->fontMetrics().height();
    for (Line &l : m_lines) {
        if (l.text.isEmpty()) {
            l.width = l.height = 0;
        } else {
            l.width = Shaped(l.text).width;
            l.height = height;
        }
    }
}

void CellPainter::Arrange()
{
    const int left = m_rect.x();
    const int top = m_rect.y();
    const int right = m_rect.x() + m_rect.width();
    const int bottom = m_rect.y() + m_rect.height();
    const int W = m_rect.width();
    const int H = m_rect.height();
    Line &l1 = m_lines[0];
    Line &l2 = m_lines[1];
    Line &l3 = m_lines[2];
    Line &l4 = m_lines[3];

    switch (m_layout) {
    case LayoutPairs: {
        if (m_showRxIcon) {
            l1.width = IconWidth;
            l1.height = IconHeight;
        }
        if (m_showTxIcon) {
            l3.width = IconWidth;
            l3.height = IconHeight;
        }
        int tallest = 0;
        for (const Line &l : m_lines)
            tallest = std::max(tallest, l.height);
        auto h = [tallest](const Line &l) { return l.height ? l.height : tallest; };
        const int g = std::max((H - h(l1) - h(l3)) / 3, 4);
        l1.x = left + 4;
        l1.y = top + g;
        l3.x = left + 4;
        l3.y = bottom - g - h(l3);
        const int k = std::max((H - h(l2) - h(l4)) / 3, 4);
        l2.x = right - l2.width - 4;
        l2.y = top + k;
        l4.x = right - l4.width - 4;
        l4.y = bottom - k - h(l4);
        break;
    }
    case LayoutSingle:
        l1.x = left + 4;
        l1.y = top + std::max((H - l1.height) / 2, 4);
        l2.x = right - l2.width - 4;
        l2.y = top + std::max((H - l2.height) / 2, 4);
        break;
    case LayoutStack: {
        int n = 0;
        for (const Line &l : m_lines)
            n += l.height != 0;
        if (n == 0)
            n = 4;
        n += 1;
        for (int i = 0; i < 4; ++i) {
            Line &l = m_lines[std::size_t(i)];
            l.x = left + (W - l.width) / 2;
            if (l.height != 0)
                l.y = top + H * (i + 1) / n - l.height / 2;
        }
        break;
    }
    default:
        break;
    }
}

void CellPainter::ChooseColours(int row, int column)
{
    const bool fixed = m_state & Fixed;
    const bool selected = m_state & Selected;
    if (fixed)
        m_background = kFixedBackground;
    else if (selected)
        m_background = kSelectedBackground;
    else
        m_background = row % 2 ? kOddBackground : kEvenBackground;

    // The header keeps its black texts whatever channel 0 holds.
    const bool inactive = row != 0 && !m_channel->IsActive();
    switch (m_layout) {
    case LayoutPairs: {
        const QColor rx = inactive ? kInactive : selected ? kRxSelected : kRx;
        const QColor tx = inactive ? kInactive : selected ? kTxSelected : kTx;
        m_lines[0].colour = m_lines[1].colour = rx;
        m_lines[2].colour = m_lines[3].colour = tx;
        break;
    }
    case LayoutSingle: {
        const QColor c = inactive ? kInactive : selected ? QColor(Qt::white) : QColor(Qt::black);
        for (Line &l : m_lines)
            l.colour = c;
        break;
    }
    case LayoutStack: {
        const QColor c = inactive && column != 0 ? kInactive : selected ? QColor(Qt::white) : QColor(Qt::black);
        for (Line &l : m_lines)
            l.colour = c;
        break;
    }
    case LayoutCheck:
        m_markColour = inactive ? kInactive
                       : selected ? (m_check ? kMarkSetSelected : kMarkClearSelected)
                                  : (m_check ? kMarkSet : kMarkClear);
        break;
    default:
        break;
    }
}

const QImage &CellPainter::Picture(int index) const
{
    return Pictures()[std::size_t(index)];
}

void CellPainter::DrawCheckMark()
{
    // A mark is the same picture wherever it stands, so each of the few kinds
    // (tick or cross, by colour) is stroked once and then copied; stroking
    // round-capped wide lines is the dearest part of painting a row.
    constexpr int kHalf = 12;
    const qreal ratio = m_canvas->device() ? m_canvas->device()->devicePixelRatio() : 1.0;
    if (ratio != m_marksRatio) {
        m_marks.clear();
        m_marksRatio = ratio;
    }
    const QRgb key = m_markColour.rgb() ^ (m_check ? 0x01000000u : 0u);
    auto it = m_marks.find(key);
    if (it == m_marks.end()) {
        QImage mark(QSize(2 * kHalf, 2 * kHalf) * ratio, QImage::Format_ARGB32_Premultiplied);
        mark.setDevicePixelRatio(ratio);
        mark.fill(Qt::transparent);
        QPainter p(&mark);
        p.setRenderHint(QPainter::Antialiasing, true);
        // A wide black outline first, then the mark's colour inside it.
        auto stroke = [&](const QColor &colour, int width) {
            p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            if (m_check) {
                const QPoint tick[3] = {{kHalf - 6, kHalf}, {kHalf - 2, kHalf + 4}, {kHalf + 6, kHalf - 4}};
                p.drawPolyline(tick, 3);
            } else {
                p.drawLine(kHalf - 4, kHalf - 4, kHalf + 4, kHalf + 4);
                p.drawLine(kHalf - 4, kHalf + 4, kHalf + 4, kHalf - 4);
            }
        };
        stroke(Qt::black, 5);
        stroke(m_markColour, 2);
        p.end();
        it = m_marks.insert(key, mark);
    }
    const int cx = m_rect.x() + m_rect.width() / 2;
    const int cy = m_rect.y() + m_rect.height() / 2;
    m_canvas->drawImage(cx - kHalf, cy - kHalf, *it);
}

void CellPainter::Render(int row, int column)
{
    QPainter &p = *m_canvas;
    p.fillRect(m_rect, m_background);

    if (m_channel->IsUsed() || column == 0 || row == 0) {
        if (m_layout == LayoutCheck) {
            DrawCheckMark();
        } else {
            for (int i = 0; i < 4; ++i) {
                const Line &l = m_lines[std::size_t(i)];
                if (l.width == 0 || l.height == 0)
                    continue;
                if (m_layout == LayoutPairs && ((i == 0 && m_showRxIcon) || (i == 2 && m_showTxIcon))) {
                    const QColor &c = l.colour;
                    const int base = i == 0 ? 0 : 3;
                    const int variant = c == kInactive ? 2 : (c == kRxSelected || c == kTxSelected) ? 1 : 0;
                    p.drawImage(l.x, l.y, Picture(base + variant));
                    continue;
                }
                p.setPen(l.colour);
                p.drawStaticText(l.x, l.y, Shaped(l.text).text);
            }
        }
    }

    p.setPen(Qt::white);
    p.setBrush(Qt::NoBrush);
    p.drawRect(m_rect.x(), m_rect.y(), m_rect.width() - 1, m_rect.height() - 1);
}

bool CellPainter::DecideCell(int row, int column)
{
    if (!m_channel)
        return false;
    ClearLines();
    if (row == 0) {
        SetHeaderTexts(column);
        return true;
    }
    return SetDataTexts(row, column);
}

void CellPainter::PaintCell(int row, int column)
{
    if (!m_canvas || !DecideCell(row, column))
        return;
    MeasureLines();
    Arrange();
    ChooseColours(row, column);
    Render(row, column);
}

QSize CellPainter::MeasureCell(int row, int column)
{
    if (!m_canvas)
        return QSize();
    const QFontMetrics fm = m_canvas->fontMetrics();
    if (row == 0) {
        int width = 0;
        int height = 0;
        for (const QString &text : HeaderTexts(column)) {
            if (text.isEmpty())
                continue;
            width = std::max(width, fm.horizontalAdvance(text));
            height += fm.height() + 2;
        }
        return QSize(width + 8, height + 8);
    }

    auto sample = [&fm](const char *text, int lines) {
        const QString s = QString::fromLatin1(text);
        return QSize(fm.horizontalAdvance(s) + 8, lines * fm.height() + 8);
    };
    QSize size;
    switch (column) {
    case 0: size = sample("00", 1); break;
    case 1: size = sample("Rx: 12,5", 1).expandedTo(sample("Tx: 25,0", 1)); break;
    case 2: size = sample("Rx: 000 000 000", 2); break;
    case 3: size = sample("CTCSS: 000,0*", 2); break;
    case 4: size = sample("Rx: 0000", 2); break;
    case 5: size = sample("L8", 1); break;
    case 6: size = sample("20/40", 1); break;
    default: size = QSize(28, 0); break;
    }
    size.setHeight(std::max(size.height(), MinDataHeight));
    return size;
}

bool DrawCell(const ChannelsContext &channels, CellPainter &painter, QPainter *canvas, const QRect &rect, int column,
              int row, int drawState)
{
    if (row < 0 || row > ChannelsContext::Count)
        return true;
    painter.BindChannel(&channels.channels[std::size_t(row == 0 ? 0 : row - 1)]);
    painter.BeginCell(canvas, rect, drawState);
    painter.PaintCell(row, column);
    return true;
}

GridMetrics MeasureGrid(const QFont &font, int dpi, int clientWidth)
{
    // A one-pixel canvas with the screen's resolution measures as the grid will.
    QImage canvas(1, 1, QImage::Format_RGB32);
    const int dotsPerMeter = qRound(dpi / 0.0254);
    canvas.setDotsPerMeterX(dotsPerMeter);
    canvas.setDotsPerMeterY(dotsPerMeter);
    QPainter p(&canvas);
    p.setFont(font);

    CellPainter measurer;
    measurer.BeginCell(&p, QRect(), 0);
    GridMetrics m;
    for (int c = 0; c < CellPainter::Columns; ++c) {
        const QSize header = measurer.MeasureCell(0, c);
        const QSize data = measurer.MeasureCell(1, c);
        m.columnWidths[std::size_t(c)] = std::max(header.width(), data.width());
        m.headerHeight = std::max(m.headerHeight, header.height());
        m.rowHeight = std::max(m.rowHeight, data.height());
    }
    return SpreadColumns(m, clientWidth);
}

GridMetrics SpreadColumns(const GridMetrics &natural, int clientWidth)
{
    GridMetrics m = natural;
    const long long sum = std::accumulate(m.columnWidths.begin(), m.columnWidths.end(), 0LL);
    if (sum > 0 && sum < clientWidth) {
        int used = 0;
        for (int c = 0; c < CellPainter::Columns - 1; ++c) {
            int &w = m.columnWidths[std::size_t(c)];
            w = int(w * static_cast<long long>(clientWidth) / sum);
            used += w;
        }
        m.columnWidths[CellPainter::Columns - 1] = clientWidth - used;
    }
    return m;
}

QFont GridFont()
{
    QFont font;
    if (QFontDatabase::hasFamily(QStringLiteral("Lucida Console")))
        font = QFont(QStringLiteral("Lucida Console"));
    else
        font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(12);
    font.setBold(true);
    return font;
}
