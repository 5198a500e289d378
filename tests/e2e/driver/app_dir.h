// A fresh installation folder per test under the temporary folder:
//   <root>\<AppDir name>\zantoli.exe, alias.dat, var\      <root>\cad.log
#pragma once

#include <optional>
#include <string>

#include "support/temp_folder.h"

namespace e2e {

// A program of the build: it lies beside the running test program.
std::wstring ProgramPath(const std::wstring& name);

class TempAppDir {
public:
    // `folderName` may hold any letters the user's folders can.
    explicit TempAppDir(const std::wstring& folderName = L"AppDir");

    const std::wstring& path() const { return appDir_; }
    const std::wstring& root() const { return root_.path(); }
    std::wstring File(const std::wstring& name) const { return appDir_ + L"\\" + name; }

    void CopyIn(const std::wstring& source, const std::wstring& name) const;
    void Write(const std::wstring& name, const std::string& bytes) const;

private:
    zantoli::test_support::TempFolder root_;
    std::wstring appDir_;
};

using zantoli::test_support::FileBytes;
bool FileExists(const std::wstring& path);

}  // namespace e2e
