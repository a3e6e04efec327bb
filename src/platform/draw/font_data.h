#pragma once

// Inside the platform layer only: what a Font holds.

#include <QFont>

namespace platform {

struct FontData {
    QFont font; // pixel size = height; the face chosen after fallbacks
    int height = 0;
    int halfWidth = 0;
    bool italic = false;
    bool underline = false;
};

} // namespace platform
