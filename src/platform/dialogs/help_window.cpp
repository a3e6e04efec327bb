#include "platform/help_window.h"

#include "platform/window/window_data.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QImage>
#include <QPainter>
#include <QScreen>
#include <QListWidget>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTreeWidget>

#include <algorithm>
#include <array>

namespace platform {

namespace {

HelpWindow* openHelp = nullptr;

// The chart markers of the sprite sheet, by the letter that names them in a
// "row:" picture of the pages: a red circle, a yellow triangle, a blue square.
struct Marker {
    QChar letter;
    int x;
};
constexpr int markerY = 65;
constexpr int markerSize = 11;
constexpr int markerPitch = 12;
constexpr std::array<Marker, 3> markers{{{QLatin1Char('r'), 0}, {QLatin1Char('y'), 11}, {QLatin1Char('b'), 22}}};

// A row of markers drawn from the sprite sheet, twice their size, on black.
QImage rowPicture(const QString& letters)
{
    const QImage sheet(QStringLiteral(":/resources/pictures/id_bitmap1.png"));
    QImage row(static_cast<int>(letters.size()) * markerPitch, markerPitch, QImage::Format_RGB32);
    row.fill(Qt::black);
    QPainter painter(&row);
    for (qsizetype i = 0; i < letters.size(); ++i) {
        for (const Marker& marker : markers) {
            if (marker.letter == letters[i])
                painter.drawImage(QPoint(static_cast<int>(i) * markerPitch, 0), sheet,
                                  QRect(marker.x, markerY, markerSize, markerSize));
        }
    }
    painter.end();
    return row.scaled(row.size() * 2);
}

// Pages name their example rows as pictures "row:rryybbb".
class HelpBrowser : public QTextBrowser {
public:
    using QTextBrowser::QTextBrowser;

    QVariant loadResource(int type, const QUrl& name) override
    {
        if (type == QTextDocument::ImageResource && name.scheme() == QStringLiteral("row"))
            return rowPicture(name.path());
        return QTextBrowser::loadResource(type, name);
    }
};

constexpr int helpWidth = 760;
constexpr int helpHeight = 560;
constexpr int sideWidth = 220;

} // namespace

struct HelpWindowData {
    QString folder;
    QString contentsPage;
    QWidget* frame = nullptr; // owned by the main window's frame
    QTextBrowser* browser = nullptr;
    QTreeWidget* contents = nullptr;
    QListWidget* index = nullptr;
    std::vector<QString> topicPages;
    std::vector<QString> keywordPages;

