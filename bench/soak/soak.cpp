// soak.exe: many commands through one command window, typed as a user
// types them, with the CAD stand-in receiving every one.
//   soak.exe --zantoli EXE --standin EXE --sender EXE --aliases FILE
//            [--count N] [--mode repeat|vary|key] [--baseline-every K] [--report FILE]
//            [--options FILE]   (copied beside zantoli.exe as opciones.ini)
// repeat sends one command again and again, vary a new one each time, key
// one command each time brought by the system-wide key (Ctrl+Alt+Space)
// from the CAD window.
// Records what zantoli.exe holds at its start, after a warm-up and at the
// end, and the time from Enter to the stand-in's log growing, for the
// command window and, interleaved in the same run, for the two reference
// senders (the minimal one, and one doing the command window's work). With
// a sample of the same-work sender after every command, the ratio of each
// pair is summarised too: the machine's pace changes alike for both.
// Exit status 0 when every command arrived as sent, 1 otherwise, 2 on bad use.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>
#include <filesystem>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "driver/app_dir.h"
#include "driver/child_process.h"
#include "driver/desktop.h"
#include "driver/keyboard.h"
#include "driver/session.h"
#include "driver/text.h"
#include "process_probe.h"

namespace {

using namespace e2e;
using Clock = std::chrono::steady_clock;
using Lines = std::vector<std::string>;

struct Options {
    std::wstring zantoli, standin, sender, aliases, options, report;
    long count = 10000;
    std::wstring mode = L"repeat";
    long baselineEvery = 1;
    long warmup = 20;
};

// Polls every millisecond: the waits here sit inside measured intervals.
bool Poll(const std::function<bool()>& condition, Millis timeout) {
    const auto end = Clock::now() + timeout;
    for (;;) {
        if (condition()) return true;
        if (Clock::now() >= end) return false;
        Sleep(1);
    }
}

long long FileSize(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return 0;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// Woken by the file system as the file's folder changes, so that the time
// taken is not rounded up to a sleep step (a millisecond under Wine is a
// sixth of a command). Made before the measured interval begins.
class GrowthWatch {
public:
    explicit GrowthWatch(std::wstring path)
        : path_(std::move(path)),
          change_(FindFirstChangeNotificationW(path_.substr(0, path_.find_last_of(L'\\')).c_str(), FALSE,
                                               FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE)) {}
    ~GrowthWatch() {
        if (change_ != INVALID_HANDLE_VALUE) FindCloseChangeNotification(change_);
    }
    GrowthWatch(const GrowthWatch&) = delete;
    GrowthWatch& operator=(const GrowthWatch&) = delete;

    // True once the file holds more than `size` bytes.
    bool Wait(long long size, Millis timeout) {
        if (change_ == INVALID_HANDLE_VALUE) return Poll([&] { return FileSize(path_) > size; }, timeout);
        const auto end = Clock::now() + timeout;
        for (;;) {
            if (FileSize(path_) > size) return true;
            const auto left = std::chrono::duration_cast<Millis>(end - Clock::now()).count();
            if (left <= 0) return false;
            // Bounded, in case a change is not reported.
            if (WaitForSingleObject(change_, static_cast<DWORD>(std::min<long long>(left, 20))) == WAIT_OBJECT_0)
                FindNextChangeNotification(change_);
        }
    }

private:
    std::wstring path_;
    HANDLE change_;
};

void Front(HWND window, HWND focusA, HWND focusB) {
    if (GetForegroundWindow() != window) SetForegroundWindow(window);
    const bool ready = Poll(
        [&] {
            if (GetForegroundWindow() != window) return false;
            const HWND focus = FocusOf(window);
            return !focusA || focus == focusA || focus == focusB;
        },
        kStepTimeout);
    if (!ready) throw std::runtime_error("cannot bring \"" + Narrow(WindowTitle(window)) + "\" to the front with the focus");
}

struct Stats {
    double median = 0, p95 = 0, mean = 0, max = 0;
};

Stats Summarise(std::vector<double> samples) {
    Stats s;
    if (samples.empty()) return s;
    std::sort(samples.begin(), samples.end());
    const auto at = [&](double q) { return samples[static_cast<size_t>(std::lround(q * static_cast<double>(samples.size() - 1)))]; };
    s.median = at(0.5);
    s.p95 = at(0.95);
    s.max = samples.back();
    for (double v : samples) s.mean += v;
    s.mean /= static_cast<double>(samples.size());
    return s;
}

std::string Fixed(double value, int digits = 2) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", digits, value);
    return text;
}

class Soak {
public:
    explicit Soak(const Options& options) : options_(options) {
        dir_.CopyIn(options.zantoli, L"zantoli.exe");
        dir_.CopyIn(options.aliases, L"alias.dat");
        if (!options.options.empty()) dir_.CopyIn(options.options, L"opciones.ini");
        logPath_ = dir_.root() + L"\\cad.log";
        cad_.emplace(options.standin, dir_.path(), logPath_);
        zantoli_ = ChildProcess::Start(dir_.File(L"zantoli.exe"), {}, dir_.path());
        window_.emplace(CommandWindow::Find(zantoli_.id()));
        edit_ = ChildOfClass(window_->input(), L"Edit");
        sender_ = ChildProcess::Start(options.sender, {}, {});
        senderWindow_ = WaitTopWindow(L"Emisor mínimo", sender_.id(), kStartTimeout);
        sameWorkSender_ = ChildProcess::Start(options.sender, {L"--same-work", dir_.path()}, {});
        sameWorkWindow_ = WaitTopWindow(L"Emisor con el mismo trabajo", sameWorkSender_.id(), kStartTimeout);
    }

