#include "Battle.h"

#include "EnemyStats.h"
#include "Goblin.h"
#include "HeroCombat.h"
#include "Knight.h"
#include "PlayerStats.h"
#include "Wizard.h"
#include "Zombie.h"
#include "engine/Box.h"
#include "engine/DisplayManager.h"
#include "engine/Music.h"
#include "engine/ResourceManager.h"
#include "engine/WorldManager.h"

Battle::Battle() {
    if (lm::Music* p_music = lm::ResourceManager::getInstance().getMusic("combat-music")) {
        p_music->play(true);
    }
    setAltitude(2);
    setSprite("battle");
    setType("Battle");
    const lm::Box view = lm::WorldManager::getInstance().getView();
    const lm::Vector centre(view.getHorizontal() * 0.5f, view.getVertical() * 0.5f);
    setPosition(lm::DisplayManager::getInstance().viewToWorld(centre));
    new HeroCombat;
    new PlayerStats;
    new EnemyStats;
}

Battle::~Battle() {
    // After a defeat the new title screen has started the music before the old scene leaves:
    // the title keeps it.
    lm::WorldManager& world_manager = lm::WorldManager::getInstance();
    if (!world_manager.objectsOfType("StartScreen").empty()) {
        return;
    }
    if (lm::Music* p_music = lm::ResourceManager::getInstance().getMusic("combat-music")) {
        p_music->stop();
    }
}

void Battle::spawnGoblin() {
    new Goblin;
}

void Battle::spawnKnight() {
    new Knight;
}

void Battle::spawnWizard() {
    new Wizard;
}

void Battle::spawnZombie() {
    new Zombie;
}
