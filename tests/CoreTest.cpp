// The engine's spine: the broadcast of events, the log, the game loop's timing and its end, and
// the managers' start-up and shut-down.

#include "TestSupport.h"
#include "engine/Clock.h"
#include "engine/DisplayManager.h"
#include "engine/EventStep.h"
#include "engine/GameManager.h"
#include "engine/LogManager.h"
#include "engine/Platform.h"
#include "engine/ResourceManager.h"
#include "engine/WorldManager.h"

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <utility>

namespace {

using lm_test::Journal;
using lm_test::Lines;
using lm_test::Recorder;

class BroadcastTest : public lm_test::EngineTest {};

TEST_F(BroadcastTest, ReachesEveryObjectOfTheListAsItWasWhenItBegan) {
    Journal journal;
    auto* p_first = new Recorder("A", journal);
    auto* p_victim = new Recorder("B", journal);
    new lm::Object();  // ignores every event, and still counts
    p_first->reaction = [&journal, p_victim](const lm::Event* p_event) {
        if (p_event->getType() != lm::STEP_EVENT) {
            return;
        }
        new Recorder("Newcomer", journal);                        // misses this event
        lm::WorldManager::getInstance().markForDelete(p_victim);  // still gets it
        const lm::Event inner;  // finishes before the outer one goes on
        lm::WorldManager::getInstance().onEvent(&inner);
    };
    const lm::EventStep step;
    EXPECT_EQ(lm::LogManager::getInstance().onEvent(&step), 3) << "any manager broadcasts";
    EXPECT_EQ(journal, (Journal{"A:lm::step", "A:lm::undefined", "B:lm::undefined",
                                "Newcomer:lm::undefined", "B:lm::step"}));
    lm::WorldManager::getInstance().update();
    EXPECT_EQ(lm::WorldManager::getInstance().getAllObjects().size(), 3u);
}

TEST(LogManagerTest, WritesOneLinePerMessageToAFileItEmptiesAtStartUp) {
    const lm_test::ScratchFolder scratch;
    lm::LogManager& log = lm::LogManager::getInstance();
    EXPECT_LT(log.writeLog("before start-up"), 0);
    lm_test::writeFile(lm::LOGFILE_NAME, "an earlier run\n");
    EXPECT_EQ(log.startUp(), 0);
    EXPECT_EQ(log.writeLog("A Goblin appears!"), 17);
    EXPECT_EQ(log.writeLog("%s deals %d damage", "The Hero", -2), 24);
    EXPECT_EQ(log.writeLog("first\n\tsecond"), 13);
    EXPECT_TRUE(lm_test::readLines(lm::LOGFILE_NAME).empty()) << "buffered until shut-down";
    log.setFlush(true);
    log.writeLog("Object: id = %d", 7);
    EXPECT_EQ(lm_test::readLines(lm::LOGFILE_NAME).size(), 5u) << "flushed line by line";
    log.setFlush(false);
    log.shutDown();
    log.shutDown();
    EXPECT_LT(log.writeLog("after shut-down"), 0);
    EXPECT_EQ(lm_test::readLines(lm::LOGFILE_NAME),
              (Lines{"A Goblin appears!", "The Hero deals -2 damage", "first", "\tsecond",
                     "Object: id = 7"}));

    std::filesystem::remove(lm::LOGFILE_NAME);
    std::filesystem::create_directory(lm::LOGFILE_NAME);  // a folder where the file should be
    EXPECT_EQ(log.startUp(), -1);
    EXPECT_LT(log.writeLog("nowhere to go"), 0);
    log.shutDown();
}

/// Scripted time: it moves only when a pass "works" or the loop sleeps, and each sleep lasts as
/// long as asked plus the next of the scripted oversleeps.
class ScriptedTime : public lm::platform::TimeSource {
public:
    // Starts just below the 32-bit wrap of the microsecond count, which the loop must not notice.
    std::uint32_t now = 0xFFFFFFFFu - 20000u;
    std::vector<int> sleeps;      // each sleep asked for, in order
    std::vector<int> oversleeps;  // milliseconds each sleep lasts beyond what was asked

