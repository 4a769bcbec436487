#include "GameProcess.h"

#include "../FakeInput.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <signal.h>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <utility>

namespace fs = std::filesystem;

namespace lm_test {
namespace {

constexpr auto POLL = std::chrono::milliseconds(20);
constexpr auto WAIT = std::chrono::seconds(10);

/// Runs a shell command; its standard output.
std::string run(const std::string& command) {
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
            output += buffer;
        }
        pclose(pipe);
    }
    return output;
}

void xdotool(const std::string& arguments) {
    run("xdotool " + arguments + " 2>/dev/null");
}

/// Lets go of every key a test presses, in case an earlier one left some down.
void releaseKeys() {
    xdotool("keyup a d s w q c x space");
}

/// What the window showed when a wait ran out, named after the test.
void keepForTheRecord(const sf::Image& shown) {
    const ::testing::TestInfo* p_test = ::testing::UnitTest::GetInstance()->current_test_info();
    if (p_test != nullptr) {
        GameProcess::keep(shown, std::string(p_test->name()) + "-timed-out");
    }
}

}  // namespace

GameProcess::GameProcess() {
    std::string pattern = (fs::temp_directory_path() / "lumora-play-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot make a folder for the game");
    }
    folder = pattern;
    const fs::path source(LUMORA_SOURCE_DIR);
    fs::copy(source / "sprites", fs::path(folder) / "sprites");
    fs::copy(source / "sounds", fs::path(folder) / "sounds");
    fs::copy(source / "lm-font.ttf", fs::path(folder) / "lm-font.ttf");
}

GameProcess::~GameProcess() {
    if (pid > 0) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    releaseKeys();
    // Memory is never to be corrupted, not even at the program's exit: a sanitizer's report fails
    // the test.
    const std::string errors = standardError();
    if (errors.find("Sanitizer") != std::string::npos ||
        errors.find("runtime error") != std::string::npos) {
        ADD_FAILURE() << "The program's standard error:\n" << errors;
    }
    std::error_code ignored;
    fs::remove_all(folder, ignored);
}

void GameProcess::launch() {
    releaseKeys();
    scriptRand({0});
    pid = fork();
    if (pid == 0) {
        if (chdir(folder.c_str()) != 0) {
            _exit(127);
        }
        // The sound goes to a file instead of a sound card.
        {
            std::ofstream config(folder + "/alsoft.conf");
            config << "[general]\ndrivers = wave\nchannels = mono\nsample-type = int16\n"
                      "frequency = 22050\n[wave]\nfile = "
                   << folder << "/sound.wav\n";
        }
        setenv("ALSOFT_CONF", (folder + "/alsoft.conf").c_str(), 1);
        unsetenv("ALSOFT_DRIVERS");
        setenv("LD_PRELOAD", LUMORA_SCRIPTED_RAND, 1);
        setenv("LUMORA_RAND_FILE", (folder + "/rand.txt").c_str(), 1);
        setenv("LUMORA_RAND_CALLS", (folder + "/rand-calls.txt").c_str(), 1);
        // A sanitized program wants its runtime first; the scripted rand() comes before it.
        const char* asan = std::getenv("ASAN_OPTIONS");
        for (const auto& [name, value] : environment) {
            setenv(name.c_str(), value.c_str(), 1);
        }
        // Standard output and error are kept for the test to read.
        std::freopen((folder + "/stdout.txt").c_str(), "w", stdout);
        std::freopen((folder + "/stderr.txt").c_str(), "w", stderr);
        setenv("ASAN_OPTIONS",
               (std::string(asan != nullptr ? asan : "") + ":verify_asan_link_order=0").c_str(), 1);
        execl(LUMORA_PROGRAM, LUMORA_PROGRAM, static_cast<char*>(nullptr));
        _exit(127);
    }
}

bool GameProcess::start(bool shows_a_picture) {
    launch();
    const std::string found =
        run("timeout 20 xdotool search --sync --onlyvisible --name '^Lumora$' 2>/dev/null");
    window = std::strtoul(found.c_str(), nullptr, 10);
    // The title is on screen once the window shows anything at all.
    return window != 0 && (!shows_a_picture ||
                           waitFor([](const sf::Image& image) { return litPixels(image) > 0; }));
}

void GameProcess::hold(const std::string& key, std::chrono::milliseconds how_long) const {
    keyDown(key);
    std::this_thread::sleep_for(how_long);
    keyUp(key);
}

const std::string& GameProcess::dataFolder() const {
    return folder;
}

void GameProcess::setEnvironment(const std::string& name, const std::string& value) {
    environment.emplace_back(name, value);
}

std::vector<long long> GameProcess::randCalls() const {
    std::vector<long long> calls;
    std::ifstream file(folder + "/rand-calls.txt");
    for (long long call = 0; file >> call;) {
        calls.push_back(call);
    }
    return calls;
}

