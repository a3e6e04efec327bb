#include "platform/font.h"
#include "platform/draw/font_data.h"

#include "platform/application.h"
#include "platform/notice.h"

#include <QFontDatabase>
#include <QStringList>
#include <QtGlobal>

#include <array>
#include <cstdio>
#include <mutex>
#include <utility>

namespace platform {

namespace {

struct FaceKind {
    const char* marker; // UTF-8 text found in the asked face's name
    const char* family; // the installed face of that kind
};

// Proportional Gothic comes before Gothic, which its name contains.
constexpr std::array<FaceKind, 6> faceKinds{{
    {"明朝", "IPAMincho"},
    {"Mincho", "IPAMincho"},
    {"Ｐゴシック", "IPAPGothic"},
    {"PGothic", "IPAPGothic"},
    {"ゴシック", "IPAGothic"},
    {"Gothic", "IPAGothic"},
}};

QString installedFamily(const QStringList& families, const QString& name)
{
    for (const QString& family : families) {
        if (family.compare(name, Qt::CaseInsensitive) == 0)
            return family;
    }
    return {};
}

QString chooseFamily(std::string_view face)
{
    const QStringList families = QFontDatabase::families();
    const QString asked = QString::fromUtf8(face.data(), static_cast<qsizetype>(face.size()));
    if (QString found = installedFamily(families, asked); !found.isEmpty())
        return found;
    for (const FaceKind& kind : faceKinds) {
        if (!asked.contains(QString::fromUtf8(kind.marker)))
            continue;
        if (QString found = installedFamily(families, QString::fromUtf8(kind.family)); !found.isEmpty())
            return found;
        break;
    }
    const QStringList japanese = QFontDatabase::families(QFontDatabase::Japanese);
    return japanese.isEmpty() ? QString() : japanese.front();
}

QtMessageHandler earlierHandler = nullptr;

// With no face at all, every font resolves to one of no size, and the menus'
// style warns at each paint that a point size is not above 0; the one line
// of checkFaces says what is wrong instead.
void dropSizeWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtWarningMsg && message.contains(QLatin1String("Point size <= 0")))
        return;
    earlierHandler(type, context, message);
}

// Without a Japanese face every text shows as boxes: the player is told, once.
void checkFaces()
{
    static std::once_flag checked;
    std::call_once(checked, [] {
        if (!QFontDatabase::families(QFontDatabase::Japanese).isEmpty())
            return;
        std::fprintf(stderr, "tamaro: no Japanese font is installed, so the text shows as boxes; install "
                             "fonts-ipafont-gothic and fonts-ipafont-mincho\n");
        earlierHandler = qInstallMessageHandler(dropSizeWarnings);
        Application::runSoon([] {
            notifyPlayer("日本語の字体が見つかりません。文字が正しく表示されません。"
                         "fonts-ipafont-gothic と fonts-ipafont-mincho を入れてください。");
        });
    });
}

} // namespace

Font::Font() = default;
Font::~Font() = default;
Font::Font(Font&&) noexcept = default;
Font& Font::operator=(Font&&) noexcept = default;

Font Font::create(int height, int width, bool italic, bool underline, std::string_view face)
{
    auto data = std::make_unique<FontData>();
    data->height = height > 0 ? height : 12;
    data->halfWidth = width > 0 ? width : data->height / 2;
    data->italic = italic;
    data->underline = underline;

    checkFaces();
    const QString family = chooseFamily(face);
    if (!family.isEmpty())
        data->font.setFamily(family);
    data->font.setStyleHint(QFont::TypeWriter);
    data->font.setFixedPitch(true);
    data->font.setPixelSize(data->height);
    data->font.setItalic(italic);
    data->font.setUnderline(underline);
    data->font.setKerning(false);
    data->font.setStyleStrategy(QFont::NoAntialias);

    Font font;
    font.data_ = std::move(data);
    return font;
}

bool Font::isNull() const
{
    return !data_;
}

int Font::height() const
{
    return data_ ? data_->height : 0;
}

int Font::halfWidth() const
{
    return data_ ? data_->halfWidth : 0;
}

bool Font::italic() const
{
    return data_ && data_->italic;
}

bool Font::underline() const
{
    return data_ && data_->underline;
}

std::string Font::family() const
{
    return data_ ? data_->font.family().toStdString() : std::string();
}

} // namespace platform
