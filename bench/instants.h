// Instants drawn at random over a race, the same at every run.
#pragma once

#include "chronologie.h"

#include <random>
#include <vector>

inline std::vector<orv::Instant> instants_au_hasard(const orv::Chronologie& c, size_t n)
{
    std::mt19937_64 g(7);
    std::uniform_int_distribution<orv::Instant> d(c.premier(), c.dernier());
    std::vector<orv::Instant> r(n);
    for (orv::Instant& t : r)
        t = d(g);
    return r;
}
