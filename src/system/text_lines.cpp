#include "system/text_lines.h"

namespace zantoli {

void SplitLines(std::string_view contents, const LineSink& sink) {
    std::size_t start = 0;
    const std::size_t size = contents.size();
    while (start < size) {
        std::size_t end = contents.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            sink(contents.substr(start));
            return;
        }
        sink(contents.substr(start, end - start));
        start = end + 1;
        if (contents[end] == '\r' && start < size && contents[start] == '\n') ++start;
    }
}

}  // namespace zantoli
