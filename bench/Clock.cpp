#include "bench/Clock.h"

#include <algorithm>
#include <ctime>
#include <stdexcept>

namespace bench {

std::int64_t monotonicNanoseconds() {
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

double Samples::median() const {
    if (values.empty())
        throw std::logic_error("median of no samples");
    std::vector<double> sorted = values;
    std::sort(sorted.begin(), sorted.end());
    const std::size_t mid = sorted.size() / 2;
    return sorted.size() % 2 ? sorted[mid] : (sorted[mid - 1] + sorted[mid]) / 2;
}

double Samples::min() const {
    return *std::min_element(values.begin(), values.end());
}
double Samples::max() const {
    return *std::max_element(values.begin(), values.end());
}

} // namespace bench