void GameProcess::sendSignal(int signal_number) const {
    if (pid > 0) {
        kill(pid, signal_number);
    }
}

void GameProcess::focus() const {
    fake_input::focus(window);
}

void GameProcess::resize(unsigned int width, unsigned int height) const {
    // Away from the screen's edges no part of the window is off screen, where it cannot be read.
    xdotool("windowmove --sync " + std::to_string(window) + " 0 0");
    xdotool("windowsize --sync " + std::to_string(window) + " " + std::to_string(width) + " " +
            std::to_string(height));
}

std::string GameProcess::standardError() const {
    std::ifstream file(folder + "/stderr.txt");
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

bool GameProcess::tapUntil(const std::string& key, const Judge& judge) const {
    // A pass of the game loop lasts 33 ms: a key down for 8 ms is seen by one pass or by none.
    const auto deadline = std::chrono::steady_clock::now() + WAIT;
    sf::Image shown;
    while (std::chrono::steady_clock::now() < deadline) {
        xdotool("keydown " + key + " sleep 0.008 keyup " + key);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        shown = screenshot();
        if (judge(shown)) {
            return true;
        }
    }
    keepForTheRecord(shown);
    return false;
}

void GameProcess::keyDown(const std::string& key) const {
    xdotool("keydown " + key);
}

void GameProcess::keyUp(const std::string& key) const {
    xdotool("keyup " + key);
}

void GameProcess::scriptRand(const std::vector<int>& values) const {
    // Written beside the file and renamed over it, so the program never reads half a script.
    const std::string path = folder + "/rand.txt";
    {
        std::ofstream file(path + ".new");
        for (int value : values) {
            file << value << '\n';
        }
    }
    fs::rename(path + ".new", path);
}

std::vector<std::string> GameProcess::log() const {
    std::vector<std::string> lines;
    std::ifstream file(folder + "/lumora.log");
    for (std::string line; std::getline(file, line);) {
        lines.push_back(line);
    }
    return lines;
}

sf::Image GameProcess::screenshot() const {
    // The window may be caught while a frame is drawn, and under a heavy load the virtual display
    // now and then shows a frame all black: take pictures until two in a row agree on one with
    // something in it.
    sf::Image previous = capture();
    for (int attempt = 0; attempt < 50; ++attempt) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        sf::Image current = capture();
        if (sameRows(previous, current, 0, 1000) && litPixels(current) > 0) {
            return current;
        }
        previous = std::move(current);
    }
    return previous;
}

sf::Image GameProcess::capture() const {
    sf::Image image;
    Display* p_display = XOpenDisplay(nullptr);
    if (p_display == nullptr) {
        return image;
    }
    XWindowAttributes attributes{};
    XGetWindowAttributes(p_display, window, &attributes);
    const auto width = static_cast<unsigned int>(attributes.width);
    const auto height = static_cast<unsigned int>(attributes.height);
    if (XImage* p_image = XGetImage(p_display, window, 0, 0, width, height, AllPlanes, ZPixmap)) {
        image.create(width, height);
        for (unsigned int y = 0; y < height; ++y) {
            for (unsigned int x = 0; x < width; ++x) {
                const unsigned long pixel =
                    XGetPixel(p_image, static_cast<int>(x), static_cast<int>(y));
                image.setPixel(
                    x, y,
                    sf::Color(static_cast<sf::Uint8>(pixel >> 16),
                              static_cast<sf::Uint8>(pixel >> 8), static_cast<sf::Uint8>(pixel)));
            }
        }
        XDestroyImage(p_image);
    }
    XCloseDisplay(p_display);
    return image;
}

bool GameProcess::waitFor(const Judge& judge) const {
    const auto deadline = std::chrono::steady_clock::now() + WAIT;
    sf::Image shown;
    while (std::chrono::steady_clock::now() < deadline) {
        shown = screenshot();
        if (judge(shown)) {
            return true;
        }
        std::this_thread::sleep_for(POLL);
    }
    keepForTheRecord(shown);
    return false;
}

void GameProcess::keep(const sf::Image& image, const std::string& name) {
    fs::create_directories(LUMORA_TEST_OUTPUT);
    image.saveToFile(std::string(LUMORA_TEST_OUTPUT) + "/" + name + ".png");
}

