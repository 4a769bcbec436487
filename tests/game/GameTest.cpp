#include "GameTest.h"

#include "engine/EventKeyboard.h"
#include "engine/EventStep.h"
#include "engine/Music.h"
#include "engine/ResourceManager.h"
#include "game/GameResource.h"

#include <deque>
#include <utility>

namespace {

std::deque<int> rand_values;
std::function<int()> rand_generator;

}  // namespace

// Takes the place of the C library's rand() for every caller in this program, the game included.
extern "C" int rand() noexcept {
    if (rand_values.empty()) {
        return rand_generator ? rand_generator() : 0;
    }
    const int value = rand_values.front();
    rand_values.pop_front();
    return value;
}

namespace lm_test {

void scriptRand(std::initializer_list<int> values) {
    rand_values.insert(rand_values.end(), values);
}

void randFrom(std::function<int()> generator) {
    rand_generator = std::move(generator);
}

int randValuesLeft() {
    return static_cast<int>(rand_values.size());
}

void GameTest::SetUp() {
    EngineTest::SetUp();
    lm::WorldManager& world_manager = lm::WorldManager::getInstance();
    world_manager.setBoundary(lm::Box(lm::Vector(0, 0), 60, 80));
    world_manager.setView(lm::Box(lm::Vector(0, 0), 60, 40));

    for (const GameResource& resource : GAME_RESOURCES) {
        ASSERT_EQ(resource.load(sourcePath("")), 0) << resource.file;
    }
}

void GameTest::press(lm::Keyboard::Key key) {
    lm::EventKeyboard event;
    event.setKey(key);
    event.setKeyboardAction(lm::KEY_PRESSED);
    lm::WorldManager::getInstance().onEvent(&event);
}

void GameTest::release() {
    lm::EventKeyboard event;
    event.setKeyboardAction(lm::KEY_RELEASED);
    lm::WorldManager::getInstance().onEvent(&event);
}

void GameTest::step() {
    lm::EventStep event;
    lm::WorldManager::getInstance().onEvent(&event);
    update();
}

void GameTest::update() {
    lm::WorldManager::getInstance().update();
}

std::vector<std::string> GameTest::types() {
    std::vector<std::string> result;
    for (const lm::Object* p_object : lm::WorldManager::getInstance().getAllObjects()) {
        result.push_back(p_object->getType());
    }
    return result;
}

int GameTest::count(const std::string& type) {
    return static_cast<int>(lm::WorldManager::getInstance().objectsOfType(type).size());
}

lm::Object* GameTest::find(const std::string& type) {
    const lm::ObjectList objects = lm::WorldManager::getInstance().objectsOfType(type);
    return objects.empty() ? nullptr : objects.front();
}

bool GameTest::musicPlaying() {
    lm::Music* p_music = lm::ResourceManager::getInstance().getMusic("combat-music");
    return p_music != nullptr && p_music->getStatus() == sf::SoundSource::Playing;
}

}  // namespace lm_test
