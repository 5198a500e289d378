#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "system/file_error.h"
#include "win32/services/encoding.h"
#include "win32/services/files.h"
#include "win32/services/win32_error.h"
#include "win32/services/win32_system.h"
#include "support/temp_folder.h"

namespace zantoli::win32 {
namespace {

// A fresh folder under %TEMP% with an accented name, removed afterwards.
class FilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(GetFileAttributesW(temp_.path().c_str()), INVALID_FILE_ATTRIBUTES) << WideToUtf8(temp_.path());
        folder_ = WideToUtf8(temp_.path());
        system_ = CreateWin32System();
    }
    // An old file at `path` that another program reads and keeps from being
    // renamed over.
    UniqueFile HoldOldFile(const std::string& path) {
        system_->WriteFile(path, "viejo\r\n");
        return UniqueFile(CreateFileW(Utf8ToWide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_EXISTING, 0, nullptr));
    }

    std::string Path(const std::string& name) const { return folder_ + "\\" + name; }

    std::vector<std::string> Listing() const {
        std::vector<std::string> names;
        WIN32_FIND_DATAW found;
        const UniqueFind search(FindFirstFileW(Utf8ToWide(folder_ + "\\*").c_str(), &found));
        if (!search.valid()) return names;
        do {
            const std::wstring name = found.cFileName;
            if (name != L"." && name != L"..") names.push_back(WideToUtf8(name));
        } while (FindNextFileW(search.get(), &found));
        return names;
    }

    // The file's bytes, read without the code under test.
    static std::string Bytes(const std::string& path) {
        return test_support::FileBytes(Utf8ToWide(path)).value_or("<missing>");
    }

    std::vector<std::string> Lines(const std::string& path) const {
        std::vector<std::string> lines;
        system_->ReadLines(path, [&](std::string_view line) { lines.emplace_back(line); });
        return lines;
    }

    zantoli::test_support::TempFolder temp_{L"zantoli-svc A\u00F1o"};
    std::string folder_;
    std::unique_ptr<Win32System> system_;
};

TEST_F(FilesTest, WriteFileStoresExactlyTheBytesGiven) {
    const std::string path = Path("vuroview.var");
    const std::string cases[] = {
        "(command \"LINE\" )\r\n",
        std::string("\x28\xF1\xE9\x80\xFF\x00\x29\r\n", 8),  // ANSI bytes and a NUL, untouched
        "\r\n",
        "",
    };
    for (const std::string& bytes : cases) {
        system_->WriteFile(path, bytes);
        EXPECT_EQ(Bytes(path), bytes);
    }
    // A short expression after a long one leaves nothing of the long one.
    system_->WriteFile(path, std::string(5000, 'x'));
    system_->WriteFile(path, "(C:)\r\n");
    EXPECT_EQ(Bytes(path), "(C:)\r\n");
}

TEST_F(FilesTest, ReadLinesEndsALineAtCrLfCrOrLf) {
    const std::string path = Path("alias.dat");
    system_->WriteFile(path, "L;*LINE\r\n;comentario\rC;*CIRCLE\n\r\nZ;*ZOOM");
    EXPECT_EQ(Lines(path),
              (std::vector<std::string>{"L;*LINE", ";comentario", "C;*CIRCLE", "", "Z;*ZOOM"}));

    // Larger than one read of the file.
    std::string big;
    for (int i = 0; i < 20000; ++i) big += "LINEA" + std::to_string(i) + "\r\n";
    system_->WriteFile(path, big);
    const auto lines = Lines(path);
    ASSERT_EQ(lines.size(), 20000u);
    EXPECT_EQ(lines.back(), "LINEA19999");
}

TEST_F(FilesTest, ReplaceContentsSwapsTheContentAndLeavesNoTemporaryFile) {
    const std::string path = Path("zantoli.ini");
    system_->ReplaceContents(path, "1\r\n2\r\n3\r\n4\r\n");  // no file before
    EXPECT_EQ(Bytes(path), "1\r\n2\r\n3\r\n4\r\n");
    system_->ReplaceContents(path, "5\r\n6\r\n7\r\n8\r\n");
    EXPECT_EQ(Bytes(path), "5\r\n6\r\n7\r\n8\r\n");
    EXPECT_EQ(Listing(), std::vector<std::string>{"zantoli.ini"});
}

// A reader that lets go within a moment is waited for; one that holds on
// makes the replace fail with the old file whole and nothing left behind.
TEST_F(FilesTest, ReplaceContentsWaitsBrieflyForAReaderThenKeepsTheOldFile) {
    const std::string path = Path("zantoli.ini");
    UniqueFile reader = HoldOldFile(path);
    ASSERT_TRUE(reader.valid());
    std::thread release([&reader] {
        Sleep(150);
        reader.Reset();
    });
    EXPECT_NO_THROW(system_->ReplaceContents(path, "nuevo\r\n"));
    release.join();
    EXPECT_EQ(Bytes(path), "nuevo\r\n");

    UniqueFile holder = HoldOldFile(path);
    ASSERT_TRUE(holder.valid());
    try {
        system_->ReplaceContents(path, "nuevo\r\n");
        ADD_FAILURE() << "replaced a file held open without delete sharing";
    } catch (const FileError& e) {
        EXPECT_EQ(e.operation(), "escribir");
        EXPECT_EQ(e.path(), path);
        EXPECT_FALSE(e.reason().empty());
    }
    holder.Reset();
    EXPECT_EQ(Bytes(path), "viejo\r\n");
    EXPECT_EQ(Listing(), std::vector<std::string>{"zantoli.ini"});
}