bool GameProcess::soundAudible() const {
    // 16-bit mono samples at 22,050 a second after a 44-byte header; the last fifth of a second.
    constexpr std::streamoff HEADER = 44;
    constexpr std::streamoff SAMPLES = 22050 / 5;
    std::ifstream file(folder + "/sound.wav", std::ios::binary | std::ios::ate);
    const std::streamoff size = file.tellg();
    if (!file || size < HEADER + 2 * SAMPLES) {
        return false;
    }
    file.seekg(size - 2 * SAMPLES);
    std::vector<std::int16_t> samples(static_cast<std::size_t>(SAMPLES));
    file.read(reinterpret_cast<char*>(samples.data()), 2 * SAMPLES);
    double energy = 0;
    for (const std::int16_t sample : samples) {
        energy += static_cast<double>(sample) * sample;
    }
    constexpr double QUIET = 100;  // root mean square of a silent output, with margin
    return std::sqrt(energy / static_cast<double>(samples.size())) > QUIET;
}

void GameProcess::closeWindow() const {
    fake_input::requestClose(window);
}

int GameProcess::waitForExit(std::chrono::seconds how_long) {
    const auto deadline = std::chrono::steady_clock::now() + how_long;
    while (pid > 0 && std::chrono::steady_clock::now() < deadline) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            pid = -1;
            return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
        std::this_thread::sleep_for(POLL);
    }
    return -1;
}

void ProgramTest::SetUp() {
    ASSERT_TRUE(game.start()) << "the game's window did not come up";
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    title = game.screenshot();
}

void ProgramTest::quit() {
    game.hold("q", std::chrono::milliseconds(150));
    EXPECT_EQ(game.waitForExit(std::chrono::seconds(5)), 0);
}

int rowsDifferingWhenShifted(const sf::Image& before, const sf::Image& after, int shift,
                             int skip_from, int skip_to) {
    const int width = static_cast<int>(std::min(before.getSize().x, after.getSize().x));
    const int height = static_cast<int>(std::min(before.getSize().y, after.getSize().y));
    int differing = 0;
    for (int y = 0; y + shift < height; ++y) {
        if (y + shift >= skip_from && y < skip_to) {
            continue;
        }
        for (int x = 0; x < width; ++x) {
            if (after.getPixel(static_cast<unsigned int>(x), static_cast<unsigned int>(y)) !=
                before.getPixel(static_cast<unsigned int>(x),
                                static_cast<unsigned int>(y + shift))) {
                ++differing;
                break;
            }
        }
    }
    return differing;
}

bool matchesReference(const sf::Image& shown, const std::string& name) {
    const std::string reference_path =
        std::string(LUMORA_SOURCE_DIR) + "/tests/program/references/" + name + ".png";
    if (std::getenv("LUMORA_UPDATE_REFERENCES") != nullptr) {
        return shown.saveToFile(reference_path);
    }
    sf::Image reference;
    if (!reference.loadFromFile(reference_path) || reference.getSize() != shown.getSize()) {
        GameProcess::keep(shown, name + "-actual");
        return false;
    }
    // Differences in red over a dimmed copy of the reference.
    sf::Image differences = reference;
    int differing = 0;
    for (unsigned int y = 0; y < shown.getSize().y; ++y) {
        for (unsigned int x = 0; x < shown.getSize().x; ++x) {
            const sf::Color expected = reference.getPixel(x, y);
            if (shown.getPixel(x, y) != expected) {
                ++differing;
                differences.setPixel(x, y, sf::Color::Red);
            } else {
                differences.setPixel(x, y,
                                     sf::Color(expected.r / 3, expected.g / 3, expected.b / 3));
            }
        }
    }
    // Up to one pixel in a hundred: a sprite's animation may show another frame.
    const bool close_enough =
        differing * 100 <= static_cast<int>(shown.getSize().x * shown.getSize().y);
    if (!close_enough) {
        GameProcess::keep(shown, name + "-actual");
        GameProcess::keep(differences, name + "-differences");
    }
    return close_enough;
}

bool sameRows(const sf::Image& a, const sf::Image& b, int first_row, int last_row) {
    constexpr int CELL_HEIGHT = 17;
    if (a.getSize() != b.getSize()) {
        return false;
    }
    const std::size_t row_bytes = std::size_t{a.getSize().x} * 4;
    const auto from = static_cast<std::size_t>(first_row * CELL_HEIGHT);
    const auto to = std::min(static_cast<std::size_t>((last_row + 1) * CELL_HEIGHT),
                             std::size_t{a.getSize().y});
    return from >= to ||
           std::equal(a.getPixelsPtr() + from * row_bytes, a.getPixelsPtr() + to * row_bytes,
                      b.getPixelsPtr() + from * row_bytes);
}

int litPixels(const sf::Image& image) {
    int lit = 0;
    const sf::Uint8* p_pixel = image.getPixelsPtr();
    for (std::size_t i = 0; i < std::size_t{image.getSize().x} * image.getSize().y; ++i) {
        lit += (p_pixel[4 * i] | p_pixel[4 * i + 1] | p_pixel[4 * i + 2]) != 0 ? 1 : 0;
    }
    return lit;
}

}  // namespace lm_test
