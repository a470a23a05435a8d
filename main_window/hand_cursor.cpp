#include "hand_cursor.h"

#include <QBitmap>
#include <QImage>
#include <array>
#include <string_view>

namespace {

// '#' black, '.' white, anything else transparent. Rows left out are transparent.
constexpr std::array<std::string_view, 23> kHand = {
    "     ###",
    "    #...#",
    "    #...#",
    "    #...#",
    "    #...#",
    "    #...####",
    "    #...#...####",
    "    #...#...#...#",
    "    #...#...#...####",
    "    #...#...#...#...#",
    " ## #...#...#...#...#",
    "#..##...#...#...#...#",
    "#...#...............#",
    "#...................#",
    " #..................#",
    " #..................#",
    "  #.................#",
    "  #................#",
    "   #...............#",
    "   #..............#",
    "    #.............#",
    "    #.............#",
    "    ###############",
};

constexpr int kSize = 32;

QBitmap Plane(bool (*isSet)(char)) {
    QImage image(kSize, kSize, QImage::Format_MonoLSB);
    image.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    image.fill(0);
    for (int y = 0; y < static_cast<int>(kHand.size()); ++y) {
        const std::string_view row = kHand[static_cast<std::size_t>(y)];
        for (int x = 0; x < static_cast<int>(row.size()); ++x) {
            if (isSet(row[static_cast<std::size_t>(x)])) image.setPixel(x, y, 1);
        }
    }
    return QBitmap::fromImage(image);
}

}  // namespace

QCursor PointingHandCursor() {
    const QBitmap black = Plane([](char c) { return c == '#'; });
    const QBitmap opaque = Plane([](char c) { return c == '#' || c == '.'; });
    return QCursor(black, opaque, 6, 0);
}
