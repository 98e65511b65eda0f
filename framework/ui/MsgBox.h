#pragma once
// The message box: shows a text and returns once it is closed.

#include "framework/runtime/String.h"

#include <functional>

namespace fw {

void MsgBox(const String& text);

// Tests replace the dialog with a recorder; an empty function restores it.
void SetMsgBoxRecorderForTesting(std::function<void(const String&)> recorder);

} // namespace fw
