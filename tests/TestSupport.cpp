#include "TestSupport.h"

#include "engine/Constants.h"
#include "engine/DisplayManager.h"
#include "engine/EventCollision.h"
#include "engine/LogManager.h"
#include "engine/ResourceManager.h"
#include "engine/WorldManager.h"

#include <SFML/Graphics/Texture.hpp>

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

std::vector<std::string> readLines(const std::string& path) {
    std::vector<std::string> lines;
    std::ifstream file(path);
    for (std::string line; std::getline(file, line);) {
        lines.push_back(line);
    }
    return lines;
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

std::vector<std::string> EngineTest::logLines() const {
    return readLines(lm::LOGFILE_NAME);
}

std::string sourcePath(const std::string& relative) {
    return std::string(LUMORA_SOURCE_DIR) + "/" + relative;
}

void writeFile(const std::string& path, const std::string& text) {
    std::ofstream file(path, std::ios::binary);
    file << text;
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

}  // namespace lm_test
