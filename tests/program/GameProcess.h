#pragma once

#include "../TestSupport.h"

#include <SFML/Graphics/Image.hpp>
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <functional>
#include <string>
#include <sys/types.h>

namespace lm_test {

/// Tells whether a picture of the window shows what a test waits for.
using Judge = std::function<bool(const sf::Image&)>;

/// The real game program, started in a fresh copy of its data folder under the test's display,
/// with its rand() scripted and its sound written to a file, and judged from the outside: its
/// window's pixels, its sound, its log and its exit status. Keys are pressed for real.
class GameProcess {
public:
    GameProcess();
    /// Ends the program if it still runs; fails the test if a sanitizer spoke.
    ~GameProcess();
    GameProcess(const GameProcess&) = delete;
    GameProcess& operator=(const GameProcess&) = delete;

    /// Sets an environment variable for the program.
    void setEnvironment(const std::string& name, const std::string& value) {
        environment.emplace_back(name, value);
    }
    /// Starts the program and returns at once.
    void launch();
    /// Starts the program and waits for its window and, unless told otherwise, its first picture.
    bool start(bool shows_a_picture = true);

    /// Holds a key (an X key name) down for a while, then lets it go.
    static void hold(const std::string& key, std::chrono::milliseconds how_long);
    /// Waits until the window shows what the judge waits for, half a minute at most. With a key,
    /// taps it meanwhile, so briefly that at most one pass sees each tap.
    bool waitFor(const Judge& judge, const char* tapped_key = nullptr) const;
    /// The window's pixels now, as a whole frame.
    sf::Image screenshot() const;
    /// Whether the sound output carried sound over its last fifth of a second. Sound reaches the
    /// file a little late: wait most of a second after a change before asking.
    bool soundAudible() const;
    /// What rand() returns from its next call on: these numbers in order, then the last for ever.
    void rolls(const std::vector<int>& values) const {
        writeRandScript(folder() + "/rand.txt", values);
    }

    void sendSignal(int signal_number) const {
        if (pid > 0) {
            kill(pid, signal_number);
        }
    }
    unsigned long window() const { return game_window; }
    Lines standardError() const { return readLines(folder() + "/stderr.txt"); }
    Lines log() const { return readLines(folder() + "/lumora.log"); }
    /// Waits for the program to end; its exit status, or -1 when it still runs or a signal ended
    /// it.
    int waitForExit(std::chrono::seconds how_long);

    /// The program's working folder, a fresh copy of its data: a test may change it before start.
    const std::string& folder() const { return scratch.path(); }

private:
    ScratchFolder scratch;
    std::vector<std::pair<std::string, std::string>> environment;
    pid_t pid = -1;
    unsigned long game_window = 0;
};

/// Compares a picture with the reference of that name kept in the repository, allowing one pixel
/// in a hundred to differ (animations move on). A failure keeps the picture in the test output
/// folder. With LUMORA_UPDATE_REFERENCES set, the picture becomes the reference.
bool matchesReference(const sf::Image& shown, const std::string& name);

}  // namespace lm_test
