#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/fake_system.h"
#include "window/history.h"

namespace zantoli::testing {
namespace {

const std::string kPath = "C:\\Zantoli\\historial.dat";
const std::string kAside = "C:\\Zantoli\\historial.dat.dañado";

TEST(History, SurvivesARestartMostUsedThenMostRecentFirst) {
    FakeSystem sys;
    std::int64_t clock = 1000;
    {
        History history(sys, [&] { return clock++; });
        history.Start(true);
        for (const char* typed : {"l", "circle", "l", "  ", "zoom", "circle", "l"}) history.Record(typed);
        EXPECT_EQ(sys.files.count(kPath), 0u) << "held until saved";
        history.Save();
    }
    EXPECT_EQ(sys.files[kPath], "3\t1005\tl\r\n2\t1004\tcircle\r\n1\t1003\tzoom\r\n");
    History again(sys, [] { return 2000; });
    again.Start(true);
    EXPECT_EQ(again.Texts(), (std::vector<std::string>{"l", "circle", "zoom"}));
    again.Record("zoom");
    again.Record("zoom");
    again.Record("zoom");
    EXPECT_EQ(again.Texts(), (std::vector<std::string>{"zoom", "l", "circle"}));
    EXPECT_TRUE(sys.messages.empty());

    FakeSystem off;  // historial=no
    off.files[kPath] = "garbage";
    History session(off, [] { return 1; });
    session.Start(false);
    session.Record("line");
    session.Save();
    EXPECT_EQ(session.Texts(), std::vector<std::string>{"line"});
    EXPECT_EQ(off.files[kPath], "garbage");
    EXPECT_TRUE(off.reads.empty() && off.messages.empty());
}

// At the limits of a line (a count of nine digits, a clock before 1970),
// what Record writes is what the next start reads.
TEST(History, WhatItWritesAtTheLimitsTheNextStartReads) {
    FakeSystem sys;
    sys.files[kPath] = "999999999\t5\tl\r\n";
    History history(sys, [] { return -10; });
    history.Start(true);
    history.Record("l");
    history.Save();
    EXPECT_EQ(sys.files[kPath], "999999999\t0\tl\r\n");
    History again(sys, [] { return 1; });
    again.Start(true);
    EXPECT_TRUE(sys.messages.empty());
    EXPECT_EQ(again.Texts(), std::vector<std::string>{"l"});
}

TEST(History, KeepsTheLast500Distinct) {
    FakeSystem sys;
    std::int64_t clock = 0;
    History history(sys, [&] { return ++clock; });
    history.Start(true);
    for (int i = 0; i < 501; ++i) history.Record("orden" + std::to_string(i));
    ASSERT_EQ(history.Entries().size(), kHistoryEntries);
    EXPECT_EQ(history.Entries().front().text, "orden500");
    EXPECT_EQ(history.Entries().back().text, "orden1") << "the oldest went";
}

// A file that cannot be used is set aside with one message, whatever it
// holds; the good lines stay, and the next start says nothing.
TEST(History, ABadFileIsSetAsideOnceWithOneMessage) {
    std::string noise;
    for (int i = 0; i < 100; ++i) noise += "\x01\xFF garbage\r\n";
    const struct {
        const char* name;
        std::string contents;
        std::vector<std::string> kept;
        std::vector<std::string> said;
    } cases[] = {
        {"garbage", noise, {}, {"línea 1: no tiene", "línea 3:", "y 97 líneas más."}},
        {"good and bad lines", "2\t5\tline\r\nx\t5\tarc\r\n1\t9\tline\r\n1\t9\tzo\x07om\r\n1\t7\tarc\r\n",
         {"line", "arc"}, {"línea 2: no tiene", "línea 3: repite", "línea 4: la orden"}},
        {"too large", std::string(kMaxHistoryBytes + 1, 'x'), {}, {"1024 KB es demasiado grande"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeSystem sys;
        sys.files[kPath] = c.contents;
        History history(sys, [] { return 1; });
        history.Start(true);
        EXPECT_EQ(history.Texts(), c.kept);
        ASSERT_EQ(sys.messages.size(), 1u);
        std::vector<std::string> parts = c.said;
        parts.insert(parts.end(), {kPath, kAside});
        for (const std::string& part : parts)
            EXPECT_NE(sys.messages[0].prompt.find(part), std::string::npos) << sys.messages[0].prompt;
        EXPECT_EQ(sys.files[kAside], c.contents);
        EXPECT_EQ(sys.files.count(kPath), 0u);
        History next(sys, [] { return 2; });
        next.Start(true);
        EXPECT_EQ(sys.messages.size(), 1u);
    }
}

TEST(History, UnreadableOrUnwritableGivesOneMessageAndTheSessionGoesOn) {
    FakeSystem sys;
    sys.files[kPath] = "1\t1\tline\r\n";
    sys.readFailures[kPath] = "Acceso denegado.";
    sys.writeFailures[kAside] = "Acceso denegado.";
    History history(sys, [] { return 1; });
    history.Start(true);
    history.Record("arc");
    history.Save();
    ASSERT_EQ(sys.messages.size(), 1u);
    EXPECT_NE(sys.messages[0].prompt.find("no se guardará"), std::string::npos) << sys.messages[0].prompt;
    EXPECT_EQ(sys.files[kPath], "1\t1\tline\r\n") << "the file it could not read is never overwritten";
    EXPECT_EQ(history.Texts(), std::vector<std::string>{"arc"});

    FakeSystem full;
    full.writeFailures[kPath] = "Disco lleno.";
    History unsaved(full, [] { return 1; });
    unsaved.Start(true);
    for (const char* typed : {"arc", "line"}) {
        unsaved.Record(typed);
        unsaved.Save();
    }
    ASSERT_EQ(full.messages.size(), 1u);
    EXPECT_NE(full.messages[0].prompt.find("Disco lleno."), std::string::npos);
}

}  // namespace
}  // namespace zantoli::testing
