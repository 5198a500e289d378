#include "process_probe.h"

#include <psapi.h>
#include <winternl.h>

#include <vector>

#include "win32/services/handles.h"

namespace soak {
namespace {

// One entry of the GDI handle table the system maps into every GUI process
// and points to from its PEB (the layout of 64-bit Windows, kept by Wine).
struct GdiCell {
    std::uint64_t object;
    std::uint32_t owner;
    std::uint16_t unique;
    std::uint8_t type;
    std::uint8_t flags;
    std::uint64_t user;
};
static_assert(sizeof(GdiCell) == 24, "GDI handle table entry");
constexpr size_t kGdiCells = 0x10000;
constexpr size_t kPebGdiTableOffset = 0xF8;

long long GdiTableEntries(HANDLE process) {
    using QueryInformation = NTSTATUS(WINAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
    const auto query = reinterpret_cast<QueryInformation>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"ntdll"), "NtQueryInformationProcess")));
    if (!query) return -1;
    PROCESS_BASIC_INFORMATION basic{};
    ULONG length = 0;
    if (query(process, ProcessBasicInformation, &basic, sizeof basic, &length) != 0 || !basic.PebBaseAddress)
        return -1;
    void* table = nullptr;
    SIZE_T got = 0;
    if (!ReadProcessMemory(process, reinterpret_cast<char*>(basic.PebBaseAddress) + kPebGdiTableOffset, &table,
                           sizeof table, &got) ||
        !table)
        return -1;
    std::vector<GdiCell> cells(kGdiCells);
    if (!ReadProcessMemory(process, table, cells.data(), cells.size() * sizeof(GdiCell), &got)) return -1;
    long long live = 0;
    for (size_t i = 0; i < got / sizeof(GdiCell); ++i)
        if (cells[i].object) ++live;
    return live;
}

struct WindowCount {
    DWORD pid;
    long long count;
};

BOOL CALLBACK CountChild(HWND, LPARAM param) {
    ++reinterpret_cast<WindowCount*>(param)->count;
    return TRUE;
}

BOOL CALLBACK CountTop(HWND hwnd, LPARAM param) {
    auto* count = reinterpret_cast<WindowCount*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner == count->pid) {
        ++count->count;
        EnumChildWindows(hwnd, CountChild, param);
    }
    return TRUE;
}

long long CommittedPrivate(HANDLE process) {
    long long total = 0;
    MEMORY_BASIC_INFORMATION info{};
    const char* address = nullptr;
    while (VirtualQueryEx(process, address, &info, sizeof info) == sizeof info) {
        if (info.State == MEM_COMMIT && info.Type == MEM_PRIVATE) total += static_cast<long long>(info.RegionSize);
        const char* next = static_cast<const char*>(info.BaseAddress) + info.RegionSize;
        if (next <= address) break;
        address = next;
    }
    return total;
}

}  // namespace

ProcessFigures Measure(DWORD pid) {
    ProcessFigures figures;
    zantoli::win32::UniqueKernelHandle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid));
    if (!process.get()) return figures;

    SetLastError(ERROR_SUCCESS);
    const DWORD user = GetGuiResources(process.get(), GR_USEROBJECTS);
    const DWORD gdi = GetGuiResources(process.get(), GR_GDIOBJECTS);
    if (GetLastError() != ERROR_CALL_NOT_IMPLEMENTED && (user || gdi)) {
        figures.userObjects = user;
        figures.gdiObjects = gdi;
    }
    figures.gdiTableEntries = GdiTableEntries(process.get());
    WindowCount windows{pid, 0};
    EnumWindows(CountTop, reinterpret_cast<LPARAM>(&windows));
    figures.windows = windows.count;
    DWORD handles = 0;
    // Wine answers 0 for every process; a live process holds at least one.
    if (GetProcessHandleCount(process.get(), &handles) && handles > 0) figures.kernelHandles = handles;

    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(process.get(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory))
        figures.privateBytes =
            static_cast<long long>(memory.PrivateUsage ? memory.PrivateUsage : memory.PagefileUsage);
    figures.committedPrivate = CommittedPrivate(process.get());
    return figures;
}

std::string Format(const ProcessFigures& f, const std::string& prefix) {
    std::string out;
    const auto line = [&](const char* name, long long value) {
        out += prefix + name + "=" + (value < 0 ? std::string("n/a") : std::to_string(value)) + "\n";
    };
    line("gui_user_objects", f.userObjects);
    line("gui_gdi_objects", f.gdiObjects);
    line("gdi_table_entries", f.gdiTableEntries);
    line("windows", f.windows);
    line("kernel_handles", f.kernelHandles);
    line("private_bytes", f.privateBytes);
    line("committed_private_bytes", f.committedPrivate);
    return out;
}

}  // namespace soak
