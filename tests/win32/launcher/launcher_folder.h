// A fresh folder for one launcher test, with an accented name.
#pragma once

#include <string>

#include "support/temp_folder.h"
#include "support/window_helpers.h"
#include "win32/services/encoding.h"

namespace zantoli::testing {

using test_support::ExeFolder;

class LauncherFolder : public test_support::TempFolder {
public:
    LauncherFolder() : TempFolder(L"pellix-L\u00EDnea") {}
};

inline std::string Utf8(const std::wstring& wide) { return win32::WideToUtf8(wide); }

}  // namespace zantoli::testing
