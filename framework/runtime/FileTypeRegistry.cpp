#include "framework/runtime/FileTypeRegistry.h"

#include "framework/runtime/Trace.h"

#include <algorithm>

namespace fw {
namespace {

// Never destroyed: a file type released during static destruction still
// finds it.
std::vector<FileTypeRegistration>& registrations() {
    static auto* r = new std::vector<FileTypeRegistration>();
    return *r;
}

void erase(const String& name) {
    std::erase_if(registrations(), [&](const FileTypeRegistration& r) { return r.name == name; });
}

} // namespace

void RuntimeRegisterFileType(const String& name, const String& creator, const String& type,
                             const String& extensions) {
    Trace("RuntimeRegisterFileType", {name.bytes(), creator.bytes(), type.bytes(), extensions.bytes()});
    erase(name);
    registrations().push_back({name, creator, type, extensions});
}

void RuntimeDeregisterFileType(const String& name) {
    Trace("RuntimeDeregisterFileType", {name.bytes()});
    erase(name);
}

const std::vector<FileTypeRegistration>& RegisteredFileTypes() {
    return registrations();
}

void ClearFileTypeRegistrations() {
    registrations().clear();
}

} // namespace fw