TEST_F(FilesTest, OnlyOrdinaryFilesExist) {
    struct Case {
        const char* name;
        DWORD attributes;  // 0: not created; FILE_ATTRIBUTE_DIRECTORY: a folder
        bool exists;
    };
    const Case cases[] = {
        {"normal.000", FILE_ATTRIBUTE_NORMAL, true},
        {"solo-lectura.000", FILE_ATTRIBUTE_READONLY, true},
        {"archivo.000", FILE_ATTRIBUTE_ARCHIVE, true},
        {"oculto.000", FILE_ATTRIBUTE_HIDDEN, false},
        {"sistema.000", FILE_ATTRIBUTE_SYSTEM, false},
        {"carpeta.000", FILE_ATTRIBUTE_DIRECTORY, false},
        {"falta.000", 0, false},
        {"falta\\dentro.000", 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = Path(c.name);
        if (c.attributes == FILE_ATTRIBUTE_DIRECTORY) {
            ASSERT_TRUE(CreateDirectoryW(Utf8ToWide(path).c_str(), nullptr));
        } else if (c.attributes != 0) {
            system_->WriteFile(path, ":P\r\n");
            ASSERT_TRUE(SetFileAttributesW(Utf8ToWide(path).c_str(), c.attributes));
        }
        EXPECT_EQ(system_->FileExists(path), c.exists);
    }
}

TEST_F(FilesTest, FailuresNameTheOperationTheFileAndTheSystemsReason) {
    const std::string missing = Path("alias.dat");
    const std::string inMissingFolder = Path("var\\vuroview.var");
    struct Case {
        const char* what;
        std::function<void()> run;
        const char* operation;
        std::string path;
        DWORD error;
    };
    const Case cases[] = {
        {"read a missing file", [&] { Lines(missing); }, "leer", missing, ERROR_FILE_NOT_FOUND},
        {"write into a missing folder", [&] { system_->WriteFile(inMissingFolder, "x"); },
         "escribir", inMissingFolder, ERROR_PATH_NOT_FOUND},
        {"replace into a missing folder", [&] { system_->ReplaceContents(inMissingFolder, "x"); },
         "escribir", inMissingFolder, ERROR_PATH_NOT_FOUND},
        {"delete a missing file", [&] { system_->Kill(missing); }, "borrar", missing,
         ERROR_FILE_NOT_FOUND},
        {"write a folder", [&] { system_->WriteFile(folder_, "x"); }, "escribir", folder_,
         ERROR_ACCESS_DENIED},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        try {
            c.run();
            ADD_FAILURE() << "no failure";
        } catch (const FileError& e) {
            EXPECT_EQ(e.operation(), c.operation);
            EXPECT_EQ(e.path(), c.path);
            EXPECT_EQ(e.reason(), Win32ErrorText(c.error));
            EXPECT_EQ(std::string(e.what()),
                      "No se ha podido " + std::string(c.operation) + " el archivo " + c.path +
                          ":\n" + Win32ErrorText(c.error));
        }
    }
    EXPECT_TRUE(Listing().empty());
}

TEST_F(FilesTest, AReadOnlyFileCannotBeWrittenAndKeepsItsBytes) {
    const std::string path = Path("zantoli.000");
    system_->WriteFile(path, ":P\r\n");
    ASSERT_TRUE(SetFileAttributesW(Utf8ToWide(path).c_str(), FILE_ATTRIBUTE_READONLY));
    if (!test_support::ReadOnlyHolds(Utf8ToWide(path)))
        GTEST_SKIP() << "this file system lets a read-only file be written (Wine run as root)";
    EXPECT_THROW(system_->WriteFile(path, "x"), FileError);
    EXPECT_THROW(system_->ReplaceContents(path, "x"), FileError);
    EXPECT_EQ(Bytes(path), ":P\r\n");
    EXPECT_EQ(Listing(), std::vector<std::string>{"zantoli.000"});
}

TEST_F(FilesTest, KillRemovesTheFile) {
    const std::string path = Path("zantoli.000");
    system_->WriteFile(path, ":P\r\n");
    system_->Kill(path);
    EXPECT_FALSE(system_->FileExists(path));
    EXPECT_TRUE(Listing().empty());
}

TEST(Win32ErrorText, IsTheSystemsTextWithoutTheLineEnd) {
    const std::string text = Win32ErrorText(ERROR_FILE_NOT_FOUND);
    ASSERT_FALSE(text.empty());
    EXPECT_NE(text.back(), '\n');
    EXPECT_NE(text.back(), '\r');
    EXPECT_NE(text.back(), ' ');
    EXPECT_EQ(Win32ErrorText(0x2FFFFFFF), "Error de Windows 805306367");
}

}  // namespace
}  // namespace zantoli::win32
