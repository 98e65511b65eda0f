#pragma once
// The window picture: "Quorvan BG.jpg" from the application's resources,
// read at its first use and, while it is still missing, again at each later
// use; once read it is kept for the rest of the run.

#include "framework/ui/Picture.h"

namespace x_QuorvanBG {

// The picture with one reference for the caller, or nil. A missing
// resources folder gives nil and raises nothing.
fw::Ref<fw::Picture> QuorvanBG();

} // namespace x_QuorvanBG
