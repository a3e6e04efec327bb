#pragma once

#include <QString>
#include <QValidator>

#include <optional>
#include <string>
#include <vector>

namespace platform {

// Each character of the text in Shift-JIS; nothing for one that Shift-JIS cannot hold.
std::vector<std::optional<std::string>> sjisCharacters(const QString& text);

// Shift-JIS bytes a text takes; a character Shift-JIS cannot hold counts as two.
int sjisLength(const QString& text);

// Keeps an edit field within a number of Shift-JIS bytes, as a full field
// does: a key that would pass the limit is refused, and of a paste (any
// insertion of more than one character) only the printable characters that
// code page 932 can hold are taken, as many whole characters as fit.
class EditLimit : public QValidator {
public:
    EditLimit(int bytes, const QString& current, QObject* parent);
    State validate(QString& input, int& pos) const override;

private:
    int bytes_;
    // The text as last accepted: what an edit is compared with to find what it inserted.
    mutable QString accepted_;
};

} // namespace platform
