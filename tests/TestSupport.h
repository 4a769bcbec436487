#pragma once

#include "engine/Object.h"
#include "engine/Vector.h"

#include <SFML/Graphics/Image.hpp>
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace lm {
bool operator==(const Vector& a, const Vector& b);
std::ostream& operator<<(std::ostream& out, const Vector& v);
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
    const std::string& path() const { return folder; }

private:
    std::string previous;  // working folder before
    std::string folder;
};

/// Each test in its own folder with the log (flushing every line) and an empty world started;
/// afterwards the resources, the world and the log are stopped, deleting what is left.
class EngineTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    /// The log file's lines so far.
    static Lines logLines();

    ScratchFolder scratch;
};

/// As EngineTest, with the window open on the display and the game's font in the working folder.
class WindowTest : public EngineTest {
protected:
    void SetUp() override;
    void TearDown() override;
    /// What the window shows once the cells drawn so far are on screen. The frame is then cleared.
    static sf::Image showFrame();
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

/// The smallest rectangle holding every pixel that is not black: left, top, right and bottom,
/// inclusive; right < left when nothing is lit.
using Bounds = std::array<int, 4>;
Bounds litBounds(const sf::Image& image);
/// Whether some pixel is not black.
inline bool anyLit(const sf::Image& image) {
    return litBounds(image)[2] >= 0;
}
/// Whether two pictures are the same in the rows of cells (17 pixels each) from first to last.
bool sameRows(const sf::Image& a, const sf::Image& b, int first_row = 0, int last_row = 1000);

/// Writes a mono tone of the given length, 22,050 samples a second, as a WAV file.
void writeTone(const std::string& path, float seconds);

/// The game's rand() in the tests is the scripted one of the library lumora_scripted_rand: it
/// returns the numbers of the file named by LUMORA_RAND_FILE, in order, then the last one for
/// ever.
void writeRandScript(const std::string& path, const std::vector<int>& values);

}  // namespace lm_test
