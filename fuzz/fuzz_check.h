// A broken invariant stops the fuzzer with the reason, so the crash report
// says what went wrong and not only where.
#pragma once

#include <cstdio>
#include <cstdlib>

namespace zantoli::fuzz {

[[noreturn]] inline void Broken(const char* condition, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: invariant broken: %s\n", file, line, condition);
    std::abort();
}

}  // namespace zantoli::fuzz

#define FUZZ_CHECK(condition) \
    ((condition) ? static_cast<void>(0) : ::zantoli::fuzz::Broken(#condition, __FILE__, __LINE__))
