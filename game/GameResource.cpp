#include "GameResource.h"

#include "engine/ResourceManager.h"

const std::array<GameResource, 15> GAME_RESOURCES = {{
    {GameResource::SPRITE, "rock", "sprites/Rock.txt"},
    {GameResource::SPRITE, "tree", "sprites/Tree.txt"},
    {GameResource::SPRITE, "bush", "sprites/Bush.txt"},
    {GameResource::SPRITE, "grass", "sprites/Grass.txt"},
    {GameResource::SPRITE, "hero", "sprites/Hero.txt"},
    {GameResource::SPRITE, "hero_combat", "sprites/hero-spr.txt"},
    {GameResource::SPRITE, "goblin", "sprites/goblin.txt"},
    {GameResource::SPRITE, "battle", "sprites/battle.txt"},
    {GameResource::SPRITE, "zombie", "sprites/zombie.txt"},
    {GameResource::SPRITE, "knight", "sprites/knight.txt"},
    {GameResource::SPRITE, "wizard", "sprites/wizard.txt"},
    {GameResource::SPRITE, "start-screen", "sprites/start-screen.txt"},
    {GameResource::SPRITE, "controls", "sprites/controls.txt"},
    {GameResource::MUSIC, "combat-music", "sounds/combat-music.wav"},
    {GameResource::SOUND, "attack-fx", "sounds/attack.wav"},
}};

int GameResource::load(const std::string& folder) const {
    lm::ResourceManager& resource_manager = lm::ResourceManager::getInstance();
    const std::string path = folder + file;
    switch (kind) {
        case SPRITE:
            return resource_manager.loadSprite(path, label);
        case MUSIC:
            return resource_manager.loadMusic(path, label);
        case SOUND:
            return resource_manager.loadSound(path, label);
    }
    return -1;
}
