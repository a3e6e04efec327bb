#include "platform/dialogs/edit_limit.h"

#include "platform/sjis.h"

#include <algorithm>

namespace platform {

namespace {

int byteCount(const std::optional<std::string>& character)
{
    return character ? static_cast<int>(character->size()) : 2;
}

qsizetype commonPrefix(const QString& a, const QString& b)
{
    const qsizetype n = std::min(a.size(), b.size());
    qsizetype i = 0;
    while (i < n && a[i] == b[i])
        ++i;
    return i;
}

} // namespace

std::vector<std::optional<std::string>> sjisCharacters(const QString& text)
{
    const QList<uint> codePoints = text.toUcs4();
    return sjis::characters(std::u32string(codePoints.begin(), codePoints.end()));
}

int sjisLength(const QString& text)
{
    int bytes = 0;
    for (const auto& character : sjisCharacters(text))
        bytes += byteCount(character);
    return bytes;
}

EditLimit::EditLimit(int bytes, const QString& current, QObject* parent)
    : QValidator(parent),
      bytes_(bytes),
      accepted_(current)
{
}

QValidator::State EditLimit::validate(QString& input, int& pos) const
{
    // An insertion leaves the cursor after the inserted text, with the text
    // after the cursor as it was: that finds what was inserted and where.
    const qsizetype tail = input.size() - pos;
    if (pos < 0 || tail < 0 || tail > accepted_.size() || input.right(tail) != accepted_.right(tail)) {
        // Not an insertion at the cursor; only undo and redo get here, and they
        // return to texts that were accepted, so cutting the end is enough.
        while (sjisLength(input) > bytes_)
            input.chop(input.back().isLowSurrogate() && input.size() > 1 ? 2 : 1);
        pos = std::min(pos, static_cast<int>(input.size()));
        accepted_ = input;
        return Acceptable;
    }
    qsizetype start = std::min({commonPrefix(accepted_, input), accepted_.size() - tail, static_cast<qsizetype>(pos)});
    if (start > 0 && input[start - 1].isHighSurrogate())
        --start;
    const QString before = input.left(start);
    const QString inserted = input.mid(start, pos - start);
    const QString after = input.right(tail);

    const QList<uint> codePoints = inserted.toUcs4();
    const auto characters = sjisCharacters(inserted);
    const bool pasted = codePoints.size() > 1;
    int room = bytes_ - sjisLength(before) - sjisLength(after);
    QString kept;
    for (qsizetype i = 0; i < codePoints.size(); ++i) {
        const char32_t codePoint = codePoints[i];
        const auto& character = characters[static_cast<std::size_t>(i)];
        if (pasted && (!character || !QChar::isPrint(codePoint)))
            continue;
        const int size = byteCount(character);
        if (size > room)
            break;
        room -= size;
        kept += QString::fromUcs4(&codePoint, 1);
    }
    if (kept.isEmpty() && !inserted.isEmpty())
        return Invalid;
    if (kept != inserted) {
        input = before + kept + after;
        pos = static_cast<int>(start + kept.size());
    }
    accepted_ = input;
    return Acceptable;
}

} // namespace platform
