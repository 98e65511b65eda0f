// Introspection's reader of member signature texts: "%", the result's type
// code, "%", the parameters' type codes. A text is either read or refused
// with TypeMismatchException.

#include "framework/runtime/Exception.h"
#include "framework/runtime/Introspection.h"
#include "fuzz/entries/Fault.h"
#include "fuzz/entries/FuzzEntries.h"

#include <string_view>

namespace fuzz_entries {

void signatureText(Input input) {
    fw::MemberEntry member;
    member.name = fw::String("fuzzed");
    member.flags = fw::kPublicInstanceMethod;
    member.signature =
        fw::String(std::string_view(reinterpret_cast<const char*>(input.data()), input.size()));
    const fw::Ref<fw::Introspection::MethodInfo> method = fw::make<fw::Introspection::MethodInfo>(member);
    try {
        (void)method->ReturnType();
        (void)method->ParameterTypes();
    } catch (const fw::RaisedException& e) {
        if (!dynamic_cast<const fw::TypeMismatchException*>(e.exception().get()))
            throw Fault(std::string("the reader raised ") + e.exception()->className());
    }
}

} // namespace fuzz_entries
