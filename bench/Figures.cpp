#include "bench/Figures.h"

#include <cstdio>

namespace bench {
namespace {

std::string spread(const Samples& s) {
    char text[64];
    std::snprintf(text, sizeof text, "%.2f..%.2f", s.min(), s.max());
    return text;
}

} // namespace

void printFigures(const std::vector<Figure>& figures) {
    std::printf("%-20s %-26s %5s %10s %10s %7s  %-24s %-24s\n", "figure", "anchor", "unit", "ours", "anchor",
                "ratio", "ours min..max", "anchor min..max");
    for (const Figure& f : figures)
        std::printf("%-20s %-26s %5s %10.2f %10.2f %7.3f  %-24s %-24s  (%zu runs)\n", f.name.c_str(),
                    f.anchor.c_str(), f.unit.c_str(), f.ours.median(), f.theirs.median(), f.ratio(),
                    spread(f.ours).c_str(), spread(f.theirs).c_str(), f.ours.values.size());
    for (const Figure& f : figures)
        if (f.onRatioLine)
            std::printf("ratio %s %.3f\n", f.name.c_str(), f.ratio());
    std::fflush(stdout);
}

} // namespace bench
