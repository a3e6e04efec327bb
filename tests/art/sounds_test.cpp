#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

struct Wave {
    std::string error;
    int channels = 0, rate = 0, bits = 0;
    std::vector<std::int16_t> samples; // interleaved
};

std::uint32_t le32(const std::vector<unsigned char>& d, std::size_t at)
{
    return d[at] | d[at + 1] << 8 | d[at + 2] << 16 | static_cast<std::uint32_t>(d[at + 3]) << 24;
}

std::uint16_t le16(const std::vector<unsigned char>& d, std::size_t at)
{
    return static_cast<std::uint16_t>(d[at] | d[at + 1] << 8);
}

Wave readWave(const std::string& path)
{
    Wave w;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        w.error = "cannot open " + path;
        return w;
    }
    const std::vector<unsigned char> d{std::istreambuf_iterator<char>(in), {}};
    if (d.size() < 12 || std::string(d.begin(), d.begin() + 4) != "RIFF"
        || std::string(d.begin() + 8, d.begin() + 12) != "WAVE") {
        w.error = "not a RIFF WAVE file";
        return w;
    }
    bool haveFormat = false;
    for (std::size_t at = 12; at + 8 <= d.size();) {
        const std::string id(d.begin() + at, d.begin() + at + 4);
        const std::uint32_t size = le32(d, at + 4);
        if (at + 8 + size > d.size()) {
            w.error = "chunk " + id + " runs past the end of the file";
            return w;
        }
        if (id == "fmt " && size >= 16) {
            if (le16(d, at + 8) != 1) {
                w.error = "not PCM";
                return w;
            }
            w.channels = le16(d, at + 10);
            w.rate = static_cast<int>(le32(d, at + 12));
            w.bits = le16(d, at + 22);
            haveFormat = true;
        } else if (id == "data") {
            if (!haveFormat || w.bits != 16) {
                w.error = "data before a 16-bit PCM format chunk";
                return w;
            }
            for (std::size_t i = 0; i + 1 < size; i += 2)
                w.samples.push_back(static_cast<std::int16_t>(le16(d, at + 8 + i)));
            return w;
        }
        at += 8 + size + (size & 1);
    }
    w.error = "no data chunk";
    return w;
}

} // namespace

TEST(Sounds, everySoundIsShortQuietEnoughAndStartsAndEndsInSilence)
{
    const char* source = std::getenv("TAMARO_SOURCE_DIR");
    ASSERT_NE(source, nullptr);
    const double ceiling = 32768.0 * std::pow(10.0, -1.0 / 20.0); // -1 dBFS
    for (const char* name : {"snd0", "snd1", "snd2", "snd6", "chime"}) {
        SCOPED_TRACE(name);
        const Wave w = readWave(std::string(source) + "/sound/" + name + ".wav");
        ASSERT_EQ(w.error, "");
        EXPECT_EQ(w.bits, 16);
        ASSERT_GE(w.channels, 1);
        ASSERT_GT(w.rate, 0);
        const std::size_t frames = w.samples.size() / w.channels;
        ASSERT_GT(frames, 0u);
        const double seconds = static_cast<double>(frames) / w.rate;
        EXPECT_LE(seconds, 1.0);
        int peak = 0;
        for (std::int16_t s : w.samples)
            peak = std::max(peak, std::abs(static_cast<int>(s)));
        std::printf("%s: %.3f s, peak %.2f dBFS\n", name, seconds, 20.0 * std::log10(peak / 32768.0));
        EXPECT_LT(peak, ceiling);
        EXPECT_GT(peak, 32768 / 10) << "nearly silent";
        // The first and last half millisecond rise from and fall to silence: no click.
        const std::size_t edge = static_cast<std::size_t>(w.rate / 2000) * w.channels;
        for (std::size_t i = 0; i < edge && i < w.samples.size(); ++i) {
            EXPECT_LT(std::abs(w.samples[i]), 32768 / 20) << "sample " << i;
            EXPECT_LT(std::abs(w.samples[w.samples.size() - 1 - i]), 32768 / 20) << "sample from the end " << i;
        }
        EXPECT_LT(std::abs(w.samples.front()), 100);
        EXPECT_LT(std::abs(w.samples.back()), 100);
    }
}

namespace {

double rmsDb(const std::vector<std::int16_t>& samples)
{
    double sum = 0;
    for (std::int16_t s : samples)
        sum += static_cast<double>(s) * s;
    return 10.0 * std::log10(sum / static_cast<double>(samples.size()) / (32768.0 * 32768.0));
}

// The share of a mono sound's energy at frequencies above cutoff, from its whole-length spectrum.
double energyShareAbove(const Wave& w, double cutoff)
{
    const std::size_t n = w.samples.size();
    double above = 0, total = 0;
    for (std::size_t k = 1; k <= n / 2; ++k) {
        const std::complex<double> step =
            std::polar(1.0, -2.0 * M_PI * static_cast<double>(k) / static_cast<double>(n));
        std::complex<double> turn = 1.0, sum = 0.0;
        for (std::size_t i = 0; i < n; ++i) {
            sum += static_cast<double>(w.samples[i]) * turn;
            turn *= step;
        }
        const double power = std::norm(sum);
        total += power;
        if (static_cast<double>(k) * w.rate / static_cast<double>(n) > cutoff)
            above += power;
    }
    return total > 0 ? above / total : 0;
}

} // namespace

TEST(Sounds, theDropIsHeardOnSmallSpeakersAndAsLoudAsTheTabAndRiseSounds)
{
    const std::string folder = std::string(std::getenv("TAMARO_SOURCE_DIR")) + "/sound/";
    const Wave drop = readWave(folder + "snd0.wav");
    ASSERT_EQ(drop.error, "");
    ASSERT_EQ(drop.channels, 1);
    const double share = energyShareAbove(drop, 300.0);
    std::printf("snd0: %.0f %% of its energy above 300 Hz, %.2f dB RMS\n", share * 100, rmsDb(drop.samples));
    EXPECT_GE(share, 0.5);
    for (const char* name : {"snd1", "snd6"}) {
        const Wave other = readWave(folder + name + ".wav");
        ASSERT_EQ(other.error, "");
        EXPECT_NEAR(rmsDb(drop.samples), rmsDb(other.samples), 3.0) << name;
    }
}
