#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace platform {

struct FontData;

// A fixed-pitch font in the game's metrics: a single-byte character advances
// halfWidth() pixels, a double-byte one twice that; text is height() tall.
class Font {
public:
    Font();
    ~Font();
    Font(Font&&) noexcept;
    Font& operator=(Font&&) noexcept;
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    // face is UTF-8. A face this machine lacks falls back to the IPA face of the
    // same kind (明朝 to Mincho, ゴシック to Gothic), then to any Japanese face.
    // A width of 0 means half the height.
    static Font create(int height, int width, bool italic, bool underline, std::string_view face);

    bool isNull() const;
    int height() const;
    int halfWidth() const;
    bool italic() const;
    bool underline() const;
    std::string family() const;
    const FontData* data() const { return data_.get(); }

private:
    std::unique_ptr<FontData> data_;
};

} // namespace platform
