#pragma once

// A property that does not hold is a finding: say which and abort, so that
// libFuzzer keeps the input that broke it.

#include <cstdio>
#include <cstdlib>

#define Z7_CHECK(condition)                                                                        \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__, #condition);  \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)
