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

using Lines = std::vector<std::string>;

/// The lines of a text file, without their newlines; empty when it cannot be read.
Lines readLines(const std::string& path);

/// Writes text to a file, exactly as given.
void writeFile(const std::string& path, const std::string& text);

/// A file of the source tree, such as the game's font.
std::string sourcePath(const std::string& relative);

/// A fresh, empty folder for the life of the object, and the working folder meanwhile, so that
/// tests running side by side never share files; removed afterwards.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& path() const;

private:
    std::string previous;  // working folder before
    std::string folder;    // the scratch folder
};

/// Each test in its own folder with the log (flushing every line) and an empty world started;
/// afterwards the resources, the world and the log are stopped, deleting what is left.
class EngineTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    /// The log file's lines so far.
    Lines logLines() const;

    ScratchFolder scratch;
};

/// As EngineTest, with the window open on the display and the game's font in the working folder.
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

/// The smallest rectangle of pixels holding every pixel that is not black.
struct Bounds {
    int left = 0;
    int top = 0;
    int right = -1;  // inclusive; right < left when nothing is lit
    int bottom = -1;
    bool operator==(const Bounds& other) const;
};
std::ostream& operator<<(std::ostream& out, const Bounds& b);
Bounds litBounds(const sf::Image& image);

/// Pixels that are not black.
int litPixels(const sf::Image& image);

/// Whether two pictures are the same in the rows of cells (17 pixels each) from first to last.
bool sameRows(const sf::Image& a, const sf::Image& b, int first_row = 0, int last_row = 1000);

/// The game's rand() in the tests is the scripted one of the library lumora_scripted_rand: it
/// returns the numbers of the file named by LUMORA_RAND_FILE, in order, then the last one for
/// ever, and notes the time of every call in the file named by LUMORA_RAND_CALLS.
void writeRandScript(const std::string& path, const std::vector<int>& values);
std::vector<long long> readRandCalls(const std::string& path);

}  // namespace lm_test
