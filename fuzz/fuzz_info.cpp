// Both information replies with the report: any 122 + 104 bytes decode, the
// report is built, and a range the record calls valid holds the radio's true
// frequencies (no product of base, channel and step wrapped on the way).

#include "model/bytes.h"
#include "model/infocontext.h"

#include <array>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    std::array<std::uint8_t, TInfoContext::MainLength> main{};
    std::array<std::uint8_t, TInfoContext::ExtendedLength> ext{};
    std::memcpy(main.data(), data, std::min(size, main.size()));
    if (size > main.size())
        std::memcpy(ext.data(), data + main.size(), std::min(size - main.size(), ext.size()));

    TInfoContext info;
    info.DecodeMain(main.data());
    info.DecodeExtended(ext.data());
    if (!info.IsComplete() || info.BuildReport().isEmpty())
        __builtin_trap();

    if (info.range.IsValid()) {
        const std::uint64_t step = getU16le(&main[104]);
        for (int pass = 0; pass < 2; ++pass) {
            const std::uint64_t base = getU16le(&main[pass == 0 ? 100 : 98]);
            const auto &begins = pass == 0 ? info.range.rxBegin : info.range.txBegin;
            const auto &ends = pass == 0 ? info.range.rxEnd : info.range.txEnd;
            int slot = 0;
            for (int i = 0; i < 4; ++i) {
                const std::uint64_t begin = (base + getU16le(&main[106 + 4 * i])) * step;
                const std::uint64_t end = (base + getU16le(&main[108 + 4 * i])) * step;
                if (begin == end)
                    continue;
                if (begins[slot] != begin || ends[slot] != end)
                    __builtin_trap();
                ++slot;
            }
        }
    }
    return 0;
}
