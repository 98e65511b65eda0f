#pragma once
// Writing the generated files: every write makes the folders above it and
// fails loudly, so a half-made bundle never looks finished to the build.

#include <filesystem>
#include <string_view>

namespace demo {

// Writes `bytes` to `file`, replacing what was there; throws on failure.
void writeOutputFile(const std::filesystem::path& file, std::string_view bytes);

} // namespace demo
