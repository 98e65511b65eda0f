#pragma once
// The lock a copy holds on its destination folder, so that two copies into
// one folder, from two processes or two threads of one, take turns. Internal
// to framework/files.

#include "framework/files/SystemCall.h"

namespace fw::posix {

// Takes an exclusive lock on the open folder `folder`, waiting while another
// copy holds one; the window keeps painting meanwhile. The lock belongs to
// this open descriptor (flock), so a second open of the same folder, in this
// process or another, waits for it too; it goes when the descriptor is closed.
Error lockFolder(int folder);

} // namespace fw::posix