    std::uint32_t microseconds() override { return now; }
    void sleepMilliseconds(int milliseconds) override {
        sleeps.push_back(milliseconds);
        const int extra = sleeps.size() <= oversleeps.size() ? oversleeps[sleeps.size() - 1] : 0;
        advance(milliseconds * 1000 + extra * 1000);
    }
    void advance(int microseconds) { now += static_cast<std::uint32_t>(microseconds); }
};

class GameLoopTest : public lm_test::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        lm::GameManager::getInstance().setGameOver(false);
        lm::platform::setTimeSource(&time);
    }
    void TearDown() override {
        lm::platform::setTimeSource(nullptr);
        EngineTest::TearDown();
    }

    /// Runs the loop for as many passes as there are works, each working that many microseconds
    /// in its step; the sleeps asked for.
    std::vector<int> run(const std::vector<int>& work_us) {
        Journal journal;
        auto* p_worker = new Recorder("worker", journal);
        p_worker->reaction = [&](const lm::Event*) {
            time.advance(work_us.at(journal.size() - 1));
            lm::GameManager::getInstance().setGameOver(journal.size() == work_us.size());
        };
        lm::GameManager::getInstance().run();
        return time.sleeps;
    }

    ScriptedTime time;
};

struct Pacing {
    const char* what;
    std::vector<int> work_us;
    std::vector<int> oversleeps;
    std::vector<int> sleeps;
};

void PrintTo(const Pacing& test_case, std::ostream* out) {
    *out << test_case.what;
}

class LoopPacingTest : public GameLoopTest, public ::testing::WithParamInterface<Pacing> {};

TEST_P(LoopPacingTest, SleepsOutTheRestOfEachFrameAndMakesUpWhatWasLost) {
    time.oversleeps = GetParam().oversleeps;
    EXPECT_EQ(run(GetParam().work_us), GetParam().sleeps) << GetParam().what;
    EXPECT_EQ(logLines().back(), "GameManager: run ended");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LoopPacingTest,
    ::testing::Values(
        // 33 - 10 = 23, which lasts 25: 2 owed; 33 - 10 - 2 = 21, which lasts 18: nothing
        // owed, and nothing credited either.
        Pacing{"oversleep", {10000, 10000, 10000}, {2, -3}, {23, 21, 23}},
        // 33 - 40 = -7: no sleep, 7 owed; 33 - 10 - 7 = 16; 33 - 30 = 3; 33 - 10 = 23.
        Pacing{"overrun", {40000, 10000, 30000, 10000}, {}, {16, 3, 23}},
        // Stopped for a minute in the first sleep, the loop catches up 99 ms in passes without
        // sleep (owing 76, 53, 30, 7), then keeps its pace.
        Pacing{"stall", std::vector<int>(8, 10000), {60000}, {23, 16, 23, 23}},
        // Work of 10.6 ms: a sleep rounded up to 23 ms carries its 0.6 ms into the next pass.
        Pacing{"fractions", {10600, 10600, 10600}, {}, {23, 22, 23}}),
    [](const ::testing::TestParamInfo<Pacing>& pacing) { return std::string(pacing.param.what); });

TEST_F(GameLoopTest, GameOverOrAStopSignalEndsTheLoopAfterThePassAndItsSleep) {
    lm::GameManager::getInstance().setGameOver(true);
    lm::GameManager::getInstance().run();
    EXPECT_TRUE(time.sleeps.empty()) << "already over: not a single pass";

    lm::GameManager::getInstance().setGameOver(false);
    lm::platform::catchStopSignals();
    Journal journal;
    auto* p_signaller = new Recorder("signaller", journal);
    p_signaller->reaction = [](const lm::Event*) { std::raise(SIGTERM); };
    lm::GameManager::getInstance().run();
    lm::platform::endStopSignals();
    EXPECT_EQ(journal.size(), 1u) << "one pass";
    EXPECT_EQ(time.sleeps, std::vector<int>{33});
    const Lines log = logLines();
    EXPECT_EQ(Lines(log.end() - 2, log.end()),
              (Lines{"GameManager: SIGTERM received, ending the game", "GameManager: run ended"}));
}

