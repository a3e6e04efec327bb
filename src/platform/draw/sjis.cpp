#include "platform/sjis.h"

#include <cerrno>
#include <iconv.h>

namespace platform::sjis {

namespace {

constexpr std::string_view replacementUtf8 = "\xEF\xBF\xBD";

// One conversion descriptor for the length of a call; iconv_t is not shareable between threads.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter()
    {
        if (valid())
            iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts as much as it can and appends it to out; returns the errno that
    // stopped it, or 0 when every byte was taken.
    int convert(const char*& in, std::size_t& inLeft, std::string& out)
    {
        char buffer[256];
        while (inLeft > 0) {
            char* dst = buffer;
            std::size_t dstLeft = sizeof buffer;
            char* src = const_cast<char*>(in);
            const std::size_t result = iconv(cd_, &src, &inLeft, &dst, &dstLeft);
            const int error = result == static_cast<std::size_t>(-1) ? errno : 0;
            in = src;
            out.append(buffer, static_cast<std::size_t>(dst - buffer));
            if (error != 0 && error != E2BIG)
                return error;
        }
        return 0;
    }

    void reset() { iconv(cd_, nullptr, nullptr, nullptr, nullptr); }

private:
    iconv_t cd_;
};

constexpr bool isTrailByte(unsigned char b)
{
    return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
}

} // namespace

std::optional<std::string> fromUtf8(std::string_view utf8)
{
    Converter converter("CP932", "UTF-8");
    if (!converter.valid())
        return std::nullopt;
    std::string out;
    const char* in = utf8.data();
    std::size_t left = utf8.size();
    if (converter.convert(in, left, out) != 0)
        return std::nullopt;
    return out;
}

std::vector<std::optional<std::string>> characters(std::u32string_view text)
{
    std::vector<std::optional<std::string>> out;
    Converter converter("CP932", "UTF-32BE");
    for (const char32_t codePoint : text) {
        std::string bytes;
        const char unit[4] = {static_cast<char>(codePoint >> 24), static_cast<char>(codePoint >> 16),
                              static_cast<char>(codePoint >> 8), static_cast<char>(codePoint)};
        const char* in = unit;
        std::size_t left = sizeof unit;
        const bool held = converter.valid() && converter.convert(in, left, bytes) == 0;
        out.push_back(held ? std::optional<std::string>(std::move(bytes)) : std::nullopt);
        converter.reset();
    }
    return out;
}

std::string toUtf8(std::string_view sjis)
{
    Converter converter("UTF-8", "CP932");
    std::string out;
    if (!converter.valid())
        return out;
    const char* in = sjis.data();
    std::size_t left = sjis.size();
    while (left > 0) {
        if (converter.convert(in, left, out) == 0)
            break;
        // A byte that starts no valid character: mark it and go on with the next one.
        out += replacementUtf8;
        ++in;
        --left;
        converter.reset();
    }
    return out;
}

std::string_view truncate(std::string_view sjis, std::size_t maxBytes)
{
    std::size_t end = 0;
    while (end < sjis.size()) {
        const std::size_t next = end + characterLength(sjis.substr(end));
        if (next > maxBytes)
            break;
        end = next;
    }
    return sjis.substr(0, end);
}

std::size_t characterLength(std::string_view sjis)
{
    if (sjis.empty())
        return 0;
    const auto lead = static_cast<unsigned char>(sjis[0]);
    if (isLeadByte(lead) && sjis.size() >= 2 && isTrailByte(static_cast<unsigned char>(sjis[1])))
        return 2;
    return 1;
}

} // namespace platform::sjis
