#include "framework/runtime/Exception.h"

#include <cstdlib>
#include <cxxabi.h>
#include <memory>
#include <typeinfo>

namespace fw {
namespace {

// The readable C++ name of the exception being handled.
std::string caughtTypeName() {
    const std::type_info* type = abi::__cxa_current_exception_type();
    if (!type)
        return "unknown exception";
    int status = 0;
    const std::unique_ptr<char, decltype(&std::free)> readable(
        abi::__cxa_demangle(type->name(), nullptr, nullptr, &status), &std::free);
    return status == 0 && readable ? std::string(readable.get()) : std::string(type->name());
}

} // namespace

Ref<RuntimeException> CaughtException() {
    try {
        throw;
    } catch (const RaisedException& raised) {
        return raised.exception() ? raised.exception() : make<RuntimeException>();
    } catch (const std::exception& e) {
        return make<ForeignException>(caughtTypeName(), String(std::string_view(e.what())));
    } catch (...) {
        return make<ForeignException>(caughtTypeName(), String());
    }
}

RaisedException::RaisedException(Ref<RuntimeException> e) : exception_(std::move(e)) {
    what_ = exception_ ? std::string(exception_->className()) : std::string("RuntimeException");
    if (exception_ && !exception_->message().empty())
        what_ += ": " + exception_->message().str();
}

void RaiseException(Ref<RuntimeException> e) {
    throw RaisedException(std::move(e));
}
void RaiseNilObjectException() {
    RaiseException(make<NilObjectException>());
}
void RaiseOutOfBoundsException(const char* what) {
    RaiseException(make<OutOfBoundsException>(String(std::string_view(what))));
}
void RaiseTypeMismatchException(const char* what) {
    RaiseException(make<TypeMismatchException>(String(std::string_view(what))));
}
void RaiseUnsupportedFormatException(const String& format) {
    RaiseException(make<UnsupportedFormatException>(format));
}

} // namespace fw
