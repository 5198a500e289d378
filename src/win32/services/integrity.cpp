#include "win32/services/integrity.h"

#include <vector>

#include "win32/services/handles.h"

namespace zantoli::win32 {

std::optional<DWORD> IntegrityLevelOf(HANDLE process) {
    HANDLE rawToken = nullptr;
    if (!OpenProcessToken(process, TOKEN_QUERY, &rawToken)) return std::nullopt;
    const UniqueKernelHandle token(rawToken);
    DWORD size = 0;
    GetTokenInformation(token.get(), TokenIntegrityLevel, nullptr, 0, &size);
    if (size < sizeof(TOKEN_MANDATORY_LABEL)) return std::nullopt;
    std::vector<unsigned char> buffer(size);
    if (!GetTokenInformation(token.get(), TokenIntegrityLevel, buffer.data(), size, &size))
        return std::nullopt;
    const auto* label = reinterpret_cast<const TOKEN_MANDATORY_LABEL*>(buffer.data());
    const PSID sid = label->Label.Sid;
    if (sid == nullptr || !IsValidSid(sid)) return std::nullopt;
    const UCHAR count = *GetSidSubAuthorityCount(sid);
    if (count == 0) return std::nullopt;
    return *GetSidSubAuthority(sid, count - 1u);
}

bool RunsAtHigherIntegrity(HWND window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId == 0 || processId == GetCurrentProcessId()) return false;
    // Limited query rights are granted even on an elevated process.
    const UniqueKernelHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process.valid()) return false;
    const std::optional<DWORD> theirs = IntegrityLevelOf(process.get());
    // A process's own level never changes: read once, not for every command.
    static const std::optional<DWORD> ours = IntegrityLevelOf(GetCurrentProcess());
    return theirs && ours && *theirs > *ours;
}

}  // namespace zantoli::win32
