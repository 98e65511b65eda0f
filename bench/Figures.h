#pragma once
// The benchmark's output: one row per figure, ours beside the anchor's, then
// one "ratio NAME VALUE" line per figure.

#include "bench/Clock.h"

#include <string>
#include <vector>

namespace bench {

struct Figure {
    std::string name;   // the name on the ratio line
    bool onRatioLine;   // false for a figure shown only in the rows
    std::string anchor; // what ours is compared with
    std::string unit;   // "ms" or "MiB"
    Samples ours;
    Samples theirs;

    double ratio() const { return ours.median() / theirs.median(); }
    // The median of each run's own ratio: the two sides of a run are taken
    // close together, so this one moves less with the machine's load.
    double pairedRatio() const;
};

// The 1-minute load average, which the figures move with.
double loadAverage();

// The rows, with the spread (min to max) of each side, the paired ratio and
// the 1-minute load average as they are printed, then the ratio lines.
void printFigures(const std::vector<Figure>& figures);

} // namespace bench
