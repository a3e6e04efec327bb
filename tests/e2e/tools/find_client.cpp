// Finds the game's client area in a screenshot of a whole desktop, for tests
// under compositors that tell no client where its window is. The client's
// left, right and bottom edges show the background picture untouched, so the
// place where those strips of the picture appear is where the client is.
//
//   find_client SHOT BACKGROUND [BLOCK]
//     prints "x y" of the client's top-left device pixel, where each client
//     pixel is BLOCK x BLOCK device pixels (1 unless given; 1.5 at a scale
//     of 1.5, read at each client pixel's middle); exit 1 when the
//     picture is nowhere on the screenshot.
//   find_client --blocks SHOT BACKGROUND X Y BLOCK
//     prints how many of the strips' client pixels are shown as one solid
//     block of their own colour ("solid N of M"), and the largest step of
//     colour inside a block: a client shown smoothed or at a size between
//     two whole blocks has many blocks that are not solid.
#include <algorithm>
#include <QImage>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

struct Sample {
    int x;
    int y;
    QRgb colour;
};

// Client pixels that the game never draws over: the background's left and
// right edges and its bottom rows, below the well.
std::vector<Sample> strips(const QImage& background)
{
    std::vector<Sample> samples;
    const int width = 639;
    const int height = 479;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool edge = x < 20 || x >= width - 7 || y >= height - 15;
            if (edge)
                samples.push_back(Sample{x, y, background.pixel(x, y)});
        }
    }
    return samples;
}

bool near(QRgb a, QRgb b, int tolerance)
{
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance
           && std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

// Whether the client, BLOCK device pixels a client pixel, begins at (ox, oy).
// A whole block is read at its first and last device pixels, so that a place
// one device pixel off does not match. A block of 1.5 is read at its middle;
// smoothed, sharp edges in the strips blend with their neighbours, so one
// sample in twenty may differ.
bool matchesAt(const QImage& shot, const std::vector<Sample>& samples, int ox, int oy, double block)
{
    const bool whole = block == static_cast<int>(block);
    const double first = whole ? 0 : 0.5;
    const double last = whole ? block - 1 : 0.5;
    std::size_t misses = 0;
    const std::size_t allowed = whole ? 0 : samples.size() / 20;
    for (const Sample& s : samples) {
        for (const double within : {first, last}) {
            const int x = ox + static_cast<int>(s.x * block + within);
            const int y = oy + static_cast<int>(s.y * block + within);
            if (x >= shot.width() || y >= shot.height())
                return false;
            if (!near(shot.pixel(x, y), s.colour, whole ? 6 : 32) && ++misses > allowed)
                return false;
        }
    }
    return true;
}

int find(const QImage& shot, const QImage& background, double block)
{
    std::vector<Sample> samples = strips(background);
    // Distinct pixels first, so that a wrong place fails on the first few.
    std::vector<Sample> ordered;
    for (std::size_t i = 0; i < samples.size(); i += 97)
        ordered.push_back(samples[i]);
    ordered.insert(ordered.end(), samples.begin(), samples.end());
    const int maxX = shot.width() - static_cast<int>(639 * block);
    const int maxY = shot.height() - static_cast<int>(479 * block);
    for (int oy = 0; oy <= maxY; ++oy) {
        for (int ox = 0; ox <= maxX; ++ox) {
            if (matchesAt(shot, ordered, ox, oy, block)) {
                std::printf("%d %d\n", ox, oy);
                return 0;
            }
        }
    }
    return 1;
}

int blocks(const QImage& shot, const QImage& background, int ox, int oy, double block)
{
    int solid = 0;
    int all = 0;
    int largestStep = 0;
    for (const Sample& s : strips(background)) {
        // The device pixels wholly inside this client pixel.
        const int left = ox + static_cast<int>(s.x * block + 0.999);
        const int top = oy + static_cast<int>(s.y * block + 0.999);
        const int right = ox + static_cast<int>((s.x + 1) * block);
        const int bottom = oy + static_cast<int>((s.y + 1) * block);
        if (right <= left || bottom <= top || right > shot.width() || bottom > shot.height())
            continue;
        ++all;
        bool same = true;
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x) {
                const QRgb p = shot.pixel(x, y);
                const int step = std::max({std::abs(qRed(p) - qRed(s.colour)), std::abs(qGreen(p) - qGreen(s.colour)),
                                           std::abs(qBlue(p) - qBlue(s.colour))});
                largestStep = std::max(largestStep, step);
                same = same && step <= 2;
            }
        }
        solid += same ? 1 : 0;
    }
    std::printf("solid %d of %d, largest step %d\n", solid, all, largestStep);
    return 0;
}

QImage load(const char* path)
{
    QImage image(QString::fromLocal8Bit(path));
    if (image.isNull()) {
        std::fprintf(stderr, "find_client: cannot read %s\n", path);
        std::exit(2);
    }
    return image.convertToFormat(QImage::Format_RGB32);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 7 && std::strcmp(argv[1], "--blocks") == 0)
        return blocks(load(argv[2]), load(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]), std::atof(argv[6]));
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: find_client SHOT BACKGROUND [BLOCK] | --blocks SHOT BACKGROUND X Y BLOCK\n");
        return 2;
    }
    return find(load(argv[1]), load(argv[2]), argc == 4 ? std::max(1.0, std::atof(argv[3])) : 1.0);
}
