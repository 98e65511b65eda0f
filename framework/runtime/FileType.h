#pragma once
// File types: a name, a type and creator code and extensions, registered with
// the framework when first converted to text. Changing any of the four texts
// withdraws a registration in force.

#include "framework/runtime/ClassRecord.h"
#include "framework/runtime/Object.h"
#include "framework/runtime/String.h"

#include <cstddef>

namespace fw {

// FileType's operations, in the order of its table; each takes the file type first.
enum class FileTypeOp : std::size_t {
    Destructor,                // "Destructor"
    Extensions,                // "Extensions"
    setExtensions,             // "=Extensions"
    Icon,                      // "Icon"
    MacCreator,                // "MacCreator"
    setMacCreator,             // "=MacCreator"
    MacType,                   // "MacType"
    setMacType,                // "=MacType"
    Name,                      // "Name"
    setName,                   // "=Name"
    Operator_AddFileType,      // "Operator_Add" (FileType)
    Operator_AddString,        // "Operator_Add" (String)
    Operator_AddRightFileType, // "Operator_AddRight" (FileType)
    Operator_AddRightString,   // "Operator_AddRight" (String)
    Operator_Convert,          // "Operator_Convert"
    Count_,
};

class FileType : public Object {
public:
    FileType() = default;
    // A registration still in force goes with the object.
    ~FileType() override;

    static const ClassRecord* Lookup();

    // The forms of the table's entries.
    using Getter = String(FileType*);
    using Setter = void(FileType*, const String&);
    using Action = void(FileType*);

    static String Extensions(FileType* self);
    static String MacCreator(FileType* self);
    static String MacType(FileType* self);
    static String Name(FileType* self);
    static void setExtensions(FileType* self, const String& value);
    static void setMacCreator(FileType* self, const String& value);
    static void setMacType(FileType* self, const String& value);
    static void setName(FileType* self, const String& value);
    // Registers the file type if it is not registered yet; yields its name.
    static String Operator_Convert(FileType* self);
    // Withdraws a registration in force.
    static void Destructor(FileType* self);

    bool registered() const noexcept { return registered_; }

private:
    void withdraw() noexcept;
    static FileType& target(FileType* self);

    String name_, extensions_, macType_, macCreator_;
    bool registered_ = false;
    String registeredName_;
};

} // namespace fw
