#include "Verdict.h"

#include <cstdio>

namespace {

constexpr int Told = 5; // a failure that repeats is told this often, then only counted

} // namespace

Verdict::Verdict(quint64 seed) : m_seed(seed) {
    m_clock.start();
}

void Verdict::fail(const QString& invariant, const QString& detail) {
    const int count = ++m_failures[invariant];
    if (count > Told)
        return;
    std::printf("FAILED after %.1f s (seed %llu): %s: %s%s\n", seconds(),
                static_cast<unsigned long long>(m_seed), qPrintable(invariant), qPrintable(detail),
                count == Told ? " (told no more)" : "");
    std::fflush(stdout);
}

bool Verdict::held() const {
    for (int count : m_failures)
        if (count > 0)
            return false;
    return true;
}
