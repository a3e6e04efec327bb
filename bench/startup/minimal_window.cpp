// The yardstick for start-up figures: the least a Qt program with a window,
// a menu bar and a 639 x 479 client area does.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("minimal"));
    window.menuBar()->addMenu(QStringLiteral("ゲーム(&G)"))->addAction(QStringLiteral("開始(&K)"));
    auto* client = new QWidget;
    client->setFixedSize(639, 479);
    client->setAutoFillBackground(true);
    client->setPalette(QPalette(Qt::darkGreen));
    window.setCentralWidget(client);
    window.show();
    return app.exec();
}
