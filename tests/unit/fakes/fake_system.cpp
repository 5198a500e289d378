#include "fakes/fake_system.h"

#include <algorithm>
#include <functional>

#include "system/ansi_upper.h"
#include "system/app_files.h"
#include "system/file_error.h"
#include "system/text_lines.h"

namespace zantoli::testing {

namespace {
const char* const kFileNotFound = "El sistema no puede encontrar el archivo especificado.";
const char* const kPathNotFound = "El sistema no puede encontrar la ruta especificada.";

std::string ParentOf(const std::string& path) {
    const auto slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}
}  // namespace

FakeSystem::FakeSystem() {
    folders.insert(appDir);
    folders.insert(appDir + "\\var");
}

bool FakeSystem::FileExists(const std::string& path) const {
    return files.count(path) != 0 && hiddenFiles.count(path) == 0;
}

std::optional<FileStamp> FakeSystem::StampOf(const std::string& path) const {
    const auto file = files.find(path);
    if (file == files.end()) return std::nullopt;
    return FileStamp{file->second.size(), std::hash<std::string>{}(file->second)};
}

void FakeSystem::ReadLines(const std::string& path, const LineSink& sink) const {
    reads.push_back(path);
    if (auto failure = readFailures.find(path); failure != readFailures.end())
        throw FileError(file_op::kRead, path, failure->second);
    const auto file = files.find(path);
    if (file == files.end()) throw FileError(file_op::kRead, path, kFileNotFound);
    SplitLines(file->second, sink);
}

void FakeSystem::CheckWritable(const std::string& path) const {
    if (auto failure = writeFailures.find(path); failure != writeFailures.end())
        throw FileError(file_op::kWrite, path, failure->second);
    if (folders.count(ParentOf(path)) == 0) throw FileError(file_op::kWrite, path, kPathNotFound);
}

void FakeSystem::WriteFile(const std::string& path, std::string_view bytes) {
    CheckWritable(path);
    files[path] = std::string(bytes);
    writes.push_back(path);
    if (onWrite) onWrite(path);
}

void FakeSystem::ReplaceContents(const std::string& path, std::string_view bytes) {
    WriteFile(path, bytes);
}

void FakeSystem::Kill(const std::string& path) {
    if (files.erase(path) == 0) throw FileError(file_op::kDelete, path, kFileNotFound);
    hiddenFiles.erase(path);
    deletes.push_back(path);
}

void FakeSystem::Rename(const std::string& from, const std::string& to) {
    const auto file = files.find(from);
    if (file == files.end()) throw FileError(file_op::kRename, from, kFileNotFound);
    CheckWritable(to);
    std::string contents = std::move(file->second);
    files.erase(file);
    files[to] = std::move(contents);
    writes.push_back(to);
}

int FakeSystem::MsgBox(const std::string& prompt, const std::string& title, int style) {
    messages.push_back({prompt, title, style});
    if (onMsgBox) onMsgBox(messages.back());
    return 1;  // OK
}

Activation FakeSystem::AppActivate(const std::string& title, bool wait) {
    activations.push_back({title, wait});
    if (wait && whileWaitingForFocus) whileWaitingForFocus();
    const std::string* found = nullptr;
    for (const auto& candidate : windowTitles)
        if (!found && candidate == title) found = &candidate;
    for (const auto& candidate : windowTitles)
        if (!found && candidate.compare(0, title.size(), title) == 0) found = &candidate;
    if (!found) return Activation::NotFound;
    if (auto refusal = windowRefusals.find(*found); refusal != windowRefusals.end())
        return refusal->second;
    activeTitle = *found;
    foreground = kActivatedWindow;
    return Activation::InFront;
}

bool FakeSystem::SendKeys(const std::string& keys) {
    if (keysRefused) return false;
    keysSent.push_back({keys, activeTitle});
    const auto refusal = windowRefusals.find(activeTitle);
    if (refusal != windowRefusals.end() && refusal->second == Activation::Busy)
        ++cadQueuedHotkeys;
    else
        cadEvaluated.push_back(files[appDir + app_files::kExchange]);
    return true;
}

void FakeSystem::CadAnswersAgain() {
    windowRefusals.erase(activeTitle);
    for (; cadQueuedHotkeys > 0; --cadQueuedHotkeys)
        cadEvaluated.push_back(files[appDir + app_files::kExchange]);
}

void FakeSystem::DoEvents() {
    ++doEventsCount;
    if (onDoEvents) onDoEvents();
}

void FakeSystem::End(int code) {
    exitCode = code;
    throw ProgramEnded{};
}

std::vector<FakeSystem::Monitor> FakeSystem::Monitors() const {
    std::vector<Monitor> all{{0, 0, screenWidth, screenHeight}};
    all.insert(all.end(), otherMonitors.begin(), otherMonitors.end());
    return all;
}

float FakeSystem::VirtualScreenRight() const {
    float right = 0;
    for (const Monitor& m : Monitors()) right = std::max(right, m.left + m.width);
    return right;
}

float FakeSystem::VirtualScreenBottom() const {
    float bottom = 0;
    for (const Monitor& m : Monitors()) bottom = std::max(bottom, m.top + m.height);
    return bottom;
}

std::vector<ScreenArea> FakeSystem::WorkAreas() const {
    return workAreas.empty() ? Monitors() : workAreas;
}

std::string FakeSystem::UCase(const std::string& text) const { return UpperCaseWindows1252(text); }

}  // namespace zantoli::testing
