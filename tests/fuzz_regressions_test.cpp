// Every input the fuzz targets keep, run through the same entries in the
// ordinary build: the seeds under fuzz/corpus/<target>/ and the inputs that
// once made a target fail, under fuzz/regressions/<target>/.

#include "fuzz/entries/FuzzEntries.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

namespace fuzz_entries {
void PrintTo(const Entry& entry, std::ostream* out) {
    *out << entry.name;
}
} // namespace fuzz_entries

namespace {

namespace fs = std::filesystem;

const fs::path kFuzzFolder = FUZZ_FOLDER;

std::vector<std::uint8_t> bytesOf(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The files of `folder`, in name order; none when it does not exist.
std::vector<fs::path> inputsIn(const fs::path& folder) {
    std::vector<fs::path> files;
    if (fs::is_directory(folder))
        for (const auto& entry : fs::directory_iterator(folder))
            if (entry.is_regular_file())
                files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

class KeptFuzzInputs : public ::testing::TestWithParam<fuzz_entries::Entry> {};

TEST_P(KeptFuzzInputs, RunWithoutFault) {
    const fuzz_entries::Entry& entry = GetParam();
    const std::vector<fs::path> seeds = inputsIn(kFuzzFolder / "corpus" / entry.name);
    EXPECT_FALSE(seeds.empty()) << "no seeds for " << entry.name;
    std::vector<fs::path> inputs = seeds;
    const std::vector<fs::path> regressions = inputsIn(kFuzzFolder / "regressions" / entry.name);
    inputs.insert(inputs.end(), regressions.begin(), regressions.end());
    for (const fs::path& input : inputs) {
        SCOPED_TRACE(input.string());
        const std::vector<std::uint8_t> bytes = bytesOf(input);
        EXPECT_NO_THROW(entry.run(bytes));
    }
}

INSTANTIATE_TEST_SUITE_P(EveryTarget, KeptFuzzInputs, ::testing::ValuesIn(fuzz_entries::all()),
                         [](const auto& info) { return std::string(info.param.name); });

// A folder of inputs for a target that does not exist would never run.
TEST(KeptFuzzInputFolders, EachBelongsToATarget) {
    for (const char* kind : {"corpus", "regressions"}) {
        const fs::path folder = kFuzzFolder / kind;
        if (!fs::is_directory(folder))
            continue;
        for (const auto& entry : fs::directory_iterator(folder))
            EXPECT_TRUE(fuzz_entries::find(entry.path().filename().string()))
                << entry.path() << " has no fuzz target";
    }
}

} // namespace
