#include "GameProcess.h"

#include "../XServer.h"

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <numeric>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace lm_test {

namespace {

constexpr auto WAIT = 30s;  // a sanitized game on a busy machine is slow

/// Lets go of every key a test presses, in case an earlier one left some down.
void releaseKeys() {
    for (const char* key : {"a", "d", "s", "w", "q", "c", "x", "space"}) {
        x::key(key, false);
    }
}

/// Keeps a picture in the test output folder, named after the test, for a person to look at.
void keep(const sf::Image& image, const std::string& what) {
    const auto* p_test = ::testing::UnitTest::GetInstance()->current_test_info();
    // A parameterised test's name holds a slash: its pictures go in a folder of its own.
    const fs::path path = fs::path(LUMORA_TEST_OUTPUT) / (p_test->name() + ("-" + what + ".png"));
    fs::create_directories(path.parent_path());
    image.saveToFile(path.string());
}

}  // namespace

GameProcess::GameProcess() {
    for (const char* data : {"sprites", "sounds", "lm-font.ttf"}) {
        fs::copy(sourcePath(data), fs::path(folder()) / data);
    }
}

GameProcess::~GameProcess() {
    if (pid > 0) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    releaseKeys();
    for (const std::string& line : standardError()) {
        EXPECT_TRUE(line.find("Sanitizer") == line.npos && line.find("runtime error") == line.npos)
            << line;
    }
}

void GameProcess::launch() {
    releaseKeys();
    writeFile(folder() + "/alsoft.conf",
              "[general]\ndrivers = wave\nchannels = mono\nsample-type = int16\n"
              "frequency = 22050\n[wave]\nfile = " +
                  folder() + "/sound.wav\n");
    pid = fork();
    if (pid != 0) {
        return;
    }
    setenv("ALSOFT_CONF", (folder() + "/alsoft.conf").c_str(), 1);
    unsetenv("ALSOFT_DRIVERS");
    setenv("LD_PRELOAD", LUMORA_SCRIPTED_RAND, 1);
    setenv("LUMORA_RAND_FILE", (folder() + "/rand.txt").c_str(), 1);
    // A sanitized program wants its runtime first; the scripted rand() comes before it.
    const char* asan = std::getenv("ASAN_OPTIONS");
    setenv("ASAN_OPTIONS", (std::string(asan ? asan : "") + ":verify_asan_link_order=0").c_str(),
           1);
    for (const auto& [name, value] : environment) {
        setenv(name.c_str(), value.c_str(), 1);
    }
    if (chdir(folder().c_str()) == 0 && std::freopen("stdout.txt", "w", stdout) != nullptr &&
        std::freopen("stderr.txt", "w", stderr) != nullptr) {
        execl(LUMORA_PROGRAM, LUMORA_PROGRAM, static_cast<char*>(nullptr));
    }
    _exit(127);
}

bool GameProcess::start(bool shows_a_picture) {
    launch();
    game_window = x::findWindow("Lumora");
    return game_window != 0 && x::focus(game_window) &&
           (!shows_a_picture || waitFor([](const sf::Image& image) { return anyLit(image); }));
}

void GameProcess::hold(const std::string& key, std::chrono::milliseconds how_long) {
    x::key(key, true);
    std::this_thread::sleep_for(how_long);
    x::key(key, false);
}

bool GameProcess::waitFor(const Judge& judge, const char* tapped_key) const {
    for (const auto deadline = std::chrono::steady_clock::now() + WAIT;
         std::chrono::steady_clock::now() < deadline; std::this_thread::sleep_for(20ms)) {
        if (tapped_key != nullptr) {
            hold(tapped_key, 15ms);  // shorter than a pass
            std::this_thread::sleep_for(100ms);
        }
        if (judge(screenshot())) {
            return true;
        }
    }
    keep(screenshot(), "timed-out");
    EXPECT_EQ(x::focused(), game_window) << "the game's window lost the keyboard focus";
    return false;
}

sf::Image GameProcess::screenshot() const {
    // The window may be caught mid-frame, and under load the virtual display now and then shows
    // a frame all black: take pictures until two in a row agree on one with something in it.
    sf::Image previous = x::capture(game_window);
    for (int attempt = 0; attempt < 50; ++attempt) {
        std::this_thread::sleep_for(10ms);
        sf::Image current = x::capture(game_window);
        if (sameRows(previous, current) && anyLit(current)) {
            return current;
        }
        previous = std::move(current);
    }
    return previous;
}

bool GameProcess::soundAudible() const {
    // 16-bit mono samples at 22,050 a second after a 44-byte header: the last fifth of a second.
    std::vector<std::int16_t> samples(22050 / 5);
    const auto bytes = static_cast<std::streamoff>(2 * samples.size());
    std::ifstream file(folder() + "/sound.wav", std::ios::binary | std::ios::ate);
    if (!file || file.tellg() < 44 + bytes ||
        !file.seekg(-bytes, std::ios::end).read(reinterpret_cast<char*>(samples.data()), bytes)) {
        return false;
    }
    double energy = 0;
    for (const std::int16_t sample : samples) {
        energy += static_cast<double>(sample) * sample;
    }
    return std::sqrt(energy / static_cast<double>(samples.size())) > 100;  // silence, with margin
}

int GameProcess::waitForExit(std::chrono::seconds how_long) {
    for (const auto deadline = std::chrono::steady_clock::now() + how_long;
         pid > 0 && std::chrono::steady_clock::now() < deadline;
         std::this_thread::sleep_for(20ms)) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            pid = -1;
            return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
    }
    return -1;
}

bool matchesReference(const sf::Image& shown, const std::string& name) {
    const std::string path = sourcePath("tests/program/references/" + name + ".png");
    if (std::getenv("LUMORA_UPDATE_REFERENCES") != nullptr) {
        return shown.saveToFile(path);
    }
    sf::Image reference;
    const std::size_t pixels = std::size_t{shown.getSize().x} * shown.getSize().y;
    const auto* p_shown = reinterpret_cast<const std::uint32_t*>(shown.getPixelsPtr());
    const bool comparable = reference.loadFromFile(path) && reference.getSize() == shown.getSize();
    const auto* p_reference = reinterpret_cast<const std::uint32_t*>(reference.getPixelsPtr());
    if (comparable && std::inner_product(p_shown, p_shown + pixels, p_reference, std::size_t{0},
                                         std::plus<>(), std::not_equal_to<>()) *
                              100 <=
                          pixels) {
        return true;
    }
    keep(shown, name + "-actual");
    return false;
}

}  // namespace lm_test
