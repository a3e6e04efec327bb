// A mock-up of the game window for the contact sheet only: the background
// with cells in the well, the readouts, the side panel's black chart area,
// tabs and clip tray drawn over it, to judge how the pictures sit together.
#include "art.h"

#include <QPainter>

namespace art {

QImage drawMockup(const QImage& sheet, const QImage& background)
{
    QImage img = background.copy(0, 0, 639, 479);
    QPainter g(&img);
    auto blit = [&](int x, int y, int sx, int sy, int w, int h) {
        g.drawImage(QPoint(x, y), sheet, QRect(sx, sy, w, h));
    };

    // The well: blacked out, then a few rows of pieces and risen blocks.
    g.fillRect(177, 20, 280, 440, Qt::black);
    const int rows[4][7] = {
        {9, 10, 11, 12, 9, 11, 10}, {1, 2, 3, 4, 5, 6, 7}, {8, 0, 2, 2, 0, 5, 1}, {0, 0, 0, 6, 0, 0, 0}};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 7; ++c)
            if (rows[r][c])
                blit(177 + 40 * c, 20 + 40 * (10 - r), 39 * (rows[r][c] - 1), 0, 39, 39);
    blit(177 + 40 * 3, 20 + 40 * 2, 39 * 2, 0, 39, 39); // the falling piece

    // Readouts: score, rows, stock, the two times, the next piece.
    auto number = [&](int x, int y, long value, int cells) {
        for (int i = cells - 1; i >= 0; --i) {
            const bool blank = value == 0 && i != cells - 1;
            blit(x + 16 * i, y, blank ? 150 : 15 * static_cast<int>(value % 10), 39, 15, 26);
            value /= 10;
        }
    };
    number(470, 50, 1234560, 10);
    number(470, 120, 42, 4);
    for (int i = 0; i < 7; ++i)
        blit(470 + 30 * (i % 5), i < 5 ? 190 : 220, 270, 39, 27, 27);
    number(470, 290, 1850, 4);
    number(550, 290, 2000, 4);
    blit(470, 360, 39 * 6, 0, 39, 39);

    // The balloon under the next-piece box.
    g.setRenderHint(QPainter::Antialiasing, true);
    g.setPen(QPen(Qt::black, 1));
    g.setBrush(Qt::white);
    g.drawRoundedRect(QRectF(470.5, 404.5, 165, 26), 8, 8);
    g.setRenderHint(QPainter::Antialiasing, false);

    // The side panel: chart area, three tabs, the tray with the clip.
    g.setPen(Qt::white);
    g.setBrush(Qt::black);
    g.drawRoundedRect(QRect(25, 20, 137, 300), 10, 10, Qt::AbsoluteSize);
    for (int t = 0; t < 3; ++t)
        g.drawRoundedRect(QRect(25 + 46 * t, 306, 45, 44), 8, 8, Qt::AbsoluteSize);
    g.fillRect(26, 306, 135, 14, Qt::black);
    for (int k = 0; k < 3; ++k)
        for (int i = 0; i < 7; ++i)
            blit(40 + 12 * i, 40 + 15 * k + 40 * k, 11 * ((i + k) % 3), 65, 11, 11);
    g.drawRoundedRect(QRect(30, 370, 35, 60), 10, 10, Qt::AbsoluteSize);
    g.drawImage(QPoint(40, 382), sheet, QRect(297, 43, 14, 40));
    blit(40, 378, 311, 39, 12, 4);
    return img;
}

} // namespace art