    int Run() {
        const auto started = Clock::now();
        report_ += Format(soak::Measure(zantoli_.id()), "start.");
        long sent = 0;
        for (; sent < options_.warmup && sent < options_.count; ++sent) Command(sent);
        const soak::ProcessFigures warm = soak::Measure(zantoli_.id());
        report_ += Format(warm, "warm.");
        zantoliLatencies_.clear();
        baselineLatencies_.clear();
        sameWorkLatencies_.clear();
        pairedRatios_.clear();
        const auto measuredFrom = Clock::now();
        for (; sent < options_.count; ++sent) {
            Command(sent);
            if (options_.baselineEvery > 0 && sent % options_.baselineEvery == 0) Baseline(sent);
            if ((sent + 1) % 1000 == 0)
                std::fprintf(stderr, "%ld commands, %.0f s\n", sent + 1,
                             std::chrono::duration<double>(Clock::now() - started).count());
        }
        const double measuredSeconds = std::chrono::duration<double>(Clock::now() - measuredFrom).count();
        const soak::ProcessFigures end = soak::Measure(zantoli_.id());
        report_ += Format(end, "end.");
        return Conclude(warm, end, sent, measuredSeconds,
                        std::chrono::duration<double>(Clock::now() - started).count());
    }

    const std::string& report() const { return report_; }

private:
    std::wstring Typed(long i) const {
        return options_.mode == L"vary" ? L"p" + std::to_wstring(i) : std::wstring(L"l");
    }
    std::string Expected(long i) const {
        return options_.mode == L"vary" ? "(command \"P" + std::to_string(i) + "\" )" : "(command \"LINE\" )";
    }

    // Enter to the stand-in's log growing, in milliseconds; nothing when
    // nothing arrived within the step timeout.
    std::optional<double> TimeEnter(HWND foreground, HWND focusA, HWND focusB) {
        Front(foreground, focusA, focusB);
        GrowthWatch log(logPath_);
        const long long before = FileSize(logPath_);
        const auto t0 = Clock::now();
        PressKey(VK_RETURN);
        if (!log.Wait(before, kStepTimeout)) return std::nullopt;
        return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
    }

    // A command that never reached the stand-in: what the desktop showed.
    void Lost(const char* sender, long i) {
        ++lost_;
        const HWND front = GetForegroundWindow();
        std::string windows;
        for (HWND hwnd : VisibleTopWindows(zantoli_.id()))
            windows += " [" + Narrow(ClassOf(hwnd)) + " \"" + Narrow(WindowTitle(hwnd)) + "\"]";
        const std::string note = std::string("lost: ") + sender + " command " + std::to_string(i) +
                                 "; foreground \"" + Narrow(WindowTitle(front)) + "\"; command window input \"" +
                                 Narrow(window_->InputText()) + "\", last \"" + Narrow(window_->LastCommand()) +
                                 "\"; its windows:" + windows + "\n";
        std::fputs(note.c_str(), stderr);
        report_ += note;
    }

