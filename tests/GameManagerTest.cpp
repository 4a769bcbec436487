#include "engine/GameManager.h"

#include "TestSupport.h"
#include "engine/Clock.h"
#include "engine/Constants.h"
#include "engine/DisplayManager.h"
#include "engine/Event.h"
#include "engine/InputManager.h"
#include "engine/LogManager.h"
#include "engine/Platform.h"
#include "engine/ResourceManager.h"
#include "engine/WorldManager.h"

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <utility>

namespace {

using lm_test::readLines;

/// A scripted clock: time moves only when a pass "works" (advance) or the loop sleeps. Each sleep
/// lasts as long as asked plus the next of the scripted oversleeps.
class ScriptedTime : public lm::platform::TimeSource {
public:
    explicit ScriptedTime(std::uint32_t start) : now(start) {}

    std::uint32_t microseconds() override { return now; }

    void sleepMilliseconds(int milliseconds) override {
        sleeps.push_back(milliseconds);
        int extra = 0;
        if (!oversleeps.empty()) {
            extra = oversleeps.front();
            oversleeps.erase(oversleeps.begin());
        }
        advance(milliseconds + extra);
    }

    void advance(int milliseconds) { now += static_cast<std::uint32_t>(milliseconds) * 1000u; }

    std::uint32_t now;            // microseconds
    std::vector<int> sleeps;      // each sleep asked for, in order
    std::vector<int> oversleeps;  // milliseconds each sleep lasts beyond what was asked
};

/// An object whose step handler "works" for the next scripted number of milliseconds, and sets
/// game over on the last one.
class Worker : public lm::Object {
public:
    Worker(ScriptedTime& init_time, std::vector<int> init_work)
        : time(init_time), work(std::move(init_work)) {}

    int eventHandler(const lm::Event* p_event) override {
        if (p_event->getType() != lm::STEP_EVENT) {
            return 0;
        }
        time.advance(work.at(steps));
        if (++steps == work.size()) {
            lm::GameManager::getInstance().setGameOver(true);
        }
        return 1;
    }

    std::size_t steps = 0;

private:
    ScriptedTime& time;
    std::vector<int> work;
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

