#include "Sound.h"

#include "Platform.h"

#include <utility>

namespace lm {

Sound::Sound() = default;

Sound::~Sound() {
    sound.resetBuffer();
}

int Sound::loadSound(std::string filename) {
    if (!sound_buffer.loadFromFile(filename)) {
        return -1;
    }
    sound.setBuffer(sound_buffer);
    return 0;
}

void Sound::assignFrom(const Sound& other) {
    sound.resetBuffer();
    sound_buffer = other.sound_buffer;
    sound.setBuffer(sound_buffer);
    label = other.label;
}

std::string Sound::getLabel() const {
    return label;
}

void Sound::setLabel(std::string new_label) {
    label = std::move(new_label);
}

void Sound::play(bool loop) {
    if (!platform::audioAvailable()) {
        return;
    }
    sound.setLoop(loop);
    sound.play();
}

void Sound::stop() {
    sound.stop();
}

sf::SoundSource::Status Sound::getStatus() const {
    return sound.getStatus();
}

sf::Sound Sound::getSound() const {
    return sound;
}

}  // namespace lm
