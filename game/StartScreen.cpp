#include "StartScreen.h"

#include "Bush.h"
#include "Controls.h"
#include "Grass.h"
#include "Hero.h"
#include "QuitKey.h"
#include "Rock.h"
#include "Tree.h"
#include "engine/Box.h"
#include "engine/EventKeyboard.h"
#include "engine/Music.h"
#include "engine/ResourceManager.h"
#include "engine/WorldManager.h"

#include <array>

namespace {

// Where the overworld's trees stand, in the order they are made: a column along the left edge,
// one in the middle of the top row, and a column along the right edge.
const std::array<lm::Vector, 19> TREE_POSITIONS = {{
    {5, 0},  {5, 5},  {5, 10},  {5, 15},  {5, 20},  {5, 25},  {5, 30},  {5, 35},  {5, 40},  {30, 0},
    {60, 0}, {60, 5}, {60, 10}, {60, 15}, {60, 20}, {60, 25}, {60, 30}, {60, 35}, {60, 40},
}};

const lm::Vector BUSH_POSITION(20, 20);
const lm::Vector ROCK_POSITION(30, 10);
const lm::Vector GRASS_POSITION(20, 40);
const lm::Vector HERO_POSITION(20, 30);

// The one music track, shared with the battles; null when it could not be loaded.
lm::Music* gameMusic() {
    return lm::ResourceManager::getInstance().getMusic("combat-music");
}

}  // namespace

StartScreen::StartScreen() {
    if (lm::Music* p_music = gameMusic()) {
        p_music->play(true);
    }
    setType("StartScreen");
    setSprite("start-screen");
    setPosition(lm::Vector(30, 20));
    setAltitude(4);
    setSolidness(lm::INTANGIBLE);

    // Back from a lost battle the view may stand low in the world, away from the title.
    lm::WorldManager& world_manager = lm::WorldManager::getInstance();
    lm::Box view = world_manager.getView();
    view.setCorner(lm::Vector(0, 0));
    world_manager.setView(view);
}

int StartScreen::eventHandler(const lm::Event* p_event) {
    if (p_event->getType() != lm::KEYBOARD_EVENT) {
        return 0;
    }
    const auto* p_keyboard = static_cast<const lm::EventKeyboard*>(p_event);
    if (p_keyboard->getKeyboardAction() != lm::KEY_PRESSED) {
        return 1;
    }
    const int key = p_keyboard->getKey();
    if (quitOnQ(key)) {
        return 1;
    }
    if (key == lm::Keyboard::C) {
        if (lm::Music* p_music = gameMusic()) {
            p_music->stop();
        }
        new Controls;
        lm::WorldManager::getInstance().markForDelete(this);
    } else {
        startGame();
    }
    return 1;
}

void StartScreen::startGame() {
    std::array<Tree*, 19> trees;
    for (Tree*& p_tree : trees) {
        p_tree = new Tree;
    }
    Bush* p_bush = new Bush;
    Rock* p_rock = new Rock;
    Grass* p_grass = new Grass;
    Hero* p_hero = new Hero;

    for (std::size_t i = 0; i < trees.size(); ++i) {
        trees[i]->setPosition(TREE_POSITIONS[i]);
    }
    p_bush->setPosition(BUSH_POSITION);
    p_rock->setPosition(ROCK_POSITION);
    p_grass->setPosition(GRASS_POSITION);
    p_hero->setPosition(HERO_POSITION);

    if (lm::Music* p_music = gameMusic()) {
        p_music->stop();
    }
    lm::WorldManager& world_manager = lm::WorldManager::getInstance();
    world_manager.setViewFollowing(p_hero);
    world_manager.markForDelete(this);
}
