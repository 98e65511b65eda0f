#include "framework/runtime/Exception.h"

namespace fw {

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
