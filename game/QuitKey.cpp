#include "QuitKey.h"

#include "engine/Constants.h"
#include "engine/GameManager.h"

bool quitOnQ(int key) {
    if (key != lm::Keyboard::Q) {
        return false;
    }
    lm::GameManager::getInstance().setGameOver(true);
    return true;
}
