#pragma once

#include <cstdint>
#include <span>
#include <thread>

namespace platform {

// The game's sound output. The sound system starts on a thread of its own,
// out of the way of the program's start; the device is opened by the first
// sound, so an idle program runs no mixing thread. A missing or failing
// device leaves it silent.
class AudioOut {
public:
    AudioOut();
    ~AudioOut();
    AudioOut(const AudioOut&) = delete;
    AudioOut& operator=(const AudioOut&) = delete;

    // Opens the device when it is not open yet; false when there is none.
    bool isOpen();
    // Plays a whole WAV file image asynchronously, cutting off what plays.
    // An empty image, or one that is not WAV data, only stops the sound.
    void play(std::span<const std::uint8_t> wavImage);
    void stop();

private:
    void open();

    std::thread starting_;
    bool started_ = false;
    bool opened_ = false;
    std::uint32_t device_ = 0;
    int frameBytes_ = 0;
    int sampleRate_ = 0;
    std::uint16_t format_ = 0;
    std::uint8_t channels_ = 0;
};

} // namespace platform
