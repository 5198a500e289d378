#include "win32/services/encoding.h"

#include <windows.h>

#include <limits>
#include <stdexcept>

namespace zantoli::win32 {

namespace {

int CheckedLength(std::size_t size) {
    if (size > static_cast<std::size_t>(std::numeric_limits<int>::max()))
        throw std::length_error("Texto demasiado largo para convertirlo");
    return static_cast<int>(size);
}

std::wstring ToWide(UINT codePage, std::string_view text) {
    if (text.empty()) return {};
    const int length = CheckedLength(text.size());
    const int needed = MultiByteToWideChar(codePage, 0, text.data(), length, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(needed), L'\0');
    if (needed > 0) MultiByteToWideChar(codePage, 0, text.data(), length, wide.data(), needed);
    return wide;
}

std::string FromWide(UINT codePage, std::wstring_view text, bool* lostCharacter) {
    if (lostCharacter) *lostCharacter = false;
    if (text.empty()) return {};
    const int length = CheckedLength(text.size());
    // Without WC_NO_BEST_FIT_CHARS a character the code page lacks becomes
    // a look-alike ("π" becomes "p"), which would change a command. UTF-8
    // takes neither the flag nor the question, and loses nothing.
    const bool utf8 = codePage == CP_UTF8 || (codePage == CP_ACP && GetACP() == CP_UTF8);
    const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* const usedDefaultPtr = utf8 ? nullptr : &usedDefault;
    const int needed =
        WideCharToMultiByte(codePage, flags, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(needed), '\0');
    if (needed > 0)
        WideCharToMultiByte(codePage, flags, text.data(), length, bytes.data(), needed, nullptr,
                            usedDefaultPtr);
    if (lostCharacter) *lostCharacter = usedDefault != FALSE;
    return bytes;
}

}  // namespace

std::wstring Utf8ToWide(std::string_view text) { return ToWide(CP_UTF8, text); }
std::string WideToUtf8(std::wstring_view text) { return FromWide(CP_UTF8, text, nullptr); }
std::wstring AnsiToWide(std::string_view text) { return ToWide(CP_ACP, text); }
std::string WideToAnsi(std::wstring_view text, bool* lostCharacter) {
    return FromWide(CP_ACP, text, lostCharacter);
}

}  // namespace zantoli::win32
