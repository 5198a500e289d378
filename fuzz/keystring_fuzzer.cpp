// Key strings as any bytes.
//
// Checked for every input: the parser either returns strokes or throws its
// own KeyStringError pointing into the string (any other exception ends the
// run as a crash); strokes carry only the three modifiers and valid code
// points; plain text is one unmodified stroke per character.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "system/keystring.h"

namespace {

// Printable ASCII that the notation gives no meaning.
bool PlainText(std::string_view keys) {
    for (const char c : keys) {
        if (c < 0x20 || c > 0x7E) return false;
        if (std::string_view("+^%~(){}").find(c) != std::string_view::npos) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view keys(reinterpret_cast<const char*>(data), size);
    std::vector<zantoli::KeyStroke> strokes;
    try {
        strokes = zantoli::ParseKeyString(keys);
    } catch (const zantoli::KeyStringError& error) {
        FUZZ_CHECK(error.position() < size);
        FUZZ_CHECK(std::string_view(error.what()).rfind("Cadena de teclas no válida", 0) == 0);
        FUZZ_CHECK(!PlainText(keys));
        return 0;
    }
    FUZZ_CHECK(strokes.size() <= size * zantoli::kMaxKeyRepeat);
    for (const auto& stroke : strokes) {
        FUZZ_CHECK((stroke.modifiers & ~7u) == 0);
        if (stroke.isCharacter) {
            FUZZ_CHECK(stroke.character <= 0x10FFFF);
            FUZZ_CHECK(stroke.character < 0xD800 || stroke.character > 0xDFFF);
        }
    }
    if (PlainText(keys)) {
        FUZZ_CHECK(strokes.size() == size);
        for (std::size_t i = 0; i < size; ++i) {
            FUZZ_CHECK(strokes[i] == zantoli::KeyStroke::Character(static_cast<unsigned char>(keys[i])));
        }
    }
    return 0;
}
