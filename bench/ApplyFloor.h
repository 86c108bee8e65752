#pragma once

#include <QStringList>

// The full profile the benchmarks apply, and the least an apply of it with its read-back can
// take: the sum of its exchanges' pacing waits.
namespace ApplyFloor {

extern const QStringList Items;

double ms();

} // namespace ApplyFloor
