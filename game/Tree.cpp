#include "Tree.h"

Tree::Tree() {
    setType("Tree");
    setSolidness(lm::BLOCKING);
    setSprite("tree");
}
