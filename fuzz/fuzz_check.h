// A broken invariant stops the fuzzer with the reason, so the crash report
// says what went wrong and not only where.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

namespace zantoli::fuzz {

[[noreturn]] inline void Broken(const char* condition, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: invariant broken: %s\n", file, line, condition);
    std::abort();
}

// The bytes of `text` with everything outside printable ASCII escaped.
inline std::string Shown(const std::string& text) {
    std::string shown;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F && byte != '\\') {
            shown += c;
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            shown += escaped;
        }
    }
    return shown;
}

}  // namespace zantoli::fuzz

#define FUZZ_CHECK(condition) \
    ((condition) ? static_cast<void>(0) : ::zantoli::fuzz::Broken(#condition, __FILE__, __LINE__))