TEST(StopSignalTest, EachOneAsksToStopAndASecondOneEndsTheProgram) {
    const std::pair<int, const char*> signals[] = {
        {SIGINT, "SIGINT"}, {SIGTERM, "SIGTERM"}, {SIGHUP, "SIGHUP"}};
    for (const auto& [signal_number, name] : signals) {
        lm::platform::catchStopSignals();
        EXPECT_EQ(lm::platform::stopSignal(), nullptr);
        std::raise(signal_number);
        EXPECT_STREQ(lm::platform::stopSignal(), name);
        lm::platform::endStopSignals();
    }
    EXPECT_EXIT(
        {
            lm::platform::catchStopSignals();
            std::raise(SIGINT);
            std::raise(SIGINT);
            std::exit(0);
        },
        ::testing::KilledBySignal(SIGINT), "");
}

TEST(ClockTest, LapsAndElapsedTimesAcrossTheCountersWrap) {
    ScriptedTime time;
    lm::platform::setTimeSource(&time);
    lm::Clock clock;
    time.advance(25000);
    EXPECT_EQ(clock.elapsed(), 25000);
    EXPECT_EQ(clock.lap(), 25000);
    time.advance(3000);
    EXPECT_EQ(clock.lap(), 3000);
    EXPECT_EQ(clock.elapsed(), 0);
    lm::platform::setTimeSource(nullptr);

    lm::Clock system_clock;
    lm::platform::sleepMilliseconds(3);
    EXPECT_GE(system_clock.elapsed(), 3000);
}

/// Writes a line to the log when it is destroyed.
class Farewell : public lm::Object {
public:
    ~Farewell() override { lm::LogManager::getInstance().writeLog("Farewell"); }
};

TEST(GameManagerTest, StartsTheManagersInOrderAndStopsThemInReverseWithTheLogLast) {
    const lm_test::ScratchFolder scratch;
    unsetenv("DISPLAY");  // no window: the window tests run beside this one
    lm::GameManager& game_manager = lm::GameManager::getInstance();
    EXPECT_EQ(game_manager.startUp(), 0);
    for (const lm::Manager* p_manager :
         {static_cast<const lm::Manager*>(&lm::LogManager::getInstance()),
          static_cast<const lm::Manager*>(&lm::WorldManager::getInstance()),
          static_cast<const lm::Manager*>(&lm::ResourceManager::getInstance())}) {
        EXPECT_TRUE(p_manager->isStarted()) << p_manager->getType();
    }
    const lm::Box boundary = lm::WorldManager::getInstance().getBoundary();
    EXPECT_EQ(boundary.getCorner(), lm::Vector(0, 0));
    EXPECT_EQ(boundary.getHorizontal(), 60);
    EXPECT_EQ(boundary.getVertical(), 80);

    new Farewell();
    game_manager.shutDown();
    // The resources stop before the world deletes its objects, and the log is still open for
    // their destructors.
    const Lines lines = lm_test::readLines(lm::LOGFILE_NAME);
    EXPECT_EQ(Lines(lines.end() - 2, lines.end()),
              (Lines{"SRM::shutDown(): Successfully stopped.", "Farewell"}));
    EXPECT_FALSE(lm::LogManager::getInstance().isStarted());
    EXPECT_FALSE(lm::WorldManager::getInstance().isStarted());
    EXPECT_TRUE(game_manager.getGameOver());
}

}  // namespace