    void show(const QString& page) { browser->setSource(QUrl(folder + page)); }
};

namespace {

// Over the middle of the game window, as large as the screen allows and
// wholly on the game's screen. The help's frame is taken to be the game's.
void placeOver(QWidget& help, Window& owner)
{
    QWidget* game = frameOf(owner);
    const QScreen* screen = game && game->screen() ? game->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QMargins frame = owner.data()->frameMargins();
    const QSize size(std::min(helpWidth, area.width() - frame.left() - frame.right()),
                     std::min(helpHeight, area.height() - frame.top() - frame.bottom()));
    QRect outer(QPoint(0, 0), size.grownBy(frame));
    outer.moveCenter(owner.data()->outerGeometry().center());
    outer.moveLeft(std::max(area.left(), std::min(outer.left(), area.right() + 1 - outer.width())));
    outer.moveTop(std::max(area.top(), std::min(outer.top(), area.bottom() + 1 - outer.height())));
    help.setGeometry(QRect(outer.topLeft() + QPoint(frame.left(), frame.top()), size.expandedTo(QSize(1, 1))));
}

} // namespace

HelpWindow::HelpWindow() : data_(std::make_unique<HelpWindowData>())
{
}

HelpWindow::~HelpWindow()
{
    if (openHelp == this)
        openHelp = nullptr;
}

void HelpWindow::open(Window& owner, const HelpBook& book)
{
    if (!openHelp) {
        openHelp = new HelpWindow;
        HelpWindowData& d = *openHelp->data_;
        d.folder = QStringLiteral("qrc:") + QString::fromUtf8(book.folder);
        d.contentsPage = QString::fromUtf8(book.contentsPage);
        // A dialog of the game's window to the desktop, so that tiling
        // desktops float it over the game instead of tiling it beside or under.
        d.frame = new QWidget(frameOf(owner), Qt::Dialog);
        // The help goes with the main window.
        QObject::connect(d.frame, &QObject::destroyed, [] { delete openHelp; });
        d.frame->setWindowTitle(QString::fromUtf8(book.caption));
        d.frame->resize(helpWidth, helpHeight);

        auto* splitter = new QSplitter(d.frame);
        auto* tabs = new QTabWidget(splitter);
        d.contents = new QTreeWidget(tabs);
        d.contents->setHeaderHidden(true);
        QTreeWidgetItem* parent = nullptr;
        for (const HelpTopic& topic : book.contents) {
            auto* item = topic.level > 0 && parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(d.contents);
            item->setText(0, QString::fromUtf8(topic.title));
            item->setData(0, Qt::UserRole, static_cast<int>(d.topicPages.size()));
            d.topicPages.push_back(QString::fromUtf8(topic.page));
            if (topic.level == 0)
                parent = item;
        }
        d.contents->expandAll();
        d.index = new QListWidget(tabs);
        for (const HelpKeyword& keyword : book.index) {
            d.index->addItem(QString::fromUtf8(keyword.word));
            d.keywordPages.push_back(QString::fromUtf8(keyword.page));
        }
        tabs->addTab(d.contents, QStringLiteral("目次"));
        tabs->addTab(d.index, QStringLiteral("索引"));
        d.browser = new HelpBrowser(splitter);
        d.browser->setOpenLinks(true);
        splitter->addWidget(tabs);
        splitter->addWidget(d.browser);
        splitter->setSizes({sideWidth, helpWidth - sideWidth});
        auto* layout = new QHBoxLayout(d.frame);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(splitter);

        HelpWindowData* data = &d;
        QObject::connect(d.contents, &QTreeWidget::itemActivated, d.contents, [data](QTreeWidgetItem* item) {
            data->show(data->topicPages[static_cast<std::size_t>(item->data(0, Qt::UserRole).toInt())]);
        });
        QObject::connect(d.contents, &QTreeWidget::itemClicked, d.contents, [data](QTreeWidgetItem* item) {
            data->show(data->topicPages[static_cast<std::size_t>(item->data(0, Qt::UserRole).toInt())]);
        });
        QObject::connect(d.index, &QListWidget::itemActivated, d.index, [data](QListWidgetItem* item) {
            data->show(data->keywordPages[static_cast<std::size_t>(data->index->row(item))]);
        });
        QObject::connect(d.index, &QListWidget::itemClicked, d.index, [data](QListWidgetItem* item) {
            data->show(data->keywordPages[static_cast<std::size_t>(data->index->row(item))]);
        });
    }
    HelpWindowData& d = *openHelp->data_;
    d.show(d.contentsPage);
    // In front of the game even while the game stays on top of other windows.
    setStaysOnTop(*d.frame, owner.isTopmost());
    if (!d.frame->isVisible())
        placeOver(*d.frame, owner);
    d.frame->show();
    d.frame->raise();
    d.frame->activateWindow();
}

HelpWindow* HelpWindow::active()
{
    return openHelp;
}

void HelpWindow::closeActive()
{
    if (openHelp)
        delete openHelp->data_->frame;
}

std::string HelpWindow::currentPage() const
{
    const QString url = data_->browser->source().toString();
    return url.startsWith(data_->folder) ? url.mid(data_->folder.size()).toStdString() : url.toStdString();
}

std::string HelpWindow::caption() const
{
    return data_->frame->windowTitle().toStdString();
}

std::string HelpWindow::pageText() const
{
    return data_->browser->toPlainText().toStdString();
}

std::vector<std::string> HelpWindow::contentsTitles() const
{
    std::vector<std::string> titles;
    for (QTreeWidgetItemIterator it(data_->contents); *it; ++it)
        titles.push_back((*it)->text(0).toStdString());
    return titles;
}

std::vector<std::string> HelpWindow::indexWords() const
{
    std::vector<std::string> words;
    for (int row = 0; row < data_->index->count(); ++row)
        words.push_back(data_->index->item(row)->text().toStdString());
    return words;
}

void HelpWindow::chooseTopic(int row)
{
    int at = 0;
    for (QTreeWidgetItemIterator it(data_->contents); *it; ++it, ++at) {
        if (at == row) {
            data_->contents->setCurrentItem(*it);
            emit data_->contents->itemActivated(*it, 0);
            return;
        }
    }
}

void HelpWindow::chooseKeyword(int row)
{
    QListWidgetItem* item = data_->index->item(row);
    if (!item)
        return;
    data_->index->setCurrentItem(item);
    emit data_->index->itemActivated(item);
}

} // namespace platform
