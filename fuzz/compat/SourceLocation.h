#pragma once
// std::source_location for clang 14 over libstdc++ 12, whose <source_location>
// is empty there: it needs __builtin_source_location, which clang has only
// from version 15. The fuzz build, which must use clang, puts this in front
// of every source of ours; with a library that has the real one it adds
// nothing.

#include <version>

#if !defined(__cpp_lib_source_location) && defined(__clang__)
#include <cstdint>

namespace std {

struct source_location {
    static constexpr source_location current(const char* file = __builtin_FILE(),
                                             const char* function = __builtin_FUNCTION(),
                                             uint_least32_t line = __builtin_LINE(),
                                             uint_least32_t column = __builtin_COLUMN()) noexcept {
        source_location here;
        here.file_ = file;
        here.function_ = function;
        here.line_ = line;
        here.column_ = column;
        return here;
    }

    constexpr const char* file_name() const noexcept { return file_; }
    constexpr const char* function_name() const noexcept { return function_; }
    constexpr uint_least32_t line() const noexcept { return line_; }
    constexpr uint_least32_t column() const noexcept { return column_; }

private:
    const char* file_ = "";
    const char* function_ = "";
    uint_least32_t line_ = 0;
    uint_least32_t column_ = 0;
};

} // namespace std
#endif
