// Bytes made readable in a failure message: printable ASCII as it is,
// everything else (and the backslash, so the result reads back
// unambiguously) as \xHH. Free of any test framework, so the fuzzers use it
// too.
#pragma once

#include <cstdio>
#include <string>

namespace zantoli::testing {

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

}  // namespace zantoli::testing
