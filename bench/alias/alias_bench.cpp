// The alias lookup runs for every command, over the whole alias file. It
// should cost little more than reading that file: compare the two on
// files of 100, 10,000 and 1,000,000 lines. The suggestions run for every
// key typed: within 10 ms with 10,000 lines and a full history, also right
// after an edit.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "disk_system.h"
#include "fakes/fake_controls.h"
#include "command/suggestions.h"
#include "window/history.h"
#include "system/app_files.h"
#include "form1/form1.h"

namespace zantoli::bench {
namespace {

const int kSizes[] = {100, 10'000, 1'000'000};

std::filesystem::path& Root() {
    static std::filesystem::path root;
    return root;
}

std::string AppDirFor(int lines) { return (Root() / ("app" + std::to_string(lines))).string(); }

// An alias file as users keep them: a comment now and then, short aliases
// in mixed case, commands aligned in a column, a note after some of them.
// The last entry is the alias the benchmark types.
std::string AliasFile(int lines) {
    std::mt19937 random(static_cast<unsigned>(lines));
    auto letters = [&](int shortest, int longest, bool mixedCase) {
        std::string s(static_cast<std::size_t>(shortest + static_cast<int>(random() % (longest - shortest + 1))), 'A');
        for (char& c : s) {
            c = static_cast<char>('A' + random() % 26);
            if (mixedCase && random() % 4 == 0) c = static_cast<char>(c + ('a' - 'A'));
        }
        return s;
    };
    std::string file;
    for (int n = 1; n < lines; ++n) {
        if (n % 12 == 1) {
            file += "; Grupo " + std::to_string(n / 12) + " de \xF3rdenes\r\n";
            continue;
        }
        const std::string alias = letters(1, 4, true);
        file += alias + ";" + std::string(7 - alias.size(), ' ') + "*" + letters(3, 12, false);
        if (n % 7 == 0) file += ";nota";
        file += "\r\n";
    }
    file += "l;      *LINE\r\n";
    return file;
}

void WriteAliasFiles() {
    for (const int lines : kSizes) {
        std::filesystem::create_directories(AppDirFor(lines));
        std::ofstream out(std::filesystem::path(AppDirFor(lines)) / "alias.dat", std::ios::binary);
        out << AliasFile(lines);
        if (!out) throw std::runtime_error("cannot write the alias file for " + std::to_string(lines));
    }
}

std::string AliasPath(const DiskSystem& sys) { return sys.AppDir() + app_files::kAliases; }

void ReadAliasFile(benchmark::State& state) {
    DiskSystem sys(AppDirFor(static_cast<int>(state.range(0))));
    const std::string path = AliasPath(sys);
    std::size_t lines = 0;
    for (auto _ : state) {
        sys.ReadLines(path, [&lines](std::string_view line) {
            benchmark::DoNotOptimize(line.data());
            ++lines;
        });
    }
    state.counters["lines"] = static_cast<double>(lines / state.iterations());
}

void VerAlias(benchmark::State& state) {
    DiskSystem sys(AppDirFor(static_cast<int>(state.range(0))));
    testing::FakeForm window(1), splash(2);
    testing::FakeComboBox texto;
    testing::FakeListBox lista;
    testing::FakeLabel ultimo;
    Form1 form(sys, window, texto, lista, ultimo, splash);
    std::string result;
    for (auto _ : state) {
        std::string st = "l";
        result = form.VerAlias(st);
        benchmark::DoNotOptimize(result.data());
    }
    if (result != "LINE") state.SkipWithError(("VerAlias gave " + result).c_str());
}

// A full lasting history: 500 commands, as the window asks for it per key.
History FullHistory(DiskSystem& sys) {
    History history(sys, [] { return 1700000000; });
    for (int i = 0; i < static_cast<int>(kHistoryEntries); ++i) history.Record("orden" + std::to_string(i));
    return history;
}

// One key press in the input line: the suggestions for `typed` with a full
// history, the alias file unchanged since the last key. "l" finds many
// aliases by name; "orden4" none by name or command start, so every
// alias command is searched and the history fills the list.
void SuggestionsPerKey(benchmark::State& state, const char* typed) {
    DiskSystem sys(AppDirFor(static_cast<int>(state.range(0))));
    Suggestions suggestions(sys);
    const History history = FullHistory(sys);
    std::size_t shown = suggestions.For(typed, history.Texts()).size();  // the file read once
    for (auto _ : state) {
        shown = suggestions.For(typed, history.Texts()).size();
        benchmark::DoNotOptimize(shown);
    }
    if (shown == 0) state.SkipWithError("no suggestion");
}

// The first key press after the alias file changed: it is read again.
void SuggestionsAfterAnEdit(benchmark::State& state) {
    DiskSystem sys(AppDirFor(static_cast<int>(state.range(0))));
    const std::string contents = AliasFile(static_cast<int>(state.range(0)));
    bool longer = false;
    for (auto _ : state) {
        state.PauseTiming();
        // A file of another size: the change is seen whatever the clock's grain.
        longer = !longer;
        sys.WriteFile(AliasPath(sys), longer ? contents + ";\r\n" : contents);
        Suggestions suggestions(sys);
        state.ResumeTiming();
        benchmark::DoNotOptimize(suggestions.For("l", {}).size());
    }
}

BENCHMARK(ReadAliasFile)->Arg(kSizes[0])->Arg(kSizes[1])->Arg(kSizes[2])->Unit(benchmark::kMicrosecond);
BENCHMARK(VerAlias)->Arg(kSizes[0])->Arg(kSizes[1])->Arg(kSizes[2])->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(SuggestionsPerKey, by_name, "l")->Arg(kSizes[1])->Arg(kSizes[2])->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(SuggestionsPerKey, through_every_command, "orden4")
    ->Arg(kSizes[1])
    ->Arg(kSizes[2])
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(SuggestionsAfterAnEdit)->Arg(kSizes[1])->Arg(kSizes[2])->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace zantoli::bench

int main(int argc, char** argv) {
    using namespace zantoli::bench;
    Root() = std::filesystem::temp_directory_path() / ("zantoli-bench-" + std::to_string(std::random_device()()));
    WriteAliasFiles();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(Root());
    return 0;
}
