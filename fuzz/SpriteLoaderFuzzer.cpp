// libFuzzer target: arbitrary bytes, written to a file, are read by the sprite loader as a sprite
// file. Whatever the bytes, the load must end without a sanitizer report, and a sprite that loads
// must be what the file format promises: at least one frame, each of width x height characters.
//
// Once per process a private temporary folder is made; the input file and the engine's log live
// there. The log is started afresh every LOG_RUNS runs so that it never grows without bound. The
// folder is removed when the fuzzer exits normally and kept after a crash, its log ending with the
// failing run's lines.

#include "engine/Constants.h"
#include "engine/LogManager.h"
#include "engine/ResourceManager.h"
#include "engine/Sprite.h"
#include "engine/Vector.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

namespace {

namespace fs = std::filesystem;

const char LABEL[] = "fuzz";
const int LOG_RUNS = 1000;  // runs between two fresh starts of the log

fs::path folder;      // the private temporary folder
std::string input;    // the sprite file, in the folder
int runs_in_log = 0;  // runs since the log was last started

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "SpriteLoaderFuzzer: %s\n", what);
    std::abort();
}

void check(bool holds, const char* what) {
    if (!holds) {
        fail(what);
    }
}

/// (Re)starts the log manager, which makes its file in the working folder: the private folder is
/// the working folder just for that moment, since libFuzzer's own paths may be relative.
void startLog() {
    const fs::path previous = fs::current_path();
    fs::current_path(folder);
    const int result = lm::LogManager::getInstance().startUp();
    fs::current_path(previous);
    check(result == 0, "cannot open the log file");
    runs_in_log = 0;
}

void removeFolder() {
    lm::LogManager::getInstance().shutDown();
    std::error_code ignored;
    fs::remove_all(folder, ignored);
}

void writeInput(const std::uint8_t* data, std::size_t size) {
    std::ofstream file(input, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    check(file.good(), "cannot write the input file");
}

/// Reads back everything of a loaded sprite, draws every frame (there is no window, so nothing
/// reaches a screen but the frame is walked cell by cell) and checks what the format promises.
void exercise(const lm::Sprite& sprite) {
    const int width = sprite.getWidth();
    const int height = sprite.getHeight();
    const int count = sprite.getFrameCount();
    check(width > 0 && height > 0, "a loaded sprite has an empty size");
    check(count > 0, "a loaded sprite has no frames");
    check(sprite.getColor() >= lm::BLACK && sprite.getColor() <= lm::WHITE,
          "a loaded sprite has no colour of the table");
    check(sprite.getLabel() == LABEL, "a loaded sprite lost its label");
    const std::size_t cells = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    for (int i = 0; i < count; ++i) {
        const lm::Frame frame = sprite.getFrame(i);
        check(frame.getWidth() == width && frame.getHeight() == height,
              "a frame's size differs from its sprite's");
        check(frame.getString().size() == cells, "a frame's characters do not fill its size");
        check(sprite.draw(i, lm::Vector(0, 0)) == 0, "a loaded frame cannot be drawn");
    }
    check(sprite.getFrame(count).getString().empty(), "a frame past the last is not empty");
    check(sprite.draw(count, lm::Vector(0, 0)) == -1, "a frame past the last is drawn");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
    std::string pattern = (fs::temp_directory_path() / "lumora-fuzz-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        fail("cannot make a temporary folder");
    }
    folder = pattern;
    input = (folder / "sprite.txt").string();
    std::fprintf(stderr, "SpriteLoaderFuzzer: input and log (%s) in %s\n", lm::LOGFILE_NAME,
                 folder.c_str());
    startLog();
    // Every line reaches the file at once, so that after a crash the log ends with the failing
    // run's lines.
    lm::LogManager::getInstance().setFlush(true);
    lm::ResourceManager::getInstance().startUp();
    std::atexit(removeFolder);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (++runs_in_log > LOG_RUNS) {
        startLog();
    }
    writeInput(data, size);

    lm::ResourceManager& resources = lm::ResourceManager::getInstance();
    const int result = resources.loadSprite(input, LABEL);
    const lm::Sprite* p_sprite = resources.getSprite(LABEL);
    check(result == 0 || result == -1, "loadSprite returned neither 0 nor -1");
    check((result == 0) == (p_sprite != nullptr), "loadSprite's result and the store disagree");
    if (p_sprite != nullptr) {
        exercise(*p_sprite);
    }
    check(resources.unloadSprite(LABEL) == result, "unloadSprite disagrees with loadSprite");
    check(resources.getSprite(LABEL) == nullptr, "an unloaded sprite is still found");
    return 0;
}
