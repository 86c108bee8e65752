#include "Table.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

void row(const char* what, double value, const char* unit, double ratio, const char* target) {
    if (std::isnan(ratio))
        std::printf("%-50s %9.2f %-4s ratio      -   target %s\n", what, value, unit, target);
    else
        std::printf("%-50s %9.2f %-4s ratio %6.3f   target %s\n", what, value, unit, ratio, target);
    std::fflush(stdout);
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}
