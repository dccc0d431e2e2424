// Drawing the tool cursors pixel by pixel: black strokes with a white rim
// so that they show on dark and light images alike.
#include "app/ToolCursors.h"

#include <QBitmap>
#include <QImage>
#include <array>

#include "forms/ViewTools.h"

namespace {

constexpr int kSize = 32;

class CursorPicture {
public:
    void Set(int x, int y)
    {
        if (x >= 0 && x < kSize && y >= 0 && y < kSize) black_[y][x] = true;
    }
    void Horizontal(int x1, int x2, int y, int dash = 0)
    {
        for (int x = x1; x <= x2; ++x)
            if (dash == 0 || (x - x1) % (2 * dash) < dash) Set(x, y);
    }
    void Vertical(int x, int y1, int y2, int dash = 0)
    {
        for (int y = y1; y <= y2; ++y)
            if (dash == 0 || (y - y1) % (2 * dash) < dash) Set(x, y);
    }
    // The hot spot itself stays open so the pixel under it can be seen.
    void CrossHair(int cx, int cy)
    {
        Horizontal(cx - 5, cx - 2, cy);
        Horizontal(cx + 2, cx + 5, cy);
        Vertical(cx, cy - 5, cy - 2);
        Vertical(cx, cy + 2, cy + 5);
    }
    QCursor Make(int hotX, int hotY) const
    {
        QImage bits(kSize, kSize, QImage::Format_Mono);
        QImage mask(kSize, kSize, QImage::Format_Mono);
        // Index 1 is black: set in the bitmap it draws, set in the mask it shows.
        const QList<QRgb> table{qRgb(255, 255, 255), qRgb(0, 0, 0)};
        bits.setColorTable(table);
        mask.setColorTable(table);
        bits.fill(0);
        mask.fill(0);
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x) {
                if (black_[y][x]) bits.setPixel(x, y, 1);
                if (NearBlack(x, y)) mask.setPixel(x, y, 1);
            }
        return QCursor(QBitmap::fromImage(bits), QBitmap::fromImage(mask), hotX, hotY);
    }

private:
    bool NearBlack(int x, int y) const
    {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) {
                const int nx = x + dx, ny = y + dy;
                if (nx >= 0 && nx < kSize && ny >= 0 && ny < kSize && black_[ny][nx]) return true;
            }
        return false;
    }

    std::array<std::array<bool, kSize>, kSize> black_{};
};

QCursor Arrow()
{
    // The tip at (10, 5): a head with a straight left edge narrowing back
    // at its foot, and a tail pointing down and to the right.
    CursorPicture p;
    constexpr int tipX = 10, tipY = 5;
    for (int r = 0; r <= 10; ++r) p.Horizontal(tipX, tipX + r, tipY + r);
    for (int r = 11; r <= 14; ++r) p.Horizontal(tipX, tipX + 14 - r, tipY + r);
    for (int i = 0; i <= 8; ++i) p.Horizontal(tipX + 4 + i / 2, tipX + 6 + i / 2, tipY + 10 + i);
    return p.Make(tipX, tipY);
}

QCursor SelectAoi()
{
    CursorPicture p;
    p.CrossHair(5, 6);
    // The rectangle a drag makes, dashed like a rubber band.
    p.Horizontal(10, 29, 14, 2);
    p.Horizontal(10, 29, 28, 2);
    p.Vertical(10, 14, 28, 2);
    p.Vertical(29, 14, 28, 2);
    return p.Make(5, 6);
}

QCursor MeasureCursor()
{
    CursorPicture p;
    p.CrossHair(5, 6);
    // A ruler with a long tick every sixth pixel and short ones between.
    p.Horizontal(8, 30, 16);
    p.Horizontal(8, 30, 25);
    p.Vertical(8, 16, 25);
    p.Vertical(30, 16, 25);
    for (int x = 10; x < 30; x += 2) p.Vertical(x, 17, (x - 10) % 6 == 0 ? 21 : 18);
    return p.Make(5, 6);
}

}  // namespace

const QCursor& ToolCursor(int tool)
{
    static const QCursor cursors[3] = {Arrow(), SelectAoi(), MeasureCursor()};
    return tool == TOOL_SELECT_AOI ? cursors[1] : tool == TOOL_MEASURE ? cursors[2] : cursors[0];
}
