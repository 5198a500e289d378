// Pellix's real services on real files and processes.
#include <gtest/gtest.h>

#include <string>

#include "launcher_folder.h"
#include "win32/pellix/win32_launcher_system.h"

namespace zantoli::testing {
namespace {

// The marker counts only as an ordinary file; an empty one is enough.
TEST(Win32LauncherSystem, DirWithFilterZeroFindsOnlyOrdinaryFiles) {
    LauncherFolder folder;
    constexpr DWORD kFolder = FILE_ATTRIBUTE_DIRECTORY, kMissing = ~0u;
    const struct {
        const wchar_t* name;
        DWORD attributes;
        const char* expected;
    } cases[] = {
        {L"ordinario.000", 0, "ordinario.000"},
        {L"solo-lectura.000", FILE_ATTRIBUTE_READONLY, "solo-lectura.000"},
        {L"archivar.000", FILE_ATTRIBUTE_ARCHIVE, "archivar.000"},
        {L"oculto.000", FILE_ATTRIBUTE_HIDDEN, ""},
        {L"sistema.000", FILE_ATTRIBUTE_SYSTEM, ""},
        {L"oculto-sistema.000", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM, ""},
        {L"carpeta.000", kFolder, ""},
        {L"nada.000", kMissing, ""},
        {L"no-existe\\zantoli.000", kMissing, ""},
    };
    win32::Win32LauncherSystem sys;
    for (const auto& c : cases) {
        SCOPED_TRACE(Utf8(c.name));
        if (c.attributes == kFolder) {
            ASSERT_TRUE(CreateDirectoryW((folder / c.name).c_str(), nullptr));
        } else if (c.attributes != kMissing) {
            ASSERT_TRUE(folder.Write(c.name, "", c.attributes));
        }
        EXPECT_EQ(sys.Dir(Utf8(folder / c.name), 0), c.expected);
    }
}

TEST(Win32LauncherSystem, AppDirIsTheProgramFolderWithoutTrailingBackslash) {
    EXPECT_EQ(win32::Win32LauncherSystem().AppDir(), Utf8(ExeFolder()));
}

TEST(Win32LauncherSystem, ShellStartsTheProgramNormalWithoutArguments) {
    LauncherFolder folder;
    ASSERT_TRUE(folder.Copy(ExeFolder() + L"\\launcher_standin.exe", L"zantoli.exe"));
    const std::string program = Utf8(folder / L"zantoli.exe");
    win32::Win32LauncherSystem sys;
    sys.Shell(program, 1);
    for (int i = 0; i < 200 && folder.Read(L"started.log").empty(); ++i) Sleep(25);
    EXPECT_EQ(folder.Read(L"started.log"), "\"" + program + "\"|1|1\r\n");
}

TEST(Win32LauncherSystem, ShellOfAMissingProgramThrowsWithTheSystemReason) {
    LauncherFolder folder;
    win32::Win32LauncherSystem sys;
    try {
        sys.Shell(Utf8(folder / L"zantoli.exe"), 1);
        FAIL() << "no error";
    } catch (const LaunchError& e) {
        EXPECT_EQ(e.code(), static_cast<unsigned long>(ERROR_FILE_NOT_FOUND));
        EXPECT_NE(std::string(e.what()).find("zantoli.exe"), std::string::npos) << e.what();
    }
}

}  // namespace
}  // namespace zantoli::testing
