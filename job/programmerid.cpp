// The identifier kept scrambled, so that the program file does not hold it as plain text.

#include "job/programmerid.h"

#include <array>

namespace {

// Each character XOR the key; the volatile key keeps the compiler from folding
// the plain text back into the binary.
constexpr std::array<unsigned char, 5> kScrambled = {'K' ^ 0xA5, 'D' ^ 0xA5, 'T' ^ 0xA5, '1' ^ 0xA5, '0' ^ 0xA5};
volatile unsigned char g_key = 0xA5;

} // namespace

QString ProgrammerId()
{
    QString id;
    for (unsigned char c : kScrambled)
        id += QLatin1Char(char(c ^ g_key));
    return id;
}