    // As an operator does: Ctrl, Alt and Space from the CAD window.
    void ShowByKey() {
        KeysDown({VK_CONTROL, VK_MENU});
        PressKey(VK_SPACE);
        const bool ready = Poll(
            [&] {
                const HWND focus = FocusOf(window_->window());
                return GetForegroundWindow() == window_->window() && (focus == edit_ || focus == window_->input());
            },
            kStepTimeout);
        KeysUp({VK_CONTROL, VK_MENU});
        if (!ready) throw std::runtime_error("the system-wide key did not bring the command window");
    }

    void Command(long i) {
        const std::wstring text = Typed(i);
        if (options_.mode == L"key")
            ShowByKey();
        else
            Front(window_->window(), edit_, window_->input());
        TypeText(text);
        if (!Poll([&] { return window_->InputText() == text; }, kStepTimeout))
            throw std::runtime_error("typed \"" + Narrow(text) + "\"; the input box shows \"" +
                                     Narrow(window_->InputText()) + "\"");
        lastZantoli_.reset();
        if (const auto latency = TimeEnter(window_->window(), edit_, window_->input())) {
            zantoliLatencies_.push_back(*latency);
            lastZantoli_ = latency;
            expected_.push_back(Expected(i));
        } else {
            Lost("zantoli", i);
        }
        // Done when the input box is cleared, the last step of the command.
        if (!Poll([&] { return window_->InputText().empty(); }, kStepTimeout))
            throw std::runtime_error("the input box was not cleared after command " + std::to_string(i));
    }

    // Each reference sender hands over what the exchange file already holds.
    void Baseline(long i) {
        const std::pair<HWND, std::vector<double>*> senders[] = {{senderWindow_, &baselineLatencies_},
                                                                {sameWorkWindow_, &sameWorkLatencies_}};
        for (const auto& [window, latencies] : senders) {
            if (const auto latency = TimeEnter(window, nullptr, nullptr)) {
                latencies->push_back(*latency);
                if (latencies == &sameWorkLatencies_ && lastZantoli_ && *latency > 0)
                    pairedRatios_.push_back(*lastZantoli_ / *latency);
                expected_.push_back(Expected(i));
            } else {
                Lost(latencies == &baselineLatencies_ ? "baseline" : "same-work", i);
            }
        }
    }

    int Conclude(const soak::ProcessFigures& warm, const soak::ProcessFigures& end, long sent,
                 double measuredSeconds, double totalSeconds) {
        const Lines received = cad_->Received();
        long mismatches = 0;
        for (size_t i = 0; i < std::max(received.size(), expected_.size()); ++i)
            if (i >= received.size() || i >= expected_.size() || received[i] != expected_[i]) ++mismatches;
        const size_t history = window_->History().size();

        const Stats z = Summarise(zantoliLatencies_), b = Summarise(baselineLatencies_),
                    w = Summarise(sameWorkLatencies_);
        const double ratio = b.median > 0 ? z.median / b.median : 0;
        const double sameWorkRatio = w.median > 0 ? z.median / w.median : 0;
        report_ += "mode=" + Narrow(options_.mode) + "\ncommands=" + std::to_string(sent) +
                   "\nbaseline_samples=" + std::to_string(baselineLatencies_.size()) +
                   "\nreceived=" + std::to_string(received.size()) + "\nlost=" + std::to_string(lost_) +
                   "\nmismatches=" + std::to_string(mismatches) +
                   "\nhistory_entries=" + std::to_string(history) + "\nseconds_total=" + Fixed(totalSeconds, 1) +
                   "\nseconds_measured=" + Fixed(measuredSeconds, 1) +
                   "\ncommands_per_second=" + Fixed(static_cast<double>(sent - options_.warmup) / measuredSeconds, 1);
        for (const auto& [name, stats] :
             {std::pair<const char*, Stats>{"zantoli", z}, {"baseline", b}, {"same_work", w}})
            report_ += std::string("\nlatency_ms.") + name + ".median=" + Fixed(stats.median) + "\nlatency_ms." + name +
                       ".p95=" + Fixed(stats.p95) + "\nlatency_ms." + name + ".mean=" + Fixed(stats.mean) +
                       "\nlatency_ms." + name + ".max=" + Fixed(stats.max);
        report_ += "\nlatency_median_ratio=" + Fixed(ratio) + "\nlatency_median_ratio_same_work=" +
                   Fixed(sameWorkRatio) + "\n";
        // The spread is the middle half of the paired ratios.
        const Stats paired = Summarise(pairedRatios_);
        std::vector<double> sorted = pairedRatios_;
        std::sort(sorted.begin(), sorted.end());
        const auto quartile = [&](double q) {
            return sorted.empty() ? 0.0 : sorted[static_cast<size_t>(std::lround(q * static_cast<double>(sorted.size() - 1)))];
        };
        report_ += "paired_ratio_same_work.pairs=" + std::to_string(pairedRatios_.size()) +
                   "\npaired_ratio_same_work.median=" + Fixed(paired.median) +
                   "\npaired_ratio_same_work.q1=" + Fixed(quartile(0.25)) +
                   "\npaired_ratio_same_work.q3=" + Fixed(quartile(0.75)) + "\n";
        const auto growth = [&](const char* name, long long a, long long e) {
            if (a >= 0 && e >= 0) report_ += std::string("growth.") + name + "=" + std::to_string(e - a) + "\n";
        };
        growth("gui_user_objects", warm.userObjects, end.userObjects);
        growth("gui_gdi_objects", warm.gdiObjects, end.gdiObjects);
        growth("gdi_table_entries", warm.gdiTableEntries, end.gdiTableEntries);
        growth("windows", warm.windows, end.windows);
        growth("kernel_handles", warm.kernelHandles, end.kernelHandles);
        growth("private_bytes", warm.privateBytes, end.privateBytes);
        growth("committed_private_bytes", warm.committedPrivate, end.committedPrivate);
        return mismatches == 0 && lost_ == 0 ? 0 : 1;
    }

