#pragma once
// Long file work (a copy of many or large files) runs on the caller's thread.
// It calls the pump now and then, so that the window system can repaint
// while it runs; the window system sets the pump, and nothing is called
// when none is set.

#include <chrono>

namespace fw {

using WorkPump = void (*)();
void SetFileWorkPump(WorkPump pump) noexcept;
// How long the pump rests between runs: about one frame, often enough to look
// alive, rare enough to cost nothing. Tests may set another pace (zero: at
// every chance the file work gives it).
inline constexpr std::chrono::milliseconds kFileWorkPumpInterval{16};
void SetFileWorkPumpIntervalForTesting(std::chrono::milliseconds interval) noexcept;

namespace posix {
// Calls the pump when some time has passed since it last ran.
void pumpIfDue() noexcept;
} // namespace posix

} // namespace fw
