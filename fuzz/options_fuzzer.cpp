// The options file opciones.ini as any bytes.
//
// Checked for every input: reading never fails; the one message at start
// names the file and at most three of its lines, and stays short enough
// for the screen; the key that is registered is one the reader accepts.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fakes/fake_system.h"
#include "fuzz_check.h"
#include "system/app_files.h"
#include "window/show_key.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zantoli::testing::FakeSystem sys;
    const std::string path = sys.appDir + zantoli::app_files::kOptions;
    sys.files[path] = std::string(reinterpret_cast<const char*>(data), size);
    const zantoli::Options options = zantoli::StartShowKey(sys, [](const zantoli::Hotkey& key) {
        std::string why;
        FUZZ_CHECK(zantoli::ParseHotkey(zantoli::HotkeyName(key), why) == key);
        return true;
    });
    FUZZ_CHECK(sys.messages.size() == (options.problems.empty() ? 0u : 1u));
    if (!sys.messages.empty()) {
        const std::string& prompt = sys.messages[0].prompt;
        FUZZ_CHECK(prompt.find(path) != std::string::npos);
        std::size_t lines = 0;
        for (const char c : prompt) lines += c == '\n';
        FUZZ_CHECK(lines <= zantoli::kProblemsShown + 1);
        FUZZ_CHECK(prompt.size() < 1000);
    }
    return 0;
}
