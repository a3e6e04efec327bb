// tamaro_art: renders the committed pictures of タマロ from the sources in art/.
//
//   tamaro_art --repo DIR [--out DIR] [--contact FILE] [--check]
//
// --repo   the repository (sources are read from DIR/art)
// --out    where to write, default DIR; files keep their repository paths
// --contact  also write a contact sheet of everything at twice the size
// --check  write into --out, then compare with the files committed under
//          --repo: fails when pixels differ outside drawn text, reports
//          differences inside drawn text (font rasterisation) without failing
//
// Everything is rendered in memory first; each file is then written to a
// temporary file and renamed over the old one, so a failure never leaves a
// half-made picture behind.
#include "art.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QSaveFile>
#include <QSvgRenderer>

#include <cstdio>
#include <cstdlib>
#include <functional>

namespace art {

namespace {

// An icon drawn pixel by pixel for its size: one letter a pixel, named in the palette; '.' is transparent.
QImage drawPixelIcon(const Params& p, const QJsonObject& pixels, int size)
{
    const QString where = "\"icon_pixels\"";
    const QJsonObject palette = p.object(pixels, "palette", where);
    const QJsonArray rows = p.array(pixels, QString::number(size), where);
    if (rows.size() != size)
        fail(p.file + ": " + where + " \"" + QString::number(size) + "\" must have " + QString::number(size) + " rows");
    QImage img(size, size, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    for (int y = 0; y < size; ++y) {
        const QString row = rows[y].toString();
        if (row.size() != size)
            fail(p.file + ": " + where + " \"" + QString::number(size) + "\" row " + QString::number(y + 1)
                 + " must have " + QString::number(size) + " letters");
        for (int x = 0; x < size; ++x) {
            if (row[x] != '.')
                img.setPixelColor(x, y, p.colour(palette, QString(row[x]), where + " palette"));
        }
    }
    return img;
}

} // namespace

std::vector<Picture> drawIcons(const Params& p, QByteArray& svgSource)
{
    const QString file = p.artDir + "/" + p.text(p.root, "icon_svg", "the top level");
    QFile f(file);
    if (!f.exists())
        fail(file + ": missing (the icon's source)");
    if (!f.open(QIODevice::ReadOnly))
        fail(file + ": cannot be read: " + f.errorString());
    svgSource = f.readAll();
    QSvgRenderer svg(svgSource);
    if (!svg.isValid())
        fail(file + ": malformed SVG");
    const QJsonObject pixels = p.object(p.root, "icon_pixels", "the top level");
    std::vector<Picture> out;
    for (int size : {16, 32, 48, 64, 128, 256}) {
        QImage img(size, size, QImage::Format_ARGB32);
        if (pixels.contains(QString::number(size))) {
            img = drawPixelIcon(p, pixels, size);
        } else {
            img.fill(Qt::transparent);
            QPainter g(&img);
            g.setRenderHint(QPainter::Antialiasing, true);
            svg.render(&g, QRectF(0, 0, size, size));
        }
        out.push_back({"resources/icons/tamaro-" + QString::number(size) + ".png", img, {}});
    }
    // The window icon carried inside the program: its two images, 32 and 16 pixels.
    for (int size : {16, 32}) {
        Picture tm = out[size == 16 ? 0 : 1];
        tm.path = "resources/pictures/tm_icon_" + QString::number(size) + ".png";
        out.push_back(tm);
    }
    return out;
}

namespace {

void writeAtomically(const QString& path, const std::function<bool(QIODevice&)>& write)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        fail(path + ": cannot be written: " + f.errorString());
    if (!write(f)) {
        f.cancelWriting();
        fail(path + ": writing failed");
    }
    if (!f.commit())
        fail(path + ": cannot be written: " + f.errorString());
}

void writePicture(const QString& path, const QImage& image)
{
    writeAtomically(path, [&](QIODevice& d) { return image.save(&d, "PNG"); });
}

QImage contactSheet(const std::vector<Picture>& pictures)
{
    const int margin = 16, caption = 18;
    int width = 0, height = margin;
    for (const Picture& p : pictures) {
        width = std::max(width, 2 * p.image.width() + 2 * margin);
        height += caption + 2 * p.image.height() + margin;
    }
    QImage sheet(width, height, QImage::Format_RGB32);
    sheet.fill(QColor(0x80, 0x80, 0x80));
    QPainter g(&sheet);
    g.setFont(makeFont("IPAGothic", 13));
    int y = margin;
    for (const Picture& p : pictures) {
        g.setPen(Qt::black);
        g.drawText(margin, y + 13,
                   p.path + "  " + QString::number(p.image.width()) + " x " + QString::number(p.image.height()));
        y += caption;
        g.drawImage(QRect(margin, y, 2 * p.image.width(), 2 * p.image.height()), p.image);
        y += 2 * p.image.height() + margin;
    }
    return sheet;
}

struct Difference {
    long outside = 0, inside = 0;
    QString problem;
};

// The raster engine's code for each processor rounds the colour of a
// half-transparent pixel a step either way; any other change is real.
bool samePixel(QRgb a, QRgb b)
{
    if (a == b)
        return true;
    if (qAlpha(a) != qAlpha(b) || qAlpha(a) == 255)
        return false;
    return std::abs(qRed(a) - qRed(b)) <= 1 && std::abs(qGreen(a) - qGreen(b)) <= 1
           && std::abs(qBlue(a) - qBlue(b)) <= 1;
}

Difference compare(const Picture& fresh, const QString& committedPath)
{
    Difference d;
    QImage old(committedPath);
    if (old.isNull()) {
        d.problem = "missing or unreadable";
        return d;
    }
    if (old.size() != fresh.image.size()) {
        d.problem = "size differs";
        return d;
    }
    const QImage a = old.convertToFormat(QImage::Format_ARGB32);
    const QImage b = fresh.image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            if (samePixel(a.pixel(x, y), b.pixel(x, y)))
                continue;
            bool inText = false;
            for (const QRect& r : fresh.textAreas)
                inText = inText || r.contains(x, y);
            (inText ? d.inside : d.outside)++;
        }
    return d;
}

int run(const QStringList& args)
{
    QString repo, out, contact;
    bool check = false;
    for (int i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        auto value = [&]() {
            if (i + 1 >= args.size())
                fail("option " + a + " needs a value");
            return args[++i];
        };
        if (a == "--repo")
            repo = value();
        else if (a == "--out")
            out = value();
        else if (a == "--contact")
            contact = value();
        else if (a == "--check")
            check = true;
        else
            fail("unknown option " + a + " (use --repo DIR [--out DIR] [--contact FILE] [--check])");
    }
    if (repo.isEmpty())
        fail("--repo DIR is required");
    if (out.isEmpty())
        out = repo;

    const Params params(repo + "/art");
    std::vector<Picture> pictures;
    pictures.push_back(drawSpriteSheet(params));
    pictures.push_back(drawBackground(params));
    pictures.push_back(drawTitlePicture(params));
    pictures.push_back(drawLogoFrames(params));
    QByteArray svg;
    for (Picture& p : drawIcons(params, svg))
        pictures.push_back(std::move(p));

    for (const Picture& p : pictures)
        writePicture(out + "/" + p.path, p.image);
    writeAtomically(out + "/resources/icons/tamaro.svg", [&](QIODevice& d) { return d.write(svg) == svg.size(); });
    if (!contact.isEmpty()) {
        std::vector<Picture> shown{
            {"game window mock-up (preview only, not shipped)", drawMockup(pictures[0].image, pictures[1].image), {}}};
        shown.insert(shown.end(), pictures.begin(), pictures.end());
        writePicture(contact, contactSheet(shown));
        std::printf("contact sheet: %s\n", qPrintable(contact));
    }

    if (!check) {
        std::printf("wrote %zu pictures and the icon SVG under %s\n", pictures.size(), qPrintable(out));
        return 0;
    }
    int failures = 0;
    for (const Picture& p : pictures) {
        const Difference d = compare(p, repo + "/" + p.path);
        if (!d.problem.isEmpty()) {
            std::printf("DIFFERS  %s: %s\n", qPrintable(p.path), qPrintable(d.problem));
            ++failures;
        } else if (d.outside > 0) {
            std::printf("DIFFERS  %s: %ld pixels differ outside drawn text (%ld inside)\n", qPrintable(p.path),
                        d.outside, d.inside);
            ++failures;
        } else if (d.inside > 0) {
            std::printf("FONT     %s: %ld pixels differ, all inside drawn text (font rasterisation)\n",
                        qPrintable(p.path), d.inside);
        } else {
            std::printf("same     %s\n", qPrintable(p.path));
        }
    }
    QFile committedSvg(repo + "/resources/icons/tamaro.svg");
    if (!committedSvg.open(QIODevice::ReadOnly) || committedSvg.readAll() != svg) {
        std::printf("DIFFERS  resources/icons/tamaro.svg\n");
        ++failures;
    } else {
        std::printf("same     resources/icons/tamaro.svg\n");
    }
    std::printf("%s\n",
                failures ? "regenerated pictures differ from the committed ones" : "regenerated pictures match");
    return failures ? 1 : 0;
}

} // namespace
} // namespace art

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    try {
        return art::run(app.arguments());
    } catch (const art::Error& e) {
        std::fprintf(stderr, "tamaro_art: error: %s\n", e.what());
        return 2;
    }
}
