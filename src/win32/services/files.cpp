#include "win32/services/files.h"

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "system/file_error.h"
#include "system/text_lines.h"
#include "win32/services/encoding.h"
#include "win32/services/handles.h"
#include "win32/services/win32_error.h"

namespace zantoli::win32 {

namespace {

constexpr DWORD kChunk = 1u << 20;

// Writes all of `bytes`; false with the last error set when the system
// refuses or writes short (a full disk).
bool WriteAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), kChunk));
        DWORD written = 0;
        if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr)) return false;
        if (written != chunk) {
            SetLastError(ERROR_DISK_FULL);
            return false;
        }
        bytes.remove_prefix(chunk);
    }
    return true;
}

HANDLE OpenForWriting(const std::wstring& path) {
    return CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool IsTransientLock(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
           error == ERROR_ACCESS_DENIED;
}

}  // namespace

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(Utf8ToWide(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return false;
    return (attributes &
            (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) == 0;
}

std::optional<FileStamp> FileStampOf(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(Utf8ToWide(path).c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
    const auto join = [](DWORD high, DWORD low) { return (std::uint64_t{high} << 32) | low; };
    return FileStamp{join(data.nFileSizeHigh, data.nFileSizeLow),
                     join(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime)};
}

void ReadFileLines(const std::string& path, const LineSink& sink) {
    std::string contents;
    {
        UniqueFile file(CreateFileW(Utf8ToWide(path).c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.valid()) throw MakeFileError(file_op::kRead, path, GetLastError());
        LARGE_INTEGER size{};
        if (GetFileSizeEx(file.get(), &size) && size.QuadPart > 0)
            contents.reserve(static_cast<std::size_t>(size.QuadPart));
        std::vector<char> buffer(std::size_t{64} * 1024);
        for (;;) {
            DWORD got = 0;
            if (!::ReadFile(file.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &got,
                            nullptr))
                throw MakeFileError(file_op::kRead, path, GetLastError());
            if (got == 0) break;
            contents.append(buffer.data(), got);
        }
    }
    SplitLines(contents, sink);
}

void WriteWholeFile(const std::string& path, std::string_view bytes) {
    UniqueFile file(OpenForWriting(Utf8ToWide(path)));
    if (!file.valid() || !WriteAll(file.get(), bytes) || !file.Reset())
        throw MakeFileError(file_op::kWrite, path, GetLastError());
}

void ReplaceWholeFile(const std::string& path, std::string_view bytes) {
    const std::wstring target = Utf8ToWide(path);
    // Beside the target, so that the rename stays on one volume; named
    // after it, so that a leftover from a crash shows whose it was.
    std::wstring temporary;
    HANDLE created = INVALID_HANDLE_VALUE;
    for (int attempt = 0; created == INVALID_HANDLE_VALUE; ++attempt) {
        temporary = target + L"." + std::to_wstring(GetCurrentProcessId()) + L"-" +
                    std::to_wstring(attempt) + L".tmp";
        created = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
        if (created == INVALID_HANDLE_VALUE &&
            (GetLastError() != ERROR_FILE_EXISTS || attempt == 100))
            throw MakeFileError(file_op::kWrite, path, GetLastError());
    }

    DWORD error = ERROR_SUCCESS;
    {
        UniqueFile file(created);
        if (!WriteAll(file.get(), bytes) || !FlushFileBuffers(file.get()) || !file.Reset())
            error = GetLastError();
    }
    if (error == ERROR_SUCCESS) {
        // Another program reading the old file (an editor, a virus scanner)
        // blocks the rename for a moment.
        for (int attempt = 0;; ++attempt) {
            if (MoveFileExW(temporary.c_str(), target.c_str(),
                            MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
                return;
            error = GetLastError();
            if (!IsTransientLock(error) || attempt == 20) break;
            Sleep(25);
        }
    }
    DeleteFileW(temporary.c_str());
    throw MakeFileError(file_op::kWrite, path, error);
}

void RenameFile(const std::string& from, const std::string& to) {
    if (!MoveFileExW(Utf8ToWide(from).c_str(), Utf8ToWide(to).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        throw MakeFileError(file_op::kRename, from, GetLastError());
}

void RemoveFile(const std::string& path) {
    if (!DeleteFileW(Utf8ToWide(path).c_str()))
        throw MakeFileError(file_op::kDelete, path, GetLastError());
}

}  // namespace zantoli::win32
