#pragma once
// Recursive removal, for the copy's own staging entries only: an entry the
// program asks to delete is never removed recursively. Internal to framework/files.

#include "framework/files/SystemCall.h"

namespace fw::posix {

// Removes the entry `name` in the folder `dir` with everything below it,
// read-only folders included. An entry that is not there gives 0.
Error removeTreeAt(int dir, const char* name);

} // namespace fw::posix
