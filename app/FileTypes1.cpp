#include "app/FileTypes1.h"

#include "framework/runtime/Exception.h"
#include "framework/runtime/StackCheck.h"

namespace FileTypes1 {

fw::ModuleGlobal<fw::FileType> pBundles("FileTypes1.pBundles.__Exit");

namespace {

constexpr std::size_t place(fw::FileTypeOp op) {
    return static_cast<std::size_t>(op);
}

// pBundles read afresh and tested before each use.
fw::FileType* bundles() {
    return &fw::NotNil(pBundles.get());
}

void set(fw::FileTypeOp setter, const fw::String& value) {
    fw::FileType* type = bundles();
    fw::Operation<fw::FileType::Setter>(type, place(setter))(type, value);
}

} // namespace

void Initialize() {
    fw::RuntimeStackCheck();
    {
        const fw::Ref<fw::Object> allocated = fw::RuntimeNewObject(fw::FileType::Lookup());
        pBundles.set(fw::dynamicRef<fw::FileType>(allocated));
    }
    // Not registered before the conversion: the setters withdraw nothing, and
    // the one registration carries the final values.
    set(fw::FileTypeOp::setName, fw::String("bundles"));
    set(fw::FileTypeOp::setExtensions, fw::String());
    set(fw::FileTypeOp::setMacType, fw::String());
    set(fw::FileTypeOp::setMacCreator, fw::String());
    fw::FileType* type = bundles();
    // The conversion registers the file type; the name it yields is dropped.
    const fw::String name =
        fw::Operation<fw::FileType::Getter>(type, place(fw::FileTypeOp::Operator_Convert))(type);
}

void pBundlesExit() {
    pBundles.exit();
}

} // namespace FileTypes1

void InitFileTypes() {
    fw::RuntimeStackCheck();
    FileTypes1::Initialize();
}
