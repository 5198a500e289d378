#include "driver/app_dir.h"

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "driver/text.h"
#include "support/window_helpers.h"

namespace e2e {
namespace fs = std::filesystem;

std::wstring ProgramPath(const std::wstring& name) {
    return zantoli::test_support::ExeFolder() + L"\\" + name;
}

TempAppDir::TempAppDir(const std::wstring& folderName) : root_(L"zantoli-e2e"), appDir_(root_ / folderName) {
    fs::create_directories(fs::path(appDir_) / L"var");
}

void TempAppDir::CopyIn(const std::wstring& source, const std::wstring& name) const {
    std::error_code error;
    fs::copy_file(source, File(name), fs::copy_options::overwrite_existing, error);
    if (error) throw std::runtime_error("cannot copy " + Narrow(source) + " into the AppDir: " + error.message());
}

void TempAppDir::Write(const std::wstring& name, const std::string& bytes) const {
    std::ofstream out(fs::path(File(name)), std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out.flush()) throw std::runtime_error("cannot write " + Narrow(File(name)));
}

bool FileExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace e2e
