#include "Music.h"

#include "Platform.h"

#include <utility>

namespace lm {

Music::Music() = default;

int Music::loadMusic(std::string filename) {
    return music.openFromFile(filename) ? 0 : -1;
}

std::string Music::getLabel() const {
    return label;
}

void Music::setLabel(std::string new_label) {
    label = std::move(new_label);
}

void Music::play(bool loop) {
    if (!platform::audioAvailable()) {
        return;
    }
    music.setLoop(loop);
    music.play();
}

void Music::stop() {
    music.stop();
}

sf::SoundSource::Status Music::getStatus() const {
    return music.getStatus();
}

}  // namespace lm
