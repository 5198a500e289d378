// A System over the real file system of the machine running the
// benchmark: the files part reads and writes the disk, the upper-casing and
// the desktop are the in-memory ones of the unit tests.
#pragma once

#include <string>
#include <utility>

#include "fakes/fake_system.h"

namespace zantoli::bench {

class DiskSystem : public testing::FakeSystem {
public:
    // `appDir` in the native form; the program's paths use backslashes,
    // which are turned into the native separator.
    explicit DiskSystem(std::string appDir) { this->appDir = std::move(appDir); }

    bool FileExists(const std::string& path) const override;
    void ReadLines(const std::string& path, const LineSink& sink) const override;
    std::optional<FileStamp> StampOf(const std::string& path) const override;
    void WriteFile(const std::string& path, std::string_view bytes) override;
    void ReplaceContents(const std::string& path, std::string_view bytes) override;
    void Rename(const std::string& from, const std::string& to) override;
    void Kill(const std::string& path) override;

private:
    // Kept between reads so that a large file does not cost an allocation
    // every time it is read.
    mutable std::string contents_;
};

}  // namespace zantoli::bench
