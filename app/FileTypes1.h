#pragma once
// The program's file type set: one file type, "bundles", registered with the
// framework at start-up and released at exit.

#include "framework/runtime/FileType.h"
#include "framework/runtime/ModuleGlobal.h"

namespace FileTypes1 {

// The file type; nil before start-up and again after its finaliser.
extern fw::ModuleGlobal<fw::FileType> pBundles;

// Creates the file type "bundles" in pBundles, fills it in and registers it.
void Initialize();
// FileTypes1.pBundles.__Exit: releases pBundles and leaves it nil.
void pBundlesExit();

} // namespace FileTypes1

// Start-up step 3.
void InitFileTypes();
