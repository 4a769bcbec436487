#include "TestSupport.h"

#include "engine/Constants.h"
#include "engine/DisplayManager.h"
#include "engine/EventCollision.h"
#include "engine/LogManager.h"
#include "engine/ResourceManager.h"
#include "engine/WorldManager.h"

#include <SFML/Graphics/Texture.hpp>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace lm {

bool operator==(const Vector& a, const Vector& b) {
    return a.getX() == b.getX() && a.getY() == b.getY();
}

std::ostream& operator<<(std::ostream& out, const Vector& v) {
    return out << "(" << v.getX() << ", " << v.getY() << ")";
}

std::ostream& operator<<(std::ostream& out, const Box& b) {
    return out << "Box" << b.getCorner() << " " << b.getHorizontal() << " x " << b.getVertical();
}

}  // namespace lm

namespace lm_test {

Lines readLines(const std::string& path) {
    Lines lines;
    std::ifstream file(path);
    for (std::string line; std::getline(file, line);) {
        lines.push_back(line);
    }
    return lines;
}

void writeFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::string sourcePath(const std::string& relative) {
    return std::string(LUMORA_SOURCE_DIR) + "/" + relative;
}

ScratchFolder::ScratchFolder() : previous(std::filesystem::current_path().string()) {
    std::string pattern = (std::filesystem::temp_directory_path() / "lumora-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot make a scratch folder");
    }
    folder = pattern;
    std::filesystem::current_path(folder);
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::current_path(previous, ignored);
    std::filesystem::remove_all(folder, ignored);
}

const std::string& ScratchFolder::path() const {
    return folder;
}

void EngineTest::SetUp() {
    lm::LogManager& log_manager = lm::LogManager::getInstance();
    log_manager.startUp();
    log_manager.setFlush(true);
    lm::WorldManager& world_manager = lm::WorldManager::getInstance();
    world_manager.startUp();
    world_manager.setBoundary(lm::Box());
    world_manager.setView(lm::Box());
    world_manager.setViewFollowing(nullptr);
}

void EngineTest::TearDown() {
    lm::ResourceManager::getInstance().shutDown();  // gives back every voice before the exit
    lm::WorldManager::getInstance().shutDown();
    lm::LogManager::getInstance().shutDown();
}

Lines EngineTest::logLines() const {
    return readLines(lm::LOGFILE_NAME);
}

void WindowTest::SetUp() {
    EngineTest::SetUp();
    std::filesystem::copy_file(sourcePath(lm::FONT_FILE_DEFAULT), lm::FONT_FILE_DEFAULT);
    ASSERT_EQ(lm::DisplayManager::getInstance().startUp(), 0) << "is a display available?";
}

void WindowTest::TearDown() {
    lm::DisplayManager::getInstance().shutDown();
    EngineTest::TearDown();
}

sf::Image WindowTest::showFrame() {
    lm::DisplayManager& display_manager = lm::DisplayManager::getInstance();
    sf::RenderWindow& window = *display_manager.getWindow();
    display_manager.drawCells();
    sf::Texture shown;
    shown.create(window.getSize().x, window.getSize().y);
    shown.update(window);  // the frame being drawn, before swapBuffers clears it
    display_manager.swapBuffers();
    return shown.copyToImage();
}

Recorder::Recorder(const std::string& recorder_type, Journal& init_journal)
    : journal(init_journal) {
    setType(recorder_type);
}

int Recorder::eventHandler(const lm::Event* p_event) {
    std::ostringstream entry;
    entry << getType() << ":" << p_event->getType();
    if (p_event->getType() == lm::COLLISION_EVENT) {
        const auto* p_collision = static_cast<const lm::EventCollision*>(p_event);
        entry << " " << p_collision->getObject1()->getType() << ">"
              << p_collision->getObject2()->getType() << " at " << p_collision->getPosition();
    }
    journal.push_back(entry.str());
    if (reaction) {
        reaction(p_event);
    }
    return 1;
}

bool Bounds::operator==(const Bounds& other) const {
    return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
}

std::ostream& operator<<(std::ostream& out, const Bounds& b) {
    return out << "(" << b.left << ", " << b.top << ") to (" << b.right << ", " << b.bottom << ")";
}

namespace {

bool lit(const sf::Uint8* p_pixel) {
    return (p_pixel[0] | p_pixel[1] | p_pixel[2]) != 0;
}

}  // namespace

Bounds litBounds(const sf::Image& image) {
    const int width = static_cast<int>(image.getSize().x);
    const int height = static_cast<int>(image.getSize().y);
    Bounds bounds{width, height, -1, -1};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (lit(image.getPixelsPtr() + 4 * (y * width + x))) {
                bounds = {std::min(bounds.left, x), std::min(bounds.top, y),
                          std::max(bounds.right, x), std::max(bounds.bottom, y)};
            }
        }
    }
    return bounds;
}

int litPixels(const sf::Image& image) {
    const std::size_t pixels = std::size_t{image.getSize().x} * image.getSize().y;
    int count = 0;
    for (std::size_t i = 0; i < pixels; ++i) {
        count += lit(image.getPixelsPtr() + 4 * i) ? 1 : 0;
    }
    return count;
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

void writeRandScript(const std::string& path, const std::vector<int>& values) {
    // Written beside the file and renamed over it, so that rand() never reads half a script.
    {
        std::ofstream file(path + ".new");
        for (const int value : values) {
            file << value << '\n';
        }
    }
    std::filesystem::rename(path + ".new", path);
}

std::vector<long long> readRandCalls(const std::string& path) {
    std::vector<long long> calls;
    std::ifstream file(path);
    for (long long call = 0; file >> call;) {
        calls.push_back(call);
    }
    return calls;
}

}  // namespace lm_test
