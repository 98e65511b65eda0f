#pragma once
// Time taken and the summary of repeated measurements.

#include <cstdint>
#include <vector>

namespace bench {

// CLOCK_MONOTONIC in nanoseconds, the clock the first-show probe also reads.
std::int64_t monotonicNanoseconds();

// Measurements of one quantity over several runs.
struct Samples {
    std::vector<double> values;

    void add(double v) { values.push_back(v); }
    double median() const;
    double min() const;
    double max() const;
};

} // namespace bench
