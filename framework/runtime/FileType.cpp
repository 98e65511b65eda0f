#include "framework/runtime/FileType.h"

#include "framework/runtime/Exception.h"
#include "framework/runtime/FileTypeRegistry.h"

namespace fw {

FileType::~FileType() {
    withdraw();
}

const ClassRecord* FileType::Lookup() {
    // Icon and the Operator_Add forms are not offered: their entries hold no code.
    static const ClassRecord record = [] {
        ClassRecord r = BuildFrameworkClass("FileType", nullptr, &AllocateAs<FileType>,
                                            {
                                                {"Destructor", CodeRef::of<Action>(&Destructor)},
                                                {"Extensions", CodeRef::of<Getter>(&Extensions)},
                                                {"=Extensions", CodeRef::of<Setter>(&setExtensions)},
                                                {"Icon", CodeRef()},
                                                {"MacCreator", CodeRef::of<Getter>(&MacCreator)},
                                                {"=MacCreator", CodeRef::of<Setter>(&setMacCreator)},
                                                {"MacType", CodeRef::of<Getter>(&MacType)},
                                                {"=MacType", CodeRef::of<Setter>(&setMacType)},
                                                {"Name", CodeRef::of<Getter>(&Name)},
                                                {"=Name", CodeRef::of<Setter>(&setName)},
                                                {"Operator_Add", CodeRef()},
                                                {"Operator_Add", CodeRef()},
                                                {"Operator_AddRight", CodeRef()},
                                                {"Operator_AddRight", CodeRef()},
                                                {"Operator_Convert", CodeRef::of<Getter>(&Operator_Convert)},
                                            });
        r.instanceSize = sizeof(FileType);
        return r;
    }();
    static_assert(static_cast<std::size_t>(FileTypeOp::Count_) == 15);
    return &record;
}

FileType& FileType::target(FileType* self) {
    if (!self)
        RaiseNilObjectException();
    return *self;
}

void FileType::withdraw() noexcept {
    if (!registered_)
        return;
    registered_ = false;
    RuntimeDeregisterFileType(registeredName_);
}

String FileType::Extensions(FileType* self) {
    return target(self).extensions_;
}
String FileType::MacCreator(FileType* self) {
    return target(self).macCreator_;
}
String FileType::MacType(FileType* self) {
    return target(self).macType_;
}
String FileType::Name(FileType* self) {
    return target(self).name_;
}

void FileType::setExtensions(FileType* self, const String& value) {
    target(self).withdraw();
    self->extensions_ = value;
}
void FileType::setMacCreator(FileType* self, const String& value) {
    target(self).withdraw();
    self->macCreator_ = value;
}
void FileType::setMacType(FileType* self, const String& value) {
    target(self).withdraw();
    self->macType_ = value;
}
void FileType::setName(FileType* self, const String& value) {
    target(self).withdraw();
    self->name_ = value;
}

String FileType::Operator_Convert(FileType* self) {
    FileType& t = target(self);
    if (!t.registered_) {
        RuntimeRegisterFileType(t.name_, t.macCreator_, t.macType_, t.extensions_);
        t.registered_ = true;
        t.registeredName_ = t.name_;
    }
    return t.name_;
}

void FileType::Destructor(FileType* self) {
    target(self).withdraw();
}

} // namespace fw
