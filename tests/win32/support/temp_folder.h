// A fresh folder for one test under the temporary folder, removed with
// everything in it (read-only and hidden files included) when the test ends.
// Shared by the Win32 and end-to-end tests.
#pragma once

#include <windows.h>

#include <atomic>
#include <optional>
#include <string>

#include "win32/services/handles.h"

namespace zantoli::test_support {

inline void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW data;
    const zantoli::win32::UniqueFind find(FindFirstFileW((folder + L"\\*").c_str(), &data));
    if (find.valid()) {
        do {
            const std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring path = folder + L"\\" + name;
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else
                DeleteFileW(path.c_str());
        } while (FindNextFileW(find.get(), &data));
    }
    RemoveDirectoryW(folder.c_str());
}

// Everything left to read from a file or a pipe.
inline std::string ReadToEnd(HANDLE from) {
    std::string bytes;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(from, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
    return bytes;
}

// The whole file as bytes, read without the code under test; nothing when
// it cannot be opened.
inline std::optional<std::string> FileBytes(const std::wstring& path) {
    const zantoli::win32::UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                      nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file.valid()) return std::nullopt;
    return ReadToEnd(file.get());
}

// False where a read-only file can still be opened for writing, as under
// Wine run as root: the tests of a refused write then have nothing to show.
inline bool ReadOnlyHolds(const std::wstring& path) {
    const zantoli::win32::UniqueFile probe(
        CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    return !probe.valid();
}

class TempFolder {
public:
    // `prefix` may hold any letters the user's folders can, so that every
    // path goes through the wide APIs.
    explicit TempFolder(const std::wstring& prefix) {
        static std::atomic<int> counter{0};
        wchar_t temp[MAX_PATH + 1] = {};
        GetTempPathW(MAX_PATH + 1, temp);
        path_ = std::wstring(temp) + prefix + L"-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                std::to_wstring(GetTickCount()) + L"-" + std::to_wstring(++counter);
        RemoveTree(path_);
        CreateDirectoryW(path_.c_str(), nullptr);
    }
    ~TempFolder() { RemoveTree(path_); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::wstring& path() const { return path_; }
    std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }

    bool Write(const std::wstring& name, const std::string& bytes, DWORD attributes = 0) const {
        zantoli::win32::UniqueFile file(
            CreateFileW((*this / name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.valid()) return false;
        DWORD written = 0;
        const bool wrote = WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                           written == bytes.size() && file.Reset();
        return wrote && (attributes == 0 || SetFileAttributesW((*this / name).c_str(), attributes));
    }

    bool Copy(const std::wstring& from, const std::wstring& name) const {
        return CopyFileW(from.c_str(), (*this / name).c_str(), FALSE) != 0;
    }

    // The whole file as bytes; empty when it does not exist.
    std::string Read(const std::wstring& name) const {
        return FileBytes(*this / name).value_or("");
    }

    bool Exists(const std::wstring& name) const {
        return GetFileAttributesW((*this / name).c_str()) != INVALID_FILE_ATTRIBUTES;
    }

private:
    std::wstring path_;
};

}  // namespace zantoli::test_support
