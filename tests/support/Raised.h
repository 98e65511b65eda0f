#pragma once
// The class name of the framework exception that a call raises, or
// "nothing" when it raises none.

#include "framework/runtime/Exception.h"

#include <functional>
#include <string>

namespace testing_support {

inline std::string nameOfRaised(const std::function<void()>& f) {
    try {
        f();
    } catch (const fw::RaisedException& e) {
        return e.exception()->className();
    }
    return "nothing";
}

} // namespace testing_support
