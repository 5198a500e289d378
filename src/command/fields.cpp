#include "command/fields.h"

namespace zantoli {

std::string_view FieldOf(std::string_view tt, int X, char XC) {
    if (X < 0 || X >= kFieldCount) return {};
    std::size_t start = 0;
    for (int field = 0; field < X; ++field) {
        const std::size_t separator = tt.find(XC, start);
        if (separator == std::string_view::npos) return {};
        start = separator + 1;
    }
    const std::size_t end = tt.find(XC, start);
    return tt.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
}

}  // namespace zantoli
