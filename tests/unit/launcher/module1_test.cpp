// Pellix's start procedure against an in-memory desktop: which window it
// brings forward, what it starts, and what the operator is told.
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "launcher/module1.h"

namespace zantoli::testing {
namespace {

class FakeLauncherSystem : public LauncherSystem {
public:
    struct Started {
        std::string path;
        int style;
        bool operator==(const Started& o) const { return path == o.path && style == o.style; }
    };
    struct Message {
        std::string prompt, title;
        int style;
    };

    std::string appDir = "C:\\Zantoli";
    std::set<std::string> files;
    std::vector<std::string> windowTitles;
    // Windows that open while Pellix waits: title by the clock time.
    std::multimap<std::uint64_t, std::string> windowsOpening;
    bool dirFails = false;

    std::vector<std::pair<std::string, bool>> activationCalls;
    std::string activated;
    std::vector<Started> started;
    std::vector<Message> messages;
    std::uint64_t now = 5000;

    std::string AppDir() const override { return appDir; }

    std::string Dir(const std::string& path, int attributes) const override {
        EXPECT_EQ(attributes, 0);
        if (dirFails) throw std::runtime_error("la unidad no está preparada");
        if (files.count(path) == 0) return "";
        return path.substr(path.rfind('\\') + 1);
    }

    bool AppActivate(const std::string& title, bool wait) override {
        activationCalls.emplace_back(title, wait);
        for (const auto& t : windowTitles)
            if (t == title) return Activate(t);
        for (const auto& t : windowTitles)
            if (t.compare(0, title.size(), title) == 0) return Activate(t);
        return false;
    }

    void Shell(const std::string& path, int style) override {
        if (files.count(path) == 0)
            throw LaunchError("El sistema no puede encontrar el archivo especificado.", 2);
        started.push_back({path, style});
    }

    int MsgBox(const std::string& prompt, const std::string& title, int style) override {
        messages.push_back({prompt, title, style});
        return 1;
    }

    std::uint64_t TickCount() const override { return now; }

    void Sleep(unsigned milliseconds) override {
        now += milliseconds;
        for (auto it = windowsOpening.begin(); it != windowsOpening.end() && it->first <= now;)
        {
            windowTitles.push_back(it->second);
            it = windowsOpening.erase(it);
        }
    }

private:
    bool Activate(const std::string& t) {
        activated = t;
        return true;
    }
};

const char* const kMarker = "C:\\Zantoli\\zantoli.000";
const char* const kProgram = "C:\\Zantoli\\zantoli.exe";
const char* const kMessage = "No se ha podido ejecutar la linea de comando";

class Module1Test : public ::testing::Test {
protected:
    Module1Test() { sys.files.insert(kProgram); }

    void ExpectStartedOnce() {
        ASSERT_EQ(sys.started.size(), 1u);
        EXPECT_EQ(sys.started[0].path, kProgram);
        EXPECT_EQ(sys.started[0].style, 1);
    }
    void ExpectFailureMessageOnly() {
        EXPECT_TRUE(sys.started.empty());
        ASSERT_EQ(sys.messages.size(), 1u);
        EXPECT_EQ(sys.messages[0].prompt, kMessage);
        EXPECT_EQ(sys.messages[0].title, "ERROR");
        EXPECT_EQ(sys.messages[0].style, 64);
    }

    FakeLauncherSystem sys;
};

// Without a marker no Zantoli runs here, whatever window bears its title.
// Which entries count as the marker is the real Dir's test.
TEST_F(Module1Test, WithoutMarkerStartsZantoliNormalAndFocusedAtOnce) {
    sys.windowTitles = {"Linea de comando"};
    Module1::Main(sys);
    ExpectStartedOnce();
    EXPECT_TRUE(sys.activationCalls.empty());
    EXPECT_TRUE(sys.messages.empty());
    EXPECT_EQ(sys.now, 5000u) << "Pellix must not wait for the new window";
}

TEST_F(Module1Test, WithMarkerAndWindowActivatesItWithoutWaitAndStartsNothing) {
    sys.files.insert(kMarker);
    sys.windowTitles = {"Trazalia R14 - [Dibujo1]", "Linea de comando"};
    Module1::Main(sys);
    ASSERT_EQ(sys.activationCalls.size(), 1u);
    EXPECT_EQ(sys.activationCalls[0].first, "Linea de comando");
    EXPECT_FALSE(sys.activationCalls[0].second);
    EXPECT_EQ(sys.activated, "Linea de comando");
    EXPECT_TRUE(sys.started.empty());
    EXPECT_TRUE(sys.messages.empty());
    EXPECT_EQ(sys.now, 5000u);
}

TEST_F(Module1Test, WindowOfAZantoliStillStartingIsAwaitedAndActivated) {
    sys.files.insert(kMarker);
    sys.windowsOpening.emplace(5000 + 700, "Linea de comando");
    Module1::Main(sys);
    EXPECT_EQ(sys.activated, "Linea de comando");
    EXPECT_TRUE(sys.started.empty());
    EXPECT_TRUE(sys.messages.empty());
    EXPECT_GE(sys.now, 5700u);
    EXPECT_LT(sys.now, 5700u + Module1::kPollMs + 1);
    for (const auto& call : sys.activationCalls) EXPECT_FALSE(call.second);
}

TEST_F(Module1Test, MarkerLeftBehindStartsZantoliAfterAboutTwoSeconds) {
    sys.files.insert(kMarker);
    Module1::Main(sys);
    ExpectStartedOnce();
    EXPECT_TRUE(sys.messages.empty());
    EXPECT_TRUE(sys.activated.empty());
    EXPECT_GE(sys.now - 5000, 2000u);
    EXPECT_LE(sys.now - 5000, 2000u + Module1::kPollMs);
    EXPECT_GT(sys.activationCalls.size(), 10u) << "the window is looked for throughout";
    EXPECT_EQ(sys.files.count(kMarker), 1u) << "the new Zantoli rewrites the marker";
}

TEST_F(Module1Test, WindowOpeningAfterTheWaitIsTooLate) {
    sys.files.insert(kMarker);
    sys.windowsOpening.emplace(5000 + 2500, "Linea de comando");
    Module1::Main(sys);
    ExpectStartedOnce();
    EXPECT_TRUE(sys.activated.empty());
}

TEST_F(Module1Test, AProgramThatCannotStartOrAMarkerThatCannotBeLookedForGivesTheMessage) {
    const struct {
        const char* name;
        bool programMissing, marker, dirFails;
    } cases[] = {
        {"program missing", true, false, false},
        {"marker left behind, program missing", true, true, false},
        {"marker lookup fails", false, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        sys = FakeLauncherSystem();
        if (!c.programMissing) sys.files.insert(kProgram);
        if (c.marker) sys.files.insert(kMarker);
        sys.dirFails = c.dirFails;
        EXPECT_EQ(Module1::Main(sys), 1);
        ExpectFailureMessageOnly();
        if (c.dirFails) {
            EXPECT_TRUE(sys.activationCalls.empty());
        }
    }
}

TEST_F(Module1Test, FilesAreAddressedInTheProgramFolder) {
    sys.appDir = "D:\\Programas\\L\xC3\xADnea";  // UTF-8 "Línea"
    sys.files.clear();
    sys.files.insert(sys.appDir + "\\zantoli.exe");
    EXPECT_EQ(Module1::Main(sys), 0);
    ASSERT_EQ(sys.started.size(), 1u);
    EXPECT_EQ(sys.started[0].path, "D:\\Programas\\L\xC3\xADnea\\zantoli.exe");
}

}  // namespace
}  // namespace zantoli::testing
