#pragma once

#include <vector>

// One line of the benchmark table, the same columns for every benchmark; a ratio of NaN
// (a figure with a target but no floor) prints as "-".
void row(const char* what, double value, const char* unit, double ratio, const char* target);

// The middle value of a benchmark's runs.
double median(std::vector<double> values);
