#pragma once

#include "Constants.h"
#include "Manager.h"

#include <array>
#include <string>

namespace lm {

class Sprite;

/// The store of every sprite of the run, found by label. Its one instance is the resource manager.
class SpriteResourceManager : public Manager {
public:
    ~SpriteResourceManager() override;

    /// Empties the table; "SRM::startUp(): Already started." when started. Always 0.
    int startUp() override;

    /// Deletes every sprite.
    void shutDown() override;

    /// The first sprite with that label (exact, case-sensitive), or null.
    Sprite* getSprite(std::string label) const;

protected:
    SpriteResourceManager();

private:
    void deleteSprites();

    std::array<Sprite*, MAX_SPRITES> sprites;  // owned, dense from index 0, in load order
    int sprite_count;                          // entries in use
};

}  // namespace lm
