#pragma once
// The trees the benchmark installs: the two folders of an application's
// resources, and the entries the removal deletes again.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace bench {

// The two folders the installation copies, in `resources`.
std::filesystem::path keyboardBundleIn(const std::filesystem::path& resources);
std::filesystem::path fontsFolderIn(const std::filesystem::path& resources);

// Copies the demo resources' keyboard bundle and fonts folder into `resources`.
void layDemoTree(const std::filesystem::path& demoResources, const std::filesystem::path& resources);
// The demo's keyboard bundle beside a fonts folder of the catalogue's forty
// fonts, each `fontBytes` of pseudo-random bytes, so that no copy can skip
// any; the first font `firstFontBytes` long when that is given.
void layHeavyTree(const std::filesystem::path& demoResources, const std::filesystem::path& resources,
                  std::uintmax_t fontBytes, std::uintmax_t firstFontBytes = 0);

// The 55 entries the removal deletes, in its order, relative to the volume.
std::vector<std::string> removedEntries();

} // namespace bench
