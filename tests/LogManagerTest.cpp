#include "engine/LogManager.h"

#include "TestSupport.h"
#include "engine/Constants.h"

#include <filesystem>
#include <fstream>

namespace {

using lm_test::readLines;

class LogManagerTest : public ::testing::Test {
protected:
    void TearDown() override { log.shutDown(); }

    lm_test::ScratchFolder scratch;
    lm::LogManager& log = lm::LogManager::getInstance();
};

TEST_F(LogManagerTest, StartUpEmptiesTheLogOfAnEarlierRun) {
    std::ofstream(lm::LOGFILE_NAME) << "an earlier run\n";
    EXPECT_EQ(log.startUp(), 0);
    log.shutDown();
    EXPECT_TRUE(readLines(lm::LOGFILE_NAME).empty());
}

TEST_F(LogManagerTest, WritesOneLinePerCallAndReturnsTheMessageLength) {
    log.startUp();
    EXPECT_EQ(log.writeLog("A Goblin appears!"), 17);
    EXPECT_EQ(log.writeLog("SRM::loadSprite(): Error! Cannot add more Sprites (max is %d).", 1000),
              64);
    EXPECT_EQ(log.writeLog("%s deals %d damage", "The Hero", -2), 24);
    EXPECT_EQ(log.writeLog("first\n\tsecond"), 13);
    log.shutDown();
    EXPECT_EQ(
        readLines(lm::LOGFILE_NAME),
        (std::vector<std::string>{
            "A Goblin appears!", "SRM::loadSprite(): Error! Cannot add more Sprites (max is 1000).",
            "The Hero deals -2 damage", "first", "\tsecond"}));
}

TEST_F(LogManagerTest, LinesReachTheFileAtOnceWhenFlushing) {
    log.startUp();
    log.setFlush(true);
    log.writeLog("Object: id = %d", 7);
    EXPECT_EQ(readLines(lm::LOGFILE_NAME), std::vector<std::string>{"Object: id = 7"});
    log.setFlush(false);
}

TEST_F(LogManagerTest, WithoutAFileLinesAreDroppedAndTheCountIsNegative) {
    EXPECT_LT(log.writeLog("before start-up"), 0);

    log.startUp();
    log.shutDown();
    log.shutDown();  // a second shut-down closes nothing
    EXPECT_FALSE(log.isStarted());
    EXPECT_LT(log.writeLog("after shut-down %d", 1), 0);
    EXPECT_TRUE(readLines(lm::LOGFILE_NAME).empty());
}

TEST_F(LogManagerTest, AFileThatCannotBeOpenedFailsStartUpButLogsNothingAndNeverCrashes) {
    std::filesystem::create_directory(lm::LOGFILE_NAME);  // a folder where the file should be
    EXPECT_EQ(log.startUp(), -1);
    EXPECT_TRUE(log.isStarted());
    EXPECT_LT(log.writeLog("nowhere to go"), 0);
}

}  // namespace
