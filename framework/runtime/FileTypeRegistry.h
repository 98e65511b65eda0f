#pragma once
// The file types registered with the framework, by name.

#include "framework/runtime/String.h"

#include <vector>

namespace fw {

struct FileTypeRegistration {
    String name, creator, type, extensions;
};

// Registers a file type; a registration under the same name is replaced.
void RuntimeRegisterFileType(const String& name, const String& creator, const String& type,
                             const String& extensions);
// Withdraws the registration under that name, if there is one.
void RuntimeDeregisterFileType(const String& name);

// The registrations in force, oldest first.
const std::vector<FileTypeRegistration>& RegisteredFileTypes();
// Withdraws them all; the runtime's shut-down does so.
void ClearFileTypeRegistrations();

} // namespace fw
