#include "Sound.h"

#include "AudioDevice.h"

#include <SFML/Audio/InputSoundFile.hpp>

#include <utility>

namespace lm {

Sound::Sound() = default;

Sound::~Sound() {
    if (sound) {
        sound->resetBuffer();
    }
}

// Voice and samples live apart from the entry, so moving an entry leaves the voice bound.
Sound::Sound(Sound&& other) noexcept = default;
Sound& Sound::operator=(Sound&& other) noexcept = default;

int Sound::loadSound(std::string filename) {
    if (!audio_device::available()) {
        // Nothing can be played, but a file that cannot be read is still reported.
        sf::InputSoundFile file;
        return file.openFromFile(filename) ? 0 : -1;
    }
    auto new_buffer = std::make_unique<sf::SoundBuffer>();
    if (!new_buffer->loadFromFile(filename)) {
        return -1;
    }
    sound = std::make_unique<sf::Sound>(*new_buffer);
    sound_buffer = std::move(new_buffer);
    return 0;
}

std::string Sound::getLabel() const {
    return label;
}

void Sound::setLabel(std::string new_label) {
    label = std::move(new_label);
}

void Sound::play(bool loop) {
    if (sound) {
        sound->setLoop(loop);
        sound->play();
    }
}

void Sound::stop() {
    if (sound) {
        sound->stop();
    }
}

sf::SoundSource::Status Sound::getStatus() const {
    return sound ? sound->getStatus() : sf::SoundSource::Stopped;
}

sf::Sound Sound::getSound() const {
    return sound ? *sound : sf::Sound();
}

}  // namespace lm
