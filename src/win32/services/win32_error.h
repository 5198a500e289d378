// The system's own wording of a Win32 error code.
#pragma once

#include <string>

#include "system/file_error.h"

namespace zantoli::win32 {

// FormatMessage's text for `code` in UTF-8, without the trailing line end;
// "Error de Windows <code>" when the system has no text for it.
std::string Win32ErrorText(unsigned long code);

// A FileError for `path` whose reason is the text of `code`.
FileError MakeFileError(const char* operation, const std::string& path, unsigned long code);

// "<what>: <the system's reason for the thread's last error>". `what` says,
// in Spanish, what could not be done.
std::string LastErrorMessage(const std::string& what);

// Throws std::runtime_error with LastErrorMessage(what).
[[noreturn]] void ThrowLastError(const std::string& what);

}  // namespace zantoli::win32
