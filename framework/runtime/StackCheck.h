#pragma once
// The stack guard that every routine of the program calls on entry: deep
// recursion ends in a StackOverflowException instead of a crash.

#include <source_location>

namespace fw {

// Raises StackOverflowException when the calling thread's stack is nearly
// used up. While tracing, records the calling routine's name.
void RuntimeStackCheck(std::source_location caller = std::source_location::current());

} // namespace fw
