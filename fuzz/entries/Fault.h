#pragma once
// What an entry throws when the outcome of an input breaks a promise of the
// reader: a test reports it as a failure, and in a fuzz target it ends the
// run as a crash, so that the input is kept.

#include <stdexcept>
#include <string>

namespace fuzz_entries {

class Fault : public std::logic_error {
public:
    explicit Fault(const std::string& what) : std::logic_error("fuzz fault: " + what) {}
};

} // namespace fuzz_entries
