#include "disk_system.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "system/file_error.h"
#include "system/text_lines.h"

namespace zantoli::bench {

namespace {

std::filesystem::path Native(std::string path) {
    for (char& c : path) {
        if (c == '\\') c = '/';
    }
    return std::filesystem::path(path);
}

std::string Reason() { return std::strerror(errno); }

}  // namespace

bool DiskSystem::FileExists(const std::string& path) const {
    std::error_code error;
    return std::filesystem::is_regular_file(Native(path), error);
}

std::optional<FileStamp> DiskSystem::StampOf(const std::string& path) const {
    std::error_code error;
    const auto size = std::filesystem::file_size(Native(path), error);
    if (error) return std::nullopt;
    const auto time = std::filesystem::last_write_time(Native(path), error);
    if (error) return std::nullopt;
    return FileStamp{size, static_cast<std::uint64_t>(time.time_since_epoch().count())};
}

void DiskSystem::ReadLines(const std::string& path, const LineSink& sink) const {
    std::ifstream in(Native(path), std::ios::binary);
    if (!in) throw FileError(file_op::kRead, path, Reason());
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    in.seekg(0, std::ios::beg);
    if (size < 0) throw FileError(file_op::kRead, path, Reason());
    contents_.resize(static_cast<std::size_t>(size));
    if (!in.read(contents_.data(), size)) throw FileError(file_op::kRead, path, Reason());
    SplitLines(contents_, sink);
}

void DiskSystem::WriteFile(const std::string& path, std::string_view bytes) {
    std::ofstream out(Native(path), std::ios::binary | std::ios::trunc);
    if (!out) throw FileError(file_op::kWrite, path, Reason());
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) throw FileError(file_op::kWrite, path, Reason());
}

void DiskSystem::ReplaceContents(const std::string& path, std::string_view bytes) {
    const std::string temporary = path + ".tmp";
    WriteFile(temporary, bytes);
    std::error_code error;
    std::filesystem::rename(Native(temporary), Native(path), error);
    if (error) throw FileError(file_op::kWrite, path, error.message());
}

void DiskSystem::Rename(const std::string& from, const std::string& to) {
    std::error_code error;
    std::filesystem::rename(Native(from), Native(to), error);
    if (error) throw FileError(file_op::kRename, from, error.message());
}

void DiskSystem::Kill(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::remove(Native(path), error))
        throw FileError(file_op::kDelete, path, error ? error.message() : "No existe.");
}

}  // namespace zantoli::bench
