#include "platform/window_picture.h"

#include "platform/window/window_data.h"

#include <QPixmap>
#include <QString>

namespace platform {

bool saveWindowPicture(Window& window, std::string_view path)
{
    WindowData* data = window.data();
    if (!data->frame)
        return false;
    // The client shows the screen surface; a pending repaint belongs in the picture.
    data->deliverPaint();
    const QPixmap picture = data->frame->grab();
    return picture.save(QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size())), "PNG");
}

} // namespace platform
