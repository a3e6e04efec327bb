#include "platform/screen_overlay.h"

#include "platform/surface_data.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace platform {

namespace {

// Long enough for a window manager to map the overlay, short enough that a
// desktop that never shows it does not hold the start-up.
constexpr int exposeWaitMs = 500;

std::vector<OverlayOutline>& outlineLog()
{
    static std::vector<OverlayOutline> log;
    return log;
}

} // namespace

// Paints the picture where the desktop could be taken; elsewhere it is
// see-through and paints only the outlines.
class OverlayWidget : public QWidget {
public:
    OverlayWidget(const Surface& picture, const std::vector<OverlayOutline>& outlines, bool seeThrough)
        : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool
                               | Qt::X11BypassWindowManagerHint | Qt::WindowTransparentForInput
                               | Qt::WindowDoesNotAcceptFocus),
          picture_(picture),
          outlines_(outlines),
          seeThrough_(seeThrough)
    {
        setAttribute(Qt::WA_ShowWithoutActivating);
        setAttribute(Qt::WA_TranslucentBackground, seeThrough);
        setAttribute(Qt::WA_OpaquePaintEvent, !seeThrough);
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QPainter painter(this);
        if (!seeThrough_) {
            painter.drawImage(event->rect(), picture_.data()->image, event->rect());
            return;
        }
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.fillRect(event->rect(), Qt::transparent);
        for (const OverlayOutline& outline : outlines_) {
            painter.setPen(QColor(outline.colour.r, outline.colour.g, outline.colour.b));
            painter.drawRect(outline.rect.left - x(), outline.rect.top - y(), outline.rect.width() - 1,
                             outline.rect.height() - 1);
        }
    }

private:
    const Surface& picture_;
    const std::vector<OverlayOutline>& outlines_;
    bool seeThrough_;
};

struct ScreenOverlayData {
    Rect bounds;
    Surface picture;
    std::vector<OverlayOutline> outlines;
    std::unique_ptr<OverlayWidget> widget;
};

ScreenOverlay::ScreenOverlay()
    : data_(std::make_unique<ScreenOverlayData>())
{
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect desktop = screen->virtualGeometry();
    data_->bounds = Rect{desktop.left(), desktop.top(), desktop.left() + desktop.width(), desktop.top() + desktop.height()};
    data_->picture = Surface(desktop.width(), desktop.height());

    const QPixmap grabbed = screen->grabWindow(0, desktop.left(), desktop.top(), desktop.width(), desktop.height());
    const bool taken = !grabbed.isNull();
    if (taken) {
        QPainter painter(&data_->picture.data()->image);
        painter.drawPixmap(QRect(0, 0, desktop.width(), desktop.height()), grabbed);
    }

    data_->widget = std::make_unique<OverlayWidget>(data_->picture, data_->outlines, !taken);
    data_->widget->setGeometry(desktop);
    data_->widget->show();
    QElapsedTimer waited;
    waited.start();
    const QWindow* handle = data_->widget->windowHandle();
    while (handle && !handle->isExposed() && waited.elapsed() < exposeWaitMs)
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
    data_->widget->repaint();
}

ScreenOverlay::~ScreenOverlay()
{
    if (data_->widget) {
        data_->widget->hide();
        data_->widget.reset();
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    outlineLog() = std::move(data_->outlines);
}

Rect ScreenOverlay::bounds() const
{
    return data_->bounds;
}

void ScreenOverlay::outline(const Rect& rect, Colour colour)
{
    data_->outlines.push_back(OverlayOutline{rect, colour});
    Surface& picture = data_->picture;
    const Pen pen = picture.selectPen(Pen{colour});
    const Brush brush = picture.selectBrush(stock::hollowBrush);
    picture.rectangle(Rect{rect.left - data_->bounds.left, rect.top - data_->bounds.top, rect.right - data_->bounds.left,
                           rect.bottom - data_->bounds.top});
    picture.selectPen(pen);
    picture.selectBrush(brush);
    if (data_->widget)
        data_->widget->repaint();
}

const Surface& ScreenOverlay::picture() const
{
    return data_->picture;
}

const std::vector<OverlayOutline>& ScreenOverlay::lastOutlines()
{
    return outlineLog();
}

} // namespace platform
