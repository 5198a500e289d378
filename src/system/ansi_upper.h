// Upper-casing of single-byte text in the Windows-1252 code page, the
// portable stand-in for the platform's upper-casing in the user's code page.
#pragma once

#include <string>

namespace zantoli {

std::string UpperCaseWindows1252(std::string text);

}  // namespace zantoli
