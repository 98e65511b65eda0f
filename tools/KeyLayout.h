#pragma once
// The keyboard-layout XML of one layout in the demo bundle: a Unicode layout
// whose letter keys type Tamil letters and whose digit keys type Tamil digits.

#include <string>

namespace demo {

struct KeyLayoutIdentity {
    std::string name; // shown in the input menu
    int id = 0;       // negative, as for any layout outside the system's own
    int variant = 0;  // picks the arrangement, so each layout types differently
};

std::string keyLayoutXml(const KeyLayoutIdentity& layout);

} // namespace demo
