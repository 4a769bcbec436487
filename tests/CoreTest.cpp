// The engine's spine: the broadcast of events, the log, the game loop's pacing and its end, and
// the stop signals.

#include "TestSupport.h"
#include "engine/Clock.h"
#include "engine/EventStep.h"
#include "engine/GameManager.h"
#include "engine/InputManager.h"
#include "engine/LogManager.h"
#include "engine/Platform.h"

#include <csignal>
#include <cstdlib>

namespace {

using lm_test::Journal;
using lm_test::Recorder;

class CoreTest : public lm_test::EngineTest {};

TEST_F(CoreTest, ABroadcastReachesEveryObjectOfTheListAsItWasWhenItBegan) {
    Journal journal;
    auto* p_first = new Recorder("A", journal);
    new Recorder("B", journal);
    new lm::Object();  // ignores every event, and still counts
    p_first->reaction = [&journal](const lm::Event*) { new Recorder("Newcomer", journal); };
    const lm::EventStep step;
    EXPECT_EQ(lm::LogManager::getInstance().onEvent(&step), 3) << "any manager broadcasts";
    EXPECT_EQ(journal, (Journal{"A:lm::step", "B:lm::step"}));
}

TEST(LogManagerTest, WritesOneLinePerMessageToAFileItEmptiesAtStartUp) {
    const lm_test::ScratchFolder scratch;
    lm::LogManager& log = lm::LogManager::getInstance();
    lm_test::writeFile(lm::LOGFILE_NAME, "an earlier run\n");
    EXPECT_EQ(log.writeLog("before start-up") + log.startUp(), -1);
    EXPECT_EQ(log.writeLog("%s deals %d damage", "The Hero", -2), 24);
    EXPECT_TRUE(lm_test::readLines(lm::LOGFILE_NAME).empty()) << "buffered until flushed";
    log.setFlush(true);
    log.writeLog("a\n\tb");
    EXPECT_EQ(lm_test::readLines(lm::LOGFILE_NAME),
              (lm_test::Lines{"The Hero deals -2 damage", "a", "\tb"}));
    log.shutDown();
    EXPECT_EQ(log.writeLog("after shut-down"), -1);
}

/// Scripted time, from just below the wrap of the 32-bit microsecond count, which the loop must
/// not notice. It moves only when a pass works or the loop sleeps; each sleep (milliseconds)
/// lasts as long as asked plus the next of the (at most 8) oversleeps.
struct ScriptedTime : lm::platform::TimeSource {
    std::uint32_t now = 0xFFFFFFFFu - 20000u;
    std::vector<int> sleeps, oversleeps;
    std::uint32_t microseconds() override { return now; }
    void sleepMilliseconds(int ms) override {
        sleeps.push_back(ms);
        now += 1000u * static_cast<std::uint32_t>(ms + oversleeps.at(sleeps.size() - 1));
    }
};

TEST_F(CoreTest, TheLoopSleepsOutEachFrameMakesUpWhatWasLostAndEndsOnGameOverOrASignal) {
    // Per case: each pass's work (microseconds; -1 raises a stop signal), how much longer than
    // asked each sleep lasts (milliseconds), and the sleeps asked for.
    const std::vector<int> table[][3] = {
        // 33 - 10 = 23, which lasts 25: 2 owed; 33 - 10 - 2 = 21, which lasts 18: nothing owed,
        // and nothing credited either.
        {{10000, 10000, 10000}, {2, -3}, {23, 21, 23}},
        // 33 - 40 = -7: no sleep, 7 owed; 33 - 10 - 7 = 16; 33 - 30 = 3; 33 - 10 = 23.
        {{40000, 10000, 30000, 10000}, {}, {16, 3, 23}},
        // Stopped for a minute in the first sleep, the loop catches up 99 ms in passes without
        // sleep (owing 76, 53, 30, 7), then keeps its pace.
        {std::vector<int>(8, 10000), {60000}, {23, 16, 23, 23}},
        // Work of 10.6 ms: a sleep rounded up to 23 ms carries its 0.6 ms into the next pass.
        {{10600, 10600, 10600}, {}, {23, 22, 23}},
        // A stop signal ends the loop after its pass and its sleep.
        {{-1, 0}, {}, {33}}};
    lm::GameManager& game = lm::GameManager::getInstance();
    EXPECT_EQ(lm::InputManager::getInstance().startUp(), -1) << "no window to read";
    lm::platform::catchStopSignals();
    for (const auto& row : table) {
        ScriptedTime time;
        time.oversleeps = row[1];
        time.oversleeps.resize(8);
        lm::platform::setTimeSource(&time);
        Journal passes;
        Recorder worker("worker", passes);
        worker.reaction = [&](const lm::Event*) {
            const int work = row[0].at(passes.size() - 1);  // raise() gives 0
            time.now += static_cast<std::uint32_t>(work < 0 ? std::raise(SIGTERM) : work);
            game.setGameOver(passes.size() == row[0].size());
        };
        game.setGameOver(false);
        game.run();
        EXPECT_EQ(time.sleeps, row[2]) << "work " << row[0][0];
        EXPECT_EQ(logLines().back(), "GameManager: run ended");
    }
    lm::platform::setTimeSource(nullptr);
    lm::platform::endStopSignals();
    EXPECT_EQ(logLines().rbegin()[1], "GameManager: SIGTERM received, ending the game");
}

TEST(StopSignalTest, EachOneAsksToStopASecondOneEndsTheProgramAndSleepsTakeTheirTime) {
    EXPECT_EXIT(
        (lm::platform::catchStopSignals(), std::raise(SIGHUP), std::raise(SIGHUP), std::exit(0)),
        ::testing::KilledBySignal(SIGHUP), "");
    lm::Clock clock;
    lm::platform::sleepMilliseconds(3);
    EXPECT_GE(clock.lap(), 3000);
}

}  // namespace