    Options options_;
    TempAppDir dir_;
    std::wstring logPath_;
    std::optional<CadStandin> cad_;
    ChildProcess zantoli_;
    std::optional<CommandWindow> window_;
    HWND edit_ = nullptr;
    ChildProcess sender_, sameWorkSender_;
    HWND senderWindow_ = nullptr, sameWorkWindow_ = nullptr;
    std::vector<double> zantoliLatencies_, baselineLatencies_, sameWorkLatencies_, pairedRatios_;
    std::optional<double> lastZantoli_;
    Lines expected_;
    long lost_ = 0;
    std::string report_;
};

std::optional<Options> Parse(int argc, wchar_t** argv) {
    Options options;
    const std::map<std::wstring, std::wstring*> texts{{L"--zantoli", &options.zantoli},
                                                      {L"--standin", &options.standin},
                                                      {L"--sender", &options.sender},
                                                      {L"--aliases", &options.aliases},
                                                      {L"--options", &options.options},
                                                      {L"--report", &options.report},
                                                      {L"--mode", &options.mode}};
    const std::map<std::wstring, long*> numbers{
        {L"--count", &options.count}, {L"--baseline-every", &options.baselineEvery}, {L"--warmup", &options.warmup}};
    for (int i = 1; i + 1 < argc; i += 2) {
        if (auto t = texts.find(argv[i]); t != texts.end())
            *t->second = argv[i + 1];
        else if (auto n = numbers.find(argv[i]); n != numbers.end())
            *n->second = std::wcstol(argv[i + 1], nullptr, 10);
        else
            return std::nullopt;
    }
    if (argc % 2 == 0 || options.zantoli.empty() || options.standin.empty() || options.sender.empty() ||
        options.aliases.empty() || options.count < 1 || (options.mode != L"repeat" && options.mode != L"vary" && options.mode != L"key"))
        return std::nullopt;
    return options;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const auto options = Parse(argc, argv);
    if (!options) {
        std::fprintf(stderr,
                     "usage: soak.exe --zantoli EXE --standin EXE --sender EXE --aliases FILE [--count N]\n"
                     "                [--mode repeat|vary|key] [--baseline-every K] [--warmup N] [--options FILE]\n"
                     "                [--report FILE]\n");
        return 2;
    }
    SetProcessDPIAware();
    try {
        Soak soak(*options);
        const int status = soak.Run();
        std::fputs(soak.report().c_str(), stdout);
        if (!options->report.empty()) {
            std::ofstream out(std::filesystem::path(options->report), std::ios::binary);
            out << soak.report();
        }
        return status;
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "soak: %s\n", failure.what());
        return 1;
    }
}
