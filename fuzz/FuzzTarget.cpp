// A libFuzzer target: the fuzz entry named FUZZ_TARGET_NAME, which the build
// defines for each target it makes from this file.

#include "fuzz/entries/FuzzEntries.h"

#include <cstdio>
#include <cstdlib>

namespace {

const fuzz_entries::Entry& entry() {
    static const fuzz_entries::Entry* const found = fuzz_entries::find(FUZZ_TARGET_NAME);
    if (!found) {
        std::fprintf(stderr, "no fuzz entry named %s\n", FUZZ_TARGET_NAME);
        std::abort();
    }
    return *found;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Widgets need a platform, and a fuzz run has no display.
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    entry();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    entry().run({data, size});
    return 0;
}
