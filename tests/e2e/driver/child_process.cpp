#include "driver/child_process.h"

#include <stdexcept>
#include <utility>

#include "driver/text.h"

namespace e2e {
namespace {

std::wstring Quoted(const std::wstring& arg) {
    std::wstring out = L"\"";
    size_t backslashes = 0;
    for (wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        out.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        out += c;
    }
    out.append(backslashes * 2, L'\\');
    return out + L"\"";
}

}  // namespace

ChildProcess::~ChildProcess() { Kill(); }

ChildProcess::ChildProcess(ChildProcess&& other) noexcept
    : handle_(std::move(other.handle_)), id_(std::exchange(other.id_, 0)) {}

ChildProcess& ChildProcess::operator=(ChildProcess&& other) noexcept {
    if (this != &other) {
        Kill();
        handle_ = std::move(other.handle_);
        id_ = std::exchange(other.id_, 0);
    }
    return *this;
}

ChildProcess ChildProcess::Start(const std::wstring& exe, const std::vector<std::wstring>& args,
                                 const std::wstring& workDir) {
    std::wstring commandLine = Quoted(exe);
    for (const auto& arg : args) commandLine += L" " + Quoted(arg);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        workDir.empty() ? nullptr : workDir.c_str(), &si, &pi))
        throw std::runtime_error("cannot start " + Narrow(exe) + ": " + LastError());
    const zantoli::win32::UniqueKernelHandle thread(pi.hThread);
    ChildProcess child;
    child.handle_.Reset(pi.hProcess);
    child.id_ = pi.dwProcessId;
    return child;
}

ChildProcess ChildProcess::Adopt(DWORD pid) {
    ChildProcess child;
    child.handle_.Reset(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
    if (!child.handle_.valid()) throw std::runtime_error("cannot open process " + std::to_string(pid) + ": " + LastError());
    child.id_ = pid;
    return child;
}

bool ChildProcess::Running() const {
    return handle_.valid() && WaitForSingleObject(handle_.get(), 0) == WAIT_TIMEOUT;
}

bool ChildProcess::WaitExit(Millis timeout) const {
    return !handle_.valid() || WaitForSingleObject(handle_.get(), static_cast<DWORD>(timeout.count())) == WAIT_OBJECT_0;
}

std::optional<DWORD> ChildProcess::ExitCode() const {
    DWORD code = 0;
    if (!handle_.valid() || !GetExitCodeProcess(handle_.get(), &code) || code == STILL_ACTIVE) return std::nullopt;
    return code;
}

void ChildProcess::Kill() {
    if (!handle_.valid()) return;
    if (Running()) {
        TerminateProcess(handle_.get(), 99);
        WaitForSingleObject(handle_.get(), 5000);
    }
    handle_.Reset();
    id_ = 0;
}

}  // namespace e2e
