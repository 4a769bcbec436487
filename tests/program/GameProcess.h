#pragma once

#include <SFML/Graphics/Image.hpp>
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <sys/types.h>
#include <utility>
#include <vector>

namespace lm_test {

/// Tells whether a picture of the window shows what a test waits for.
using Judge = std::function<bool(const sf::Image&)>;

/// The real game program, started in a fresh copy of its data folder under the test's display,
/// with its rand() scripted, and judged from the outside: its window's pixels while it runs, its
/// log and its exit status once it has ended (the log reaches the disk when the program ends).
/// Keys are pressed for real, through xdotool.
class GameProcess {
public:
    GameProcess();
    /// Ends the program if it still runs, and removes its folder.
    ~GameProcess();
    GameProcess(const GameProcess&) = delete;
    GameProcess& operator=(const GameProcess&) = delete;

    /// The program's working folder, a fresh copy of its data: a test may change it before start.
    const std::string& dataFolder() const;

    /// An environment variable for the program, set after the test's own (an empty value unsets
    /// nothing: it sets the variable to the empty string).
    void setEnvironment(const std::string& name, const std::string& value);

    /// Starts the program, and returns at once.
    void launch();

    /// Starts the program and waits for its window and, unless told otherwise, its first picture.
    /// False when it did not come up.
    bool start(bool shows_a_picture = true);

    /// Holds a key down (an xdotool key name) for a while, then lets it go.
    void hold(const std::string& key, std::chrono::milliseconds how_long) const;
    /// Presses a key so briefly that the game sees it down in one pass at most, again and again
    /// until the window shows what the judge waits for. Reaches a screen without the key still
    /// held on the next one.
    bool tapUntil(const std::string& key, const Judge& judge) const;
    void keyDown(const std::string& key) const;
    void keyUp(const std::string& key) const;

    /// Sets what the program's rand() returns from its next call on: these numbers in order, then
    /// the last one for ever.
    void scriptRand(const std::vector<int>& values) const;

    /// The times of the program's calls of rand() so far, in microseconds of the monotonic clock
    /// (the clock of std::chrono::steady_clock). The walking hero rolls once a pass.
    std::vector<long long> randCalls() const;

    /// Sends the program a signal.
    void sendSignal(int signal_number) const;

    /// Gives the program's window the keyboard focus.
    void focus() const;

    /// Moves the window to the screen's corner and gives it this size, as a player dragging its
    /// edges would.
    void resize(unsigned int width, unsigned int height) const;

    /// What the program wrote on standard error so far.
    std::string standardError() const;

    /// The log file's lines.
    std::vector<std::string> log() const;

    /// The window's pixels now, as a whole frame.
    sf::Image screenshot() const;
    /// Waits until the window shows what the judge waits for, at most ten seconds.
    bool waitFor(const Judge& judge) const;
    /// Keeps a picture in the test's output folder for a person to look at.
    static void keep(const sf::Image& image, const std::string& name);

    /// Whether the game's sound output, recorded to a file, carried sound over the last moments.
    /// Sound reaches the file a little late: wait most of a second after a change before asking.
    bool soundAudible() const;

    /// Asks the window to close, as its close button does.
    void closeWindow() const;

    /// Waits for the program to end; its exit status, or -1 when it is still running after the
    /// wait or ended by a signal.
    int waitForExit(std::chrono::seconds how_long);

private:
    /// The window's pixels at this instant, whole frame or not.
    sf::Image capture() const;

    std::string folder;
    std::vector<std::pair<std::string, std::string>>
        environment;  // set for the program        // the program's working folder, a copy of its
                      // data
    pid_t pid = -1;   // while it runs
    unsigned long window = 0;  // its X window
};

/// Each test plays the game from its title.
class ProgramTest : public ::testing::Test {
protected:
    /// Starts the program; keeps the title's picture.
    void SetUp() override;
    /// Presses Q and expects the program to end with status 0.
    void quit();

    GameProcess game;
    sf::Image title;
};

/// The rows of one image's pixels that differ from another's shifted up by a number of pixels,
/// outside a band of rows left out of the comparison.
int rowsDifferingWhenShifted(const sf::Image& before, const sf::Image& after, int shift,
                             int skip_from, int skip_to);

/// Compares a picture with the reference of that name kept in the repository: true when at most
/// a small share of pixels differ (animations may have moved on). A failing comparison leaves the
/// picture and an image of the differences in the test output folder. With LUMORA_UPDATE_REFERENCES
/// set, the picture becomes the new reference instead.
bool matchesReference(const sf::Image& shown, const std::string& name);

/// Whether two pictures are the same in the rows of cells from first_row to last_row.
bool sameRows(const sf::Image& a, const sf::Image& b, int first_row, int last_row);

/// Pixels that are not black.
int litPixels(const sf::Image& image);

}  // namespace lm_test
