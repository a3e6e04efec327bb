#pragma once

#include <cstdint>
#include <span>

namespace platform {

// The game's sound output. The device is opened once; a missing or failing
// device leaves it silent.
class AudioOut {
public:
    AudioOut();
    ~AudioOut();
    AudioOut(const AudioOut&) = delete;
    AudioOut& operator=(const AudioOut&) = delete;

    bool isOpen() const;
    // Plays a whole WAV file image asynchronously, cutting off what plays.
    // An empty image, or one that is not WAV data, only stops the sound.
    void play(std::span<const std::uint8_t> wavImage);
    void stop();

private:
    std::uint32_t device_ = 0;
    int frameBytes_ = 0;
    int sampleRate_ = 0;
    std::uint16_t format_ = 0;
    std::uint8_t channels_ = 0;
};

} // namespace platform
