// The history file historial.dat as any bytes.
//
// Checked for every input: the start never fails and says at most one
// thing; what is kept is at most 500 distinct texts that can be written
// back; a file with bad lines is set aside whole, byte for byte; and what
// is written after one more command reads back exactly, without a message.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>

#include "fakes/fake_system.h"
#include "fuzz_check.h"
#include "system/app_files.h"
#include "window/history.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zantoli::testing::FakeSystem sys;
    const std::string path = sys.appDir + zantoli::app_files::kHistory;
    const std::string aside = sys.appDir + zantoli::app_files::kHistoryAside;
    const std::string contents(reinterpret_cast<const char*>(data), size);
    sys.files[path] = contents;
    zantoli::History history(sys, [] { return 1700000000; });
    history.Start(true);
    FUZZ_CHECK(sys.messages.size() <= 1);
    if (!sys.messages.empty()) FUZZ_CHECK(sys.files.count(aside) == 1 && sys.files[aside] == contents);
    const auto& kept = history.Entries();
    FUZZ_CHECK(kept.size() <= zantoli::kHistoryEntries);
    std::set<std::string> texts;
    for (const zantoli::HistoryEntry& e : kept) {
        FUZZ_CHECK(zantoli::Rememberable(e.text) && e.count > 0);
        FUZZ_CHECK(texts.insert(e.text).second);
    }
    FUZZ_CHECK(std::is_sorted(kept.begin(), kept.end(), [](const auto& a, const auto& b) {
        return a.count != b.count ? a.count > b.count : a.lastSent > b.lastSent;
    }));

    history.Record("LINE");
    history.Save();
    const std::size_t said = sys.messages.size();
    zantoli::History again(sys, [] { return 1700000001; });
    again.Start(true);
    FUZZ_CHECK(sys.messages.size() == said);
    FUZZ_CHECK(again.Entries() == history.Entries());
    return 0;
}
