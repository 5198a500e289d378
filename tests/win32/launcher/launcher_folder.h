// A fresh AppDir for one test, in the temporary folder, with an accented
// name so that every path goes through the wide APIs; removed afterwards.
#pragma once

#include <windows.h>

#include <string>

#include "support/remove_tree.h"
#include "support/window_helpers.h"

namespace zantoli::testing {

using test_support::ExeFolder;

class LauncherFolder {
public:
    LauncherFolder() {
        static int counter = 0;
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        path_ = std::wstring(temp) + L"pellix-L\u00EDnea-" + std::to_wstring(GetCurrentProcessId()) +
                L"-" + std::to_wstring(++counter);
        RemoveTree(path_);
        CreateDirectoryW(path_.c_str(), nullptr);
    }
    ~LauncherFolder() { RemoveTree(path_); }
    LauncherFolder(const LauncherFolder&) = delete;
    LauncherFolder& operator=(const LauncherFolder&) = delete;

    const std::wstring& path() const { return path_; }
    std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }

    bool Write(const std::wstring& name, const std::string& bytes, DWORD attributes = 0) const {
        HANDLE file = CreateFileW((*this / name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return false;
        DWORD written = 0;
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(file);
        return attributes == 0 || SetFileAttributesW((*this / name).c_str(), attributes);
    }

    bool Copy(const std::wstring& from, const std::wstring& name) const {
        return CopyFileW(from.c_str(), (*this / name).c_str(), FALSE) != 0;
    }

    // Whole file as bytes; empty when it does not exist.
    std::string Read(const std::wstring& name) const {
        HANDLE file = CreateFileW((*this / name).c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                  nullptr);
        if (file == INVALID_HANDLE_VALUE) return {};
        std::string bytes;
        char buffer[4096];
        DWORD got = 0;
        while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
            bytes.append(buffer, got);
        CloseHandle(file);
        return bytes;
    }

    bool Exists(const std::wstring& name) const {
        return GetFileAttributesW((*this / name).c_str()) != INVALID_FILE_ATTRIBUTES;
    }

private:
    std::wstring path_;
};

inline std::string Utf8(const std::wstring& wide) {
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), static_cast<int>(wide.size()),
                                          nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), static_cast<int>(wide.size()), out.data(), bytes,
                        nullptr, nullptr);
    return out;
}

}  // namespace zantoli::testing
