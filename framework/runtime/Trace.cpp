#include "framework/runtime/Trace.h"

#include <string>

namespace fw {
namespace detail {

const TraceSink* traceSink = nullptr;

void sendTrace(std::string_view call, std::initializer_list<std::string_view> arguments) {
    if (arguments.size() == 0) {
        (*traceSink)(call);
        return;
    }
    std::string entry(call);
    entry += '(';
    const char* separator = "";
    for (std::string_view a : arguments) {
        entry += separator;
        entry += a;
        separator = ",";
    }
    entry += ')';
    (*traceSink)(entry);
}

} // namespace detail

void SetTraceSinkForTesting(TraceSink sink) {
    static auto* installed = new TraceSink(); // outlives static destruction: late finalisers still trace
    *installed = std::move(sink);
    detail::traceSink = *installed ? installed : nullptr;
}

} // namespace fw
