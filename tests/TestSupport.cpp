#include "TestSupport.h"

#include "engine/DisplayManager.h"
#include "engine/EventCollision.h"
#include "engine/LogManager.h"
#include "engine/ResourceManager.h"
#include "engine/WorldManager.h"

#include <SFML/Audio/SoundBuffer.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <algorithm>
#include <cmath>
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

void EngineTest::SetUp() {
    lm::LogManager::getInstance().startUp();
    lm::LogManager::getInstance().setFlush(true);
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

Lines EngineTest::logLines() {
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

Bounds litBounds(const sf::Image& image) {
    const int width = static_cast<int>(image.getSize().x);
    const int height = static_cast<int>(image.getSize().y);
    Bounds b{width, height, -1, -1};
    const sf::Uint8* p_pixel = image.getPixelsPtr();
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x, p_pixel += 4) {
            if ((p_pixel[0] | p_pixel[1] | p_pixel[2]) != 0) {
                b = {std::min(b[0], x), std::min(b[1], y), std::max(b[2], x), std::max(b[3], y)};
            }
        }
    }
    return b;
}

bool sameRows(const sf::Image& a, const sf::Image& b, int first_row, int last_row) {
    constexpr unsigned int CELL_HEIGHT = 17;
    if (a.getSize() != b.getSize()) {
        return false;
    }
    const std::size_t row_bytes = std::size_t{a.getSize().x} * 4;
    const std::size_t from = first_row * CELL_HEIGHT * row_bytes;
    const std::size_t to = std::min((last_row + 1) * CELL_HEIGHT, a.getSize().y) * row_bytes;
    return from >= to ||
           std::equal(a.getPixelsPtr() + from, a.getPixelsPtr() + to, b.getPixelsPtr() + from);
}

void writeTone(const std::string& path, float seconds) {
    constexpr unsigned int RATE = 22050;
    std::vector<sf::Int16> samples(static_cast<std::size_t>(seconds * RATE));
    for (std::size_t i = 0; i < samples.size(); ++i) {
        samples[i] = static_cast<sf::Int16>(8000 * std::sin(0.125f * static_cast<float>(i)));
    }
    sf::SoundBuffer buffer;
    buffer.loadFromSamples(samples.data(), samples.size(), 1, RATE);
    buffer.saveToFile(path);
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

}  // namespace lm_test