    // Starts just below the 32-bit wrap of the microsecond count, which the loop must not notice.
    ScriptedTime time{0xFFFFFFFFu - 20000u};
};

TEST_F(GameLoopTest, OversleepIsMadeUpNextPassButTimeGainedIsNotCarried) {
    time.oversleeps = {2, -3};
    new Worker(time, {10, 10, 10});
    lm::GameManager::getInstance().run();
    // 33 - 10 = 23, which lasts 25: 2 ms owed. 33 - 10 - 2 = 21, which lasts only 18: nothing
    // owed, and nothing credited either.
    EXPECT_EQ(time.sleeps, (std::vector<int>{23, 21, 23}));
}

TEST_F(GameLoopTest, OverrunSkipsTheSleepAndIsCarriedUntilUsedUp) {
    new Worker(time, {40, 10, 30, 10});
    lm::GameManager::getInstance().run();
    // 33 - 40 = -7: no sleep, 7 owed. 33 - 10 - 7 = 16. 33 - 30 = 3. 33 - 10 = 23.
    EXPECT_EQ(time.sleeps, (std::vector<int>{16, 3, 23}));
}

TEST_F(GameLoopTest, ALongStallIsMadeUpForAtMostThreeFrames) {
    // The process stops for a minute in its first sleep: the loop catches up 99 ms, in passes
    // without sleep, and then keeps its pace again.
    time.oversleeps = {60000};
    new Worker(time, {10, 10, 10, 10, 10, 10, 10, 10});
    lm::GameManager::getInstance().run();
    // Owed 99, then 76, 53, 30 and 7 after passes of 10 ms without sleep; 33 - 10 - 7 = 16.
    EXPECT_EQ(time.sleeps, (std::vector<int>{23, 16, 23, 23}));
}

TEST_F(GameLoopTest, AStopSignalEndsTheLoopAfterThePassInProgress) {
    lm::platform::catchStopSignals();
    lm_test::Journal journal;
    auto* p_worker = new lm_test::Recorder("worker", journal);
    p_worker->reaction = [](const lm::Event* p_event) {
        if (p_event->getType() == lm::STEP_EVENT) {
            std::raise(SIGTERM);
        }
    };
    lm::GameManager::getInstance().run();
    lm::platform::endStopSignals();
    EXPECT_EQ(journal.size(), 1u) << "one pass, one step event";
    EXPECT_EQ(time.sleeps, std::vector<int>{33}) << "the pass ends with its sleep";
    const std::vector<std::string> log = logLines();
    EXPECT_EQ(std::vector<std::string>(log.end() - 2, log.end()),
              (std::vector<std::string>{"GameManager: SIGTERM received, ending the game",
                                        "GameManager: run ended"}));
}

TEST(StopSignalTest, EachOfThemAsksToStopAndASecondOneEndsTheProgram) {
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

TEST_F(GameLoopTest, FractionsOfAMillisecondAreNotLostFromPassToPass) {
    // Each pass works 10.6 ms: whole milliseconds would make every pass 32.6 or 33.6 ms long.
    constexpr int PASSES = 30;
    lm_test::Journal journal;
    auto* p_worker = new lm_test::Recorder("worker", journal);
    p_worker->reaction = [this, &journal](const lm::Event* p_event) {
        if (p_event->getType() == lm::STEP_EVENT) {
            time.now += 10600;
            lm::GameManager::getInstance().setGameOver(journal.size() == PASSES);
        }
    };
    const std::uint32_t start = time.now;
    lm::GameManager::getInstance().run();
    const std::uint32_t elapsed = time.now - start;
    EXPECT_GE(elapsed, PASSES * 33000u);
    EXPECT_LE(elapsed, PASSES * 33000u + 1000u);
}

TEST_F(GameLoopTest, GameOverEndsTheLoopAfterThePassAndItsSleep) {
    auto* p_worker = new Worker(time, {5, 5});
    lm::GameManager::getInstance().run();
    EXPECT_EQ(p_worker->steps, 2u);
    EXPECT_EQ(time.sleeps, (std::vector<int>{28, 28}));
    EXPECT_EQ(logLines().back(), "GameManager: run ended");
}

TEST_F(GameLoopTest, RunWithGameOverAlreadySetOnlyLogs) {
    auto* p_worker = new Worker(time, {5});
    lm::GameManager::getInstance().setGameOver(true);
    lm::GameManager::getInstance().run();
    EXPECT_EQ(p_worker->steps, 0u);
    EXPECT_TRUE(time.sleeps.empty());
    EXPECT_EQ(logLines().back(), "GameManager: run ended");
}

TEST(ClockTest, LapRestartsTheTimingAndElapsedDoesNot) {
    ScriptedTime time(0xFFFFFFFFu - 1500u);  // the count wraps during the test
    lm::platform::setTimeSource(&time);
    lm::Clock clock;
    time.advance(2);
    EXPECT_EQ(clock.elapsed(), 2000);
    EXPECT_EQ(clock.elapsed(), 2000);
    EXPECT_EQ(clock.lap(), 2000);
    time.advance(3);
    EXPECT_EQ(clock.lap(), 3000);
    EXPECT_EQ(clock.elapsed(), 0);
    lm::platform::setTimeSource(nullptr);
}

TEST(ClockTest, SystemClockCountsAtLeastTheTimeSlept) {
    lm::Clock clock;
    lm::platform::sleepMilliseconds(3);
    EXPECT_GE(clock.elapsed(), 3000);
}

class GameManagerTest : public ::testing::Test {
protected:
    lm_test::ScratchFolder scratch;
    lm::GameManager& game_manager = lm::GameManager::getInstance();
};

/// Writes a line to the log when it is destroyed.
class Farewell : public lm::Object {
public:
    ~Farewell() override { lm::LogManager::getInstance().writeLog("Farewell"); }
};

TEST_F(GameManagerTest, StartUpStartsTheManagersAndSetsTheBoundaryToTheCellGrid) {
    EXPECT_EQ(game_manager.startUp(), 0);
    EXPECT_TRUE(game_manager.isStarted());
    EXPECT_TRUE(lm::LogManager::getInstance().isStarted());
    EXPECT_TRUE(lm::WorldManager::getInstance().isStarted());
    EXPECT_TRUE(lm::ResourceManager::getInstance().isStarted());
    EXPECT_EQ(game_manager.getFrameTime(), 33);

    const lm::Box boundary = lm::WorldManager::getInstance().getBoundary();
    EXPECT_EQ(boundary.getCorner(), lm::Vector(0, 0));
    EXPECT_EQ(boundary.getHorizontal(), 60);
    EXPECT_EQ(boundary.getVertical(), 80);
    game_manager.shutDown();
}

TEST_F(GameManagerTest, ShutDownStopsTheManagersInReverseWithTheLogLast) {
    game_manager.startUp();
    new Farewell();
    game_manager.shutDown();

    // The resources stop before the world deletes its objects, and the log is still open for
    // their destructors.
    const auto lines = readLines(lm::LOGFILE_NAME);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2], "SRM::shutDown(): Successfully stopped.");
    EXPECT_EQ(lines.back(), "Farewell");
    EXPECT_TRUE(lm::WorldManager::getInstance().getAllObjects().empty());
    EXPECT_FALSE(lm::LogManager::getInstance().isStarted());
    EXPECT_FALSE(lm::WorldManager::getInstance().isStarted());
    EXPECT_FALSE(lm::ResourceManager::getInstance().isStarted());
    EXPECT_FALSE(game_manager.isStarted());
    EXPECT_TRUE(game_manager.getGameOver());
}

TEST_F(GameManagerTest, StartUpSucceedsEvenWhenTheLogCannotBeOpened) {
    std::filesystem::create_directory(lm::LOGFILE_NAME);
    EXPECT_EQ(game_manager.startUp(), 0);
    game_manager.shutDown();
}

/// Counts steps with the real clock and sleep, and ends the game after three.
class ThreeSteps : public lm::Object {
public:
    int eventHandler(const lm::Event* p_event) override {
        if (p_event->getType() == lm::STEP_EVENT && ++steps == 3) {
            lm::GameManager::getInstance().setGameOver(true);
        }
        return 0;
    }
    int steps = 0;
};

TEST_F(GameManagerTest, RealLoopRunsUntilGameOver) {
    game_manager.startUp();
    game_manager.setGameOver(false);
    auto* p_counter = new ThreeSteps();
    game_manager.run();
    EXPECT_EQ(p_counter->steps, 3);
    game_manager.shutDown();
    const auto lines = readLines(lm::LOGFILE_NAME);
    EXPECT_NE(std::find(lines.begin(), lines.end(), "GameManager: run ended"), lines.end());
}

}  // namespace
