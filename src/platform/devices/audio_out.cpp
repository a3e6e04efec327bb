#include "platform/audio_out.h"

#include "platform/devices/sdl_lock.h"

#include <SDL.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <vector>

namespace platform {

namespace {

constexpr const char* gameName = "タマロ";

struct AudioRequest {
    int frequency;
    SDL_AudioFormat format;
    Uint8 channels;
    Uint16 samples;
};

// About 23 ms per buffer: a new sound cuts in quickly without stutter.
constexpr AudioRequest request{44100, AUDIO_S16SYS, 2, 1024};

struct WavFree {
    void operator()(Uint8* buffer) const { SDL_FreeWAV(buffer); }
};

// Parses a WAV image and converts its samples to the device's format; an
// image SDL cannot read gives nothing.
std::vector<std::uint8_t> decodeWav(std::span<const std::uint8_t> image, SDL_AudioFormat format, Uint8 channels,
                                    int frequency, int frameBytes)
{
    if (image.empty() || image.size() > INT_MAX)
        return {};
    SDL_RWops* source = SDL_RWFromConstMem(image.data(), static_cast<int>(image.size()));
    if (!source)
        return {};
    SDL_AudioSpec wavFormat{};
    Uint8* raw = nullptr;
    Uint32 length = 0;
    if (!SDL_LoadWAV_RW(source, 1, &wavFormat, &raw, &length))
        return {};
    const std::unique_ptr<Uint8, WavFree> samples(raw);

    // SDL_AudioCVT converts the whole sound in one go; the streaming
    // converter of this SDL drops the tail of a resampled sound.
    SDL_AudioCVT cvt{};
    if (SDL_BuildAudioCVT(&cvt, wavFormat.format, wavFormat.channels, wavFormat.freq, format, channels, frequency) < 0)
        return {};
    const Uint32 sourceFrame = SDL_AUDIO_BITSIZE(wavFormat.format) / 8 * wavFormat.channels;
    if (sourceFrame == 0)
        return {};
    length -= length % sourceFrame;
    if (length == 0 || std::uint64_t{length} * static_cast<std::uint64_t>(cvt.len_mult) > INT_MAX)
        return {};
    std::vector<std::uint8_t> out(std::size_t{length} * static_cast<std::size_t>(cvt.len_mult));
    std::copy_n(samples.get(), length, out.begin());
    if (cvt.needed) {
        cvt.buf = out.data();
        cvt.len = static_cast<int>(length);
        if (SDL_ConvertAudio(&cvt) != 0 || cvt.len_cvt <= 0)
            return {};
        length = static_cast<Uint32>(cvt.len_cvt);
    }
    out.resize(length - length % static_cast<Uint32>(frameBytes));
    return out;
}

} // namespace

AudioOut::AudioOut()
{
    // The application turns SIGINT and SIGTERM into its own request; SDL must
    // not take them over.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // PipeWire and PulseAudio show the stream under the game's name, as game audio.
    SDL_SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, gameName);
    SDL_SetHint(SDL_HINT_AUDIO_DEVICE_STREAM_NAME, gameName);
    SDL_SetHint(SDL_HINT_AUDIO_DEVICE_STREAM_ROLE, "game");
    // Loading the audio libraries and reaching the sound server can take a
    // while, or time out when there is none; the window does not wait for it.
    starting_ = std::thread([this] {
        {
            const std::lock_guard<std::mutex> held(sdlSubsystemLock());
            started_ = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
        }
        // SDL keeps per-thread data (its error text) that only it frees.
        SDL_TLSCleanup();
    });
}

AudioOut::~AudioOut()
{
    if (starting_.joinable())
        starting_.join();
    if (device_ != 0)
        SDL_CloseAudioDevice(device_);
    if (started_) {
        const std::lock_guard<std::mutex> held(sdlSubsystemLock());
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
}

void AudioOut::open()
{
    if (opened_)
        return;
    opened_ = true;
    if (starting_.joinable())
        starting_.join();
    if (!started_)
        return;

    SDL_AudioSpec want{};
    want.freq = request.frequency;
    want.format = request.format;
    want.channels = request.channels;
    want.samples = request.samples;
    SDL_AudioSpec have{};
    const SDL_AudioDeviceID device = SDL_OpenAudioDevice(
        nullptr, 0, &want, &have, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE | SDL_AUDIO_ALLOW_CHANNELS_CHANGE);
    if (device == 0)
        return;
    device_ = device;
    format_ = have.format;
    channels_ = have.channels;
    sampleRate_ = have.freq;
    frameBytes_ = SDL_AUDIO_BITSIZE(have.format) / 8 * have.channels;
    SDL_PauseAudioDevice(device_, 0);
}

bool AudioOut::isOpen()
{
    open();
    return device_ != 0;
}

void AudioOut::play(std::span<const std::uint8_t> wavImage)
{
    // Nothing plays yet, so there is nothing to stop.
    if (!opened_ && wavImage.empty())
        return;
    open();
    if (device_ == 0)
        return;
    const std::vector<std::uint8_t> pcm = decodeWav(wavImage, format_, channels_, sampleRate_, frameBytes_);
    // Under the device lock the mixer never sees the queue between the two sounds.
    SDL_LockAudioDevice(device_);
    SDL_ClearQueuedAudio(device_);
    if (!pcm.empty())
        SDL_QueueAudio(device_, pcm.data(), static_cast<Uint32>(pcm.size()));
    SDL_UnlockAudioDevice(device_);
}

void AudioOut::stop()
{
    if (device_ == 0)
        return;
    SDL_ClearQueuedAudio(device_);
}

} // namespace platform
