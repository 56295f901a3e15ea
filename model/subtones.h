// CTCSS tones and DCS codes: how a channel's subtone code is told apart, shown and chosen from a list.
#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>

// A subtone setting is one integer per direction: 0 (or below) none, 1..50 a
// CTCSS tone, 51..133 a DCS code. Codes above 133 are not defined; they are
// kept as they are and count as none here.
enum class SubtoneKind { None = 0, Ctcss = 1, Dcs = 2 };

constexpr int CtcssCount = 50;
constexpr int DcsCount = 83;
constexpr std::int32_t FirstCtcssCode = 1;
constexpr std::int32_t FirstDcsCode = 51;
constexpr std::int32_t LastDcsCode = 133;

// Texts of the kind selector, in kind order: "(нет)", "CTCSS", "DCS".
QString SubtoneKindText(SubtoneKind kind);

SubtoneKind SubtoneKindOf(std::int32_t code);
int SubtoneListIndex(std::int32_t code);                   // -1 for none
std::int32_t SubtoneCodeOf(SubtoneKind kind, int index);   // index 0 gives 0, 1 or 51
QString SubtoneEditorText(std::int32_t code);              // "254,1 Гц", "754"; empty for none
QString SubtoneGridText(std::int32_t code);                // "254,1", "754"; empty otherwise
QString SubtoneGridLabel(std::int32_t code);               // "CTCSS:" for 1..50, "DCS:" for 51..134
QStringList FillSubtoneList(SubtoneKind kind);             // the editor's value list for a kind
