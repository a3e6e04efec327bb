// The yardstick for start-up figures: the least a Qt program with a window,
// a menu bar and a 639 x 479 client area does, repainting one 15 x 26 cell
// every 77 ms as an idle animation would.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>
#include <QWidget>

namespace {

class Client : public QWidget {
public:
    Client()
    {
        setFixedSize(639, 479);
        setAttribute(Qt::WA_OpaquePaintEvent);
        QObject::connect(&timer_, &QTimer::timeout, this, [this] {
            lit_ = !lit_;
            update(470, 50, 15, 26);
        });
        timer_.start(77);
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QPainter painter(this);
        painter.fillRect(event->rect(), Qt::darkGreen);
        painter.fillRect(QRect(470, 50, 15, 26).intersected(event->rect()), lit_ ? Qt::yellow : Qt::black);
    }

private:
    QTimer timer_;
    bool lit_ = false;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("minimal"));
    window.menuBar()->addMenu(QStringLiteral("ゲーム(&G)"))->addAction(QStringLiteral("開始(&K)"));
    window.setCentralWidget(new Client);
    window.show();
    return app.exec();
}
