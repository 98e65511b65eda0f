#include "bench/Figures.h"

#include <cstdio>
#include <fstream>

namespace bench {
namespace {

std::string spread(const Samples& s) {
    char text[64];
    std::snprintf(text, sizeof text, "%.2f..%.2f", s.min(), s.max());
    return text;
}

} // namespace

double loadAverage() {
    double load = -1;
    std::ifstream("/proc/loadavg") >> load;
    return load;
}

double Figure::pairedRatio() const {
    Samples ratios;
    for (std::size_t i = 0; i < ours.values.size() && i < theirs.values.size(); ++i)
        ratios.add(ours.values[i] / theirs.values[i]);
    return ratios.median();
}

void printFigures(const std::vector<Figure>& figures) {
    const double load = loadAverage();
    std::printf("%-22s %-32s %4s %9s %9s %7s %7s  %-18s %-18s %4s %s\n", "figure", "anchor", "unit", "ours",
                "anchor", "ratio", "paired", "ours min..max", "anchor min..max", "runs", "load1");
    for (const Figure& f : figures)
        std::printf("%-22s %-32s %4s %9.2f %9.2f %7.3f %7.3f  %-18s %-18s %4zu %.2f\n", f.name.c_str(),
                    f.anchor.c_str(), f.unit.c_str(), f.ours.median(), f.theirs.median(), f.ratio(),
                    f.pairedRatio(), spread(f.ours).c_str(), spread(f.theirs).c_str(), f.ours.values.size(),
                    load);
    for (const Figure& f : figures)
        if (f.onRatioLine)
            std::printf("ratio %s %.3f\n", f.name.c_str(), f.ratio());
    std::fflush(stdout);
}

} // namespace bench
