// The command window's refusals, as its message boxes show them.
#pragma once

#include <string>

#include "form1/refusals.h"
#include "win32/services/encoding.h"

namespace e2e {

namespace refusals = zantoli::refusals;

inline std::wstring BoxText(const char* text) { return zantoli::win32::Utf8ToWide(text); }

}  // namespace e2e
