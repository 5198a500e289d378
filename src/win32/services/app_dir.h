// The folder both programs take their files from: the running program's own.
#pragma once

#include <string>

namespace zantoli::win32 {

// The folder of the running program file in UTF-8, without a trailing
// backslash. Throws SystemCallError when the system cannot tell it.
std::string AppDir();

}  // namespace zantoli::win32
