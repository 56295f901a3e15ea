// The radio's CTCSS and DCS lists, and the texts the grid and the editor show for a subtone code.

#include "model/subtones.h"

#include "xml/xml_common.h"

#include <QCoreApplication>

namespace {

// The texts of this file, for Qt Linguist.
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(Subtones)
};

// The common 50-tone CTCSS set, as the grid shows it (5 characters, decimal comma).
const char *const kCtcssTexts[CtcssCount] = {
    " 67,0", " 69,3", " 71,9", " 74,4", " 77,0", " 79,7", " 82,5", " 85,4", " 88,5", " 91,5",
    " 94,8", " 97,4", "100,0", "103,5", "107,2", "110,9", "114,8", "118,8", "123,0", "127,3",
    "131,8", "136,5", "141,3", "146,2", "151,4", "156,7", "159,8", "162,2", "165,5", "167,9",
    "171,3", "173,8", "177,3", "179,9", "183,5", "186,2", "189,9", "192,8", "196,6", "199,5",
    "203,5", "206,5", "210,7", "218,1", "225,7", "229,1", "233,6", "241,8", "250,3", "254,1",
};

// The common 83-code DCS set, octal, leading zero kept.
const char *const kDcsTexts[DcsCount] = {
    "023", "025", "026", "031", "032", "043", "047", "051", "054", "065", "071", "072", "073", "074",
    "114", "115", "116", "125", "131", "132", "134", "143", "152", "155", "156", "162", "165", "172",
    "174", "205", "223", "226", "243", "244", "245", "251", "261", "263", "265", "271", "306", "311",
    "315", "331", "343", "346", "351", "364", "365", "371", "411", "412", "413", "423", "431", "432",
    "445", "464", "465", "466", "503", "506", "516", "532", "546", "565", "606", "612", "624", "627",
    "631", "632", "654", "662", "664", "703", "712", "723", "731", "732", "734", "743", "754",
};

// One past the last DCS code: the grid still labels it "DCS:", with no value.
constexpr std::int32_t kDcsLabelLimit = LastDcsCode + 1;

} // namespace

QString SubtoneKindText(SubtoneKind kind)
{
    switch (kind) {
    case SubtoneKind::Ctcss: return QStringLiteral("CTCSS");
    case SubtoneKind::Dcs: return QStringLiteral("DCS");
    default: return Tr::tr("(нет)");
    }
}

SubtoneKind SubtoneKindOf(std::int32_t code)
{
    if (code >= FirstCtcssCode && code < FirstDcsCode)
        return SubtoneKind::Ctcss;
    if (code >= FirstDcsCode && code <= LastDcsCode)
        return SubtoneKind::Dcs;
    return SubtoneKind::None;
}

int SubtoneListIndex(std::int32_t code)
{
    switch (SubtoneKindOf(code)) {
    case SubtoneKind::Ctcss: return code - FirstCtcssCode;
    case SubtoneKind::Dcs: return code - FirstDcsCode;
    default: return -1;
    }
}

std::int32_t SubtoneCodeOf(SubtoneKind kind, int index)
{
    switch (kind) {
    case SubtoneKind::Ctcss: return FirstCtcssCode + index;
    case SubtoneKind::Dcs: return FirstDcsCode + index;
    default: return 0;
    }
}

QString SubtoneGridText(std::int32_t code)
{
    switch (SubtoneKindOf(code)) {
    case SubtoneKind::Ctcss: return QString::fromUtf8(kCtcssTexts[code - FirstCtcssCode]);
    case SubtoneKind::Dcs: return QString::fromUtf8(kDcsTexts[code - FirstDcsCode]);
    default: return QString();
    }
}

QString SubtoneEditorText(std::int32_t code)
{
    const QString text = LocalDecimal(SubtoneGridText(code));
    return SubtoneKindOf(code) == SubtoneKind::Ctcss ? text + Tr::tr(" Гц") : text;
}

QString SubtoneGridLabel(std::int32_t code)
{
    if (code >= FirstCtcssCode && code < FirstDcsCode)
        return QStringLiteral("CTCSS:");
    if (code >= FirstDcsCode && code <= kDcsLabelLimit)
        return QStringLiteral("DCS:");
    return QString();
}

QStringList FillSubtoneList(SubtoneKind kind)
{
    QStringList items;
    if (kind == SubtoneKind::Ctcss) {
        for (int i = 0; i < CtcssCount; ++i)
            items << SubtoneEditorText(FirstCtcssCode + i);
    } else if (kind == SubtoneKind::Dcs) {
        for (int i = 0; i < DcsCount; ++i)
            items << SubtoneEditorText(FirstDcsCode + i);
    }
    return items;
}
