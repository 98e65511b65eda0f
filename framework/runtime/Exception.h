#pragma once
// Framework exceptions. An exception is a framework object; raising one
// throws a C++ RaisedException that carries it, and every routine passes it
// on unchanged.

#include "framework/runtime/Object.h"
#include "framework/runtime/String.h"

#include <exception>
#include <string>

namespace fw {

class RuntimeException : public Object {
public:
    explicit RuntimeException(String message = String()) : message_(std::move(message)) {}
    virtual const char* className() const noexcept { return "RuntimeException"; }
    const String& message() const noexcept { return message_; }

private:
    String message_;
};

#define FW_EXCEPTION_CLASS(Name)                                                                             \
    class Name : public RuntimeException {                                                                   \
    public:                                                                                                  \
        using RuntimeException::RuntimeException;                                                            \
        const char* className() const noexcept override { return #Name; }                                    \
    };

FW_EXCEPTION_CLASS(NilObjectException)
FW_EXCEPTION_CLASS(OutOfBoundsException)
FW_EXCEPTION_CLASS(TypeMismatchException)
FW_EXCEPTION_CLASS(UnsupportedFormatException)
FW_EXCEPTION_CLASS(IllegalCastException)
FW_EXCEPTION_CLASS(PropertyRecordException)
FW_EXCEPTION_CLASS(StackOverflowException)
#undef FW_EXCEPTION_CLASS

// A C++ exception that is not the framework's (std::bad_alloc, one a library
// lets through), carried as a framework exception under its own type name
// and message so that it is reported like any other.
class ForeignException : public RuntimeException {
public:
    ForeignException(std::string typeName, String message)
        : RuntimeException(std::move(message)), typeName_(std::move(typeName)) {}
    const char* className() const noexcept override { return typeName_.c_str(); }

private:
    std::string typeName_;
};

// What is thrown in C++: the framework exception object, with one reference.
class RaisedException : public std::exception {
public:
    explicit RaisedException(Ref<RuntimeException> e);
    const Ref<RuntimeException>& exception() const noexcept { return exception_; }
    const char* what() const noexcept override { return what_.c_str(); }

private:
    Ref<RuntimeException> exception_;
    std::string what_;
};

// The exception being handled, whatever its kind, as a framework exception:
// the framework's own as it is, any other as a ForeignException named by its
// demangled C++ type. Call only inside a handler.
Ref<RuntimeException> CaughtException();

[[noreturn]] void RaiseException(Ref<RuntimeException> e);
[[noreturn]] void RaiseNilObjectException();
[[noreturn]] void RaiseOutOfBoundsException(const char* what);
[[noreturn]] void RaiseTypeMismatchException(const char* what);
[[noreturn]] void RaiseUnsupportedFormatException(const String& format);

// The nil-object rule: an object about to be the target of a call is tested
// first, and a missing one raises NilObjectException.
template <class T>
T& NotNil(const Ref<T>& r) {
    if (!r)
        RaiseNilObjectException();
    return *r;
}

} // namespace fw
