// The system's own wording of a Win32 error code.
#pragma once

#include <string>

#include "system/file_error.h"
#include "system/system_call_error.h"

namespace zantoli::win32 {

// FormatMessage's text for `code` in UTF-8, without the trailing line end;
// "Error de Windows <code>" when the system has no text for it.
std::string Win32ErrorText(unsigned long code);

// A FileError for `path` whose reason is the text of `code`.
FileError MakeFileError(const char* operation, const std::string& path, unsigned long code);

// The calling thread's last error code.
unsigned long LastErrorCode();

// "<what>: <the system's reason for `code`>". `what` says, in Spanish, what
// could not be done.
std::string ErrorMessage(const std::string& what, unsigned long code);

// Throws `Error` (SystemCallError or a kind of it) with ErrorMessage(what,
// code). The code is read where the call is written, before anything else
// can change it.
template <class Error = SystemCallError>
[[noreturn]] void ThrowLastError(const std::string& what, unsigned long code = LastErrorCode()) {
    throw Error(ErrorMessage(what, code), code);
}

}  // namespace zantoli::win32
