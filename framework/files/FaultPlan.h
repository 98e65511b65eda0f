#pragma once
// A test-only plan of failures for the file services: "operation X on path P
// reports code C", or "the n-th system call of a copy from now reports code
// C". Tests use it for the codes a real file system cannot be made to give at
// a chosen step. The plan holds until cleared; while it is empty, consulting
// it costs one relaxed load.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>

namespace fw::testing {

enum class Operation {
    Delete,   // FolderItem::Delete of the entry at the path
    Copy,     // FolderItem::CopyFileTo of the entry at the path (the top-level entry)
    CopyFile, // any single file or link written inside a copy, matched by its source path
    FastCopy, // the in-kernel data copy of the file at the path; a fallback code (EXDEV,
              // ENOSYS, EINVAL, EOPNOTSUPP...) sends that file through the read/write loop
};

class FaultPlan {
public:
    // From now on, `op` on `path` reports `code`. A positive code makes the
    // operation fail at that point without doing it, as a real failure with that
    // errno would. A code of 0 or below lets the operation run normally and then
    // reports the code as its outcome (for CopyFile: as the whole copy's
    // outcome, unless the copy fails anyway). Paths match after lexical
    // normalisation; a later plan for the same operation and path replaces an earlier one.
    static void add(Operation op, const std::filesystem::path& path, std::int32_t code);
    // From now on, the n-th system call of a copy (1: the next one, on any
    // thread) fails with `code` without being made. Every call a copy makes
    // to look at, write, flush, rename or lock an entry counts; the calls that
    // clean up after a failure do not, so that they can still clean up.
    static void failCall(std::size_t n, std::int32_t code);
    // Calls of a copy counted since failCall().
    static std::size_t callsCounted() noexcept { return callsCounted_.load(); }
    static void clear();

    // The code planned for `op` on `path`, if any.
    static std::optional<std::int32_t> find(Operation op, const std::filesystem::path& path) {
        if (!armed_.load(std::memory_order_relaxed))
            return std::nullopt;
        return lookup(op, path);
    }
    static bool empty() noexcept { return !armed_.load(std::memory_order_relaxed); }

    // Runs `operation` (which returns its error code) under the plan for `op` on `path`.
    template <class F>
    static std::int32_t apply(Operation op, const std::filesystem::path& path, F&& operation) {
        const std::optional<std::int32_t> planned = find(op, path);
        if (planned && *planned > 0)
            return *planned;
        const std::int32_t outcome = operation();
        return planned ? *planned : outcome;
    }

    // Makes one system call of a copy (`systemCall` returns its error code) under the plan.
    template <class F>
    static std::int32_t call(F&& systemCall) {
        if (armed_.load(std::memory_order_relaxed))
            if (const std::optional<std::int32_t> planned = countCall())
                return *planned;
        return systemCall();
    }

private:
    static std::optional<std::int32_t> countCall() noexcept;
    static std::optional<std::int32_t> lookup(Operation op, const std::filesystem::path& path);
    static inline std::atomic<bool> armed_{false};
    static inline std::atomic<std::size_t> callsCounted_{0};
    static inline std::atomic<std::size_t> failingCall_{0}; // 0: none planned
    static inline std::atomic<std::int32_t> failingCode_{0};
};

} // namespace fw::testing
