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
    : handle_(std::exchange(other.handle_, nullptr)), id_(std::exchange(other.id_, 0)) {}

ChildProcess& ChildProcess::operator=(ChildProcess&& other) noexcept {
    if (this != &other) {
        Kill();
        handle_ = std::exchange(other.handle_, nullptr);
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
    CloseHandle(pi.hThread);
    ChildProcess child;
    child.handle_ = pi.hProcess;
    child.id_ = pi.dwProcessId;
    return child;
}

ChildProcess ChildProcess::Adopt(DWORD pid) {
    ChildProcess child;
    child.handle_ = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (!child.handle_) throw std::runtime_error("cannot open process " + std::to_string(pid) + ": " + LastError());
    child.id_ = pid;
    return child;
}

bool ChildProcess::Running() const { return handle_ && WaitForSingleObject(handle_, 0) == WAIT_TIMEOUT; }

bool ChildProcess::WaitExit(Millis timeout) const {
    return !handle_ || WaitForSingleObject(handle_, static_cast<DWORD>(timeout.count())) == WAIT_OBJECT_0;
}

std::optional<DWORD> ChildProcess::ExitCode() const {
    DWORD code = 0;
    if (!handle_ || !GetExitCodeProcess(handle_, &code) || code == STILL_ACTIVE) return std::nullopt;
    return code;
}

void ChildProcess::Kill() {
    if (!handle_) return;
    if (Running()) {
        TerminateProcess(handle_, 99);
        WaitForSingleObject(handle_, 5000);
    }
    CloseHandle(handle_);
    handle_ = nullptr;
    id_ = 0;
}

}  // namespace e2e
