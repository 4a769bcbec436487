#include "Music.h"

#include "AudioDevice.h"

#include <SFML/Audio/InputSoundFile.hpp>

#include <utility>

namespace lm {

Music::Music() = default;
Music::Music(Music&& other) noexcept = default;
Music& Music::operator=(Music&& other) noexcept = default;
Music::~Music() = default;

int Music::loadMusic(std::string filename) {
    if (!audio_device::available()) {
        // Nothing can be played, but a file that cannot be read is still reported.
        sf::InputSoundFile file;
        return file.openFromFile(filename) ? 0 : -1;
    }
    auto new_music = std::make_unique<sf::Music>();
    if (!new_music->openFromFile(filename)) {
        return -1;
    }
    music = std::move(new_music);
    return 0;
}

std::string Music::getLabel() const {
    return label;
}

void Music::setLabel(std::string new_label) {
    label = std::move(new_label);
}

void Music::play(bool loop) {
    if (music) {
        music->setLoop(loop);
        music->play();
    }
}

void Music::stop() {
    if (music) {
        music->stop();
    }
}

sf::SoundSource::Status Music::getStatus() const {
    return music ? music->getStatus() : sf::SoundSource::Stopped;
}

}  // namespace lm
