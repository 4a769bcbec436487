#pragma once

#include "engine/Box.h"
#include "engine/Object.h"
#include "engine/Vector.h"

#include <SFML/Graphics/Image.hpp>
#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace lm {
class Event;

bool operator==(const Vector& a, const Vector& b);
std::ostream& operator<<(std::ostream& out, const Vector& v);
std::ostream& operator<<(std::ostream& out, const Box& b);
}  // namespace lm

namespace lm_test {

/// The lines of a text file, without their newlines; empty when it cannot be read.
std::vector<std::string> readLines(const std::string& path);

/// A fresh, empty working folder for the life of the object, removed afterwards. The log file and
/// anything else a test writes land there, so tests running side by side never share files.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

private:
    std::string previous;  // working folder before
    std::string folder;    // the scratch folder
};

/// Runs each test in its own folder with the log (flushing every line) and an empty world started,
/// and stops both afterwards, deleting whatever objects are left.
class EngineTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    /// The log file's lines so far.
    std::vector<std::string> logLines() const;

private:
    ScratchFolder scratch;
};

/// A file of the source tree, such as the game's font.
std::string sourcePath(const std::string& relative);

/// Writes text to a file, exactly as given.
void writeFile(const std::string& path, const std::string& text);

/// As EngineTest, with the window open on the (virtual) display and the game's font in the
/// working folder. The window is closed afterwards.
class WindowTest : public EngineTest {
protected:
    void SetUp() override;
    void TearDown() override;

    /// What the window shows once the cells drawn so far are on screen. The frame is then cleared.
    sf::Image showFrame();
};

/// What the recorders of one test have received, in order.
using Journal = std::vector<std::string>;

/// An object that writes every event it receives into a journal as "type:event", where type is
/// its own type string; a collision also names both objects and the position. An optional
/// reaction runs after the entry is written.
class Recorder : public lm::Object {
public:
    Recorder(const std::string& recorder_type, Journal& init_journal);
    int eventHandler(const lm::Event* p_event) override;

    std::function<void(const lm::Event*)> reaction;

private:
    Journal& journal;
};

}  // namespace lm_test
