// Text conversions at the boundary to the wide Win32 APIs. Paths and
// messages are UTF-8 in the program; control texts are ANSI (CP_ACP) bytes.
#pragma once

#include <string>
#include <string_view>

namespace zantoli::win32 {

// Invalid UTF-8 becomes U+FFFD; unpaired surrogates likewise on the way back.
std::wstring Utf8ToWide(std::string_view text);
std::string WideToUtf8(std::wstring_view text);

// In the system's ANSI code page. Characters it lacks become its default
// character ("?"), never a look-alike; `lostCharacter`, when given, tells
// whether that happened.
std::wstring AnsiToWide(std::string_view text);
std::string WideToAnsi(std::wstring_view text, bool* lostCharacter = nullptr);

}  // namespace zantoli::win32
