// Time from starting a program to its window being visible, for zantoli.exe
// against a minimal window program, started alternately; medians compared.
// The window counts as visible once it has WS_VISIBLE, that is once the
// program has shown it, before it is painted.
//   startup-bench.exe <zantoli.exe> <baseline.exe> [repetitions] [yardstick.exe]
// Exit code 0 when zantoli.exe's median is within 1.2 times the baseline's,
// 3 when it is not, 2 when a program could not be measured.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr double kTarget = 1.2;
constexpr DWORD kGiveUpMs = 20000;

double Now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// Milliseconds from CreateProcess to a visible top-level window titled
// `title`; negative when the program failed to start or never showed it.
double MeasureOnce(const std::wstring& program, const wchar_t* title) {
    if (HWND stale = FindWindowW(nullptr, title)) {
        std::fwprintf(stderr, L"a window \"%ls\" is already open (%p)\n", title,
                      static_cast<void*>(stale));
        return -1;
    }
    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;  // as the launcher starts it
    PROCESS_INFORMATION process{};

    const double start = Now();
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        std::fwprintf(stderr, L"cannot start %ls: error %lu\n", program.c_str(), GetLastError());
        return -1;
    }
    double shown = -1;
    while (Now() - start < kGiveUpMs) {
        HWND window = FindWindowW(nullptr, title);
        if (window && IsWindowVisible(window)) {
            shown = Now() - start;
            break;
        }
        if (WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0) break;
        SwitchToThread();
    }
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 5000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    // Let the window's destruction reach the server before the next start.
    while (FindWindowW(nullptr, title)) Sleep(1);
    return shown;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void Print(const wchar_t* name, const std::vector<double>& times) {
    std::wprintf(L"%-9ls", name);
    for (double t : times) std::wprintf(L" %6.1f", t);
    std::wprintf(L"   median %6.1f  min %6.1f ms\n", Median(times),
                 *std::min_element(times.begin(), times.end()));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fwprintf(stderr,
                      L"usage: startup-bench <zantoli.exe> <baseline.exe> [repetitions] [yardstick.exe]\n");
        return 2;
    }
    const std::wstring zantoli = argv[1], baseline = argv[2];
    const int repetitions = argc > 3 ? std::max(1, _wtoi(argv[3])) : 15;
    // The window plus one version-6 combo box: how much of zantoli's lead
    // the common controls alone take.
    const std::wstring yardstick = argc > 4 ? argv[4] : L"";

    // One unmeasured start of each fills the caches.
    if (MeasureOnce(baseline, L"Startup baseline") < 0 ||
        MeasureOnce(zantoli, L"Linea de comando") < 0) {
        return 2;
    }
    if (!yardstick.empty() && MeasureOnce(yardstick, L"Startup yardstick") < 0) return 2;
    std::vector<double> baselineTimes, zantoliTimes, yardstickTimes;
    for (int i = 0; i < repetitions; ++i) {
        const double b = MeasureOnce(baseline, L"Startup baseline");
        const double z = MeasureOnce(zantoli, L"Linea de comando");
        if (b < 0 || z < 0) return 2;
        baselineTimes.push_back(b);
        zantoliTimes.push_back(z);
        if (!yardstick.empty()) {
            const double y = MeasureOnce(yardstick, L"Startup yardstick");
            if (y < 0) return 2;
            yardstickTimes.push_back(y);
        }
    }
    Print(L"baseline", baselineTimes);
    Print(L"zantoli", zantoliTimes);
    if (!yardstickTimes.empty()) {
        Print(L"yardstick", yardstickTimes);
        std::wprintf(L"yardstick ratio %.2f (a bare window with one combo box and the manifest)\n",
                     Median(yardstickTimes) / Median(baselineTimes));
    }
    // Neighbouring starts share the machine's load; the median of their
    // ratios tells how much of a difference is the programs' own.
    std::vector<double> pairRatios;
    for (std::size_t i = 0; i < zantoliTimes.size(); ++i) {
        pairRatios.push_back(zantoliTimes[i] / baselineTimes[i]);
    }
    std::wprintf(L"median of paired ratios %.2f\n", Median(pairRatios));
    const double ratio = Median(zantoliTimes) / Median(baselineTimes);
    const bool met = ratio <= kTarget;
    std::wprintf(L"ratio %.2f (target at most %.1f): %ls\n", ratio, kTarget, met ? L"met" : L"NOT met");
    return met ? 0 : 3;
}
