#include "framework/ui/Graphics.h"

namespace fw {

const ClassRecord* Graphics::Lookup() {
    static const ClassRecord record = [] {
        ClassRecord r = BuildFrameworkClass("Graphics", nullptr, &AllocateAs<Graphics>, {});
        r.instanceSize = sizeof(Graphics);
        return r;
    }();
    return &record;
}

} // namespace fw
