// mkicon: paints the Lexaran application icon and writes it as PNG files
// and as a multi-resolution Windows .ico file.
//
// Usage: mkicon <output-directory>
//   <output-directory>/icons/lexaran-{256,128,64,48,32,16}.png
//   <output-directory>/lexaran.ico
//
// The picture: a rounded square in a teal-to-deep-blue gradient holding two
// overlapping speech bubbles, a white one lettered "Я" (Russian) and a gold
// one lettered "Қ" (Kazakh). The letters are built from geometric shapes
// (at 16 and 32 px from hand-placed pixels), so the result does not depend
// on the fonts installed on the machine that runs the tool.

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QPointF>
#include <QPolygonF>
#include <QRadialGradient>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

constexpr std::array<int, 6> kSizes = {256, 128, 64, 48, 32, 16};

// Palette.
const QColor kBgTop(0x17, 0x9C, 0x9A);      // teal
const QColor kBgBottom(0x13, 0x3E, 0x86);   // deep blue
const QColor kBgEdge(0x0B, 0x2A, 0x5C);     // outline of the tile
const QColor kPaper(0xFA, 0xFC, 0xFD);      // white bubble
const QColor kPaperShade(0xD8, 0xE6, 0xEE); // white bubble, lower edge
const QColor kGold(0xFF, 0xC8, 0x4A);       // gold bubble
const QColor kGoldShade(0xF2, 0xA5, 0x26);  // gold bubble, lower edge
const QColor kInkBlue(0x14, 0x3F, 0x82);    // letter on the white bubble
const QColor kInkDark(0x10, 0x30, 0x5A);    // letter on the gold bubble

// Pixel drawings of the letters for the smallest renditions.
// '#' full ink, '+' and '-' partial ink (smoothing), '.' none.
struct PixelGlyph {
    const char *const *rows = nullptr;
    int count = 0;
};

constexpr const char *kYa16[] = {
    ".###",
    "#..#",
    ".###",
    ".#.#",
    "#..#",
};
constexpr const char *kKa16[] = {
    "#..#.",
    "#.#..",
    "##...",
    "#.#..",
    "#..##",
    "....#",
};
constexpr const char *kYa32[] = {
    "-+#######",
    "+########",
    "##.....##",
    "##.....##",
    "+########",
    "-+#######",
    "..###..##",
    ".###...##",
    "###....##",
};
constexpr const char *kKa32[] = {
    "##...###.",
    "##..###..",
    "##.###...",
    "#####....",
    "####.....",
    "#####....",
    "##.###...",
    "##..###..",
    "##...####",
    ".......##",
    ".......##",
};

template <std::size_t N>
constexpr PixelGlyph glyph(const char *const (&rows)[N])
{
    return PixelGlyph{rows, int(N)};
}

// Geometry of one rendition of the icon, in pixels of the target size.
struct Layout {
    double size = 256;
    double margin = 8;        // transparent border around the tile
    double tileRadius = 52;   // corner radius of the tile
    bool tileOutline = true;  // thin dark edge around the tile
    bool highlight = true;    // soft light in the upper part of the tile
    bool shadow = true;       // soft shadow under the bubbles
    bool shade = true;        // vertical shading of the bubbles
    QRectF back;              // white bubble (behind)
    QRectF front;             // gold bubble (in front)
    double bubbleRadius = 22;
    double tailLength = 22;   // 0: bubbles without tails
    double tailTip = 0.09;    // tail tip, as a fraction of the width from the outer side
    double gap = 7;           // cut-out between the two bubbles
    PixelGlyph pixelYa;       // used instead of the drawn letters when set
    PixelGlyph pixelKa;
    QRectF letterYa;          // box of "Я" (cap height); pixel letters use its corner
    QRectF letterKa;          // box of "Қ" (cap height, without the descender)
    double stroke = 14;       // letter stroke width
    double descender = 12;    // length of the tail of "Қ"
    bool snap = false;        // put horizontal letter parts on whole pixels
};

Layout layoutFor(int size)
{
    Layout l;
    l.size = size;

    if (size == 16) {
        // Fitted to the pixel grid: no tails, no effects, pixel letters.
        l.margin = 0;
        l.tileRadius = 3;
        l.tileOutline = false;
        l.highlight = false;
        l.shadow = false;
        l.shade = false;
        l.back = QRectF(1, 1, 9, 8);
        l.front = QRectF(6, 8, 9, 7);
        l.bubbleRadius = 1.5;
        l.tailLength = 0;
        l.gap = 1;
        l.pixelYa = glyph(kYa16);
        l.pixelKa = glyph(kKa16);
        l.letterYa = QRectF(3, 2, 4, 5);
        l.letterKa = QRectF(8, 9, 5, 6);
        return l;
    }
    if (size == 32) {
        // Pixel letters with two-pixel strokes, short tails, no effects.
        l.margin = 1;
        l.tileRadius = 7;
        l.tileOutline = false;
        l.highlight = false;
        l.shadow = false;
        l.shade = false;
        l.back = QRectF(3, 3, 18, 14);
        l.front = QRectF(11, 14, 18, 14);
        l.bubbleRadius = 3.5;
        l.tailLength = 2;
        l.tailTip = 0.2;
        l.gap = 1;
        l.pixelYa = glyph(kYa32);
        l.pixelKa = glyph(kKa32);
        l.letterYa = QRectF(8, 4, 9, 9);
        l.letterKa = QRectF(16, 16, 9, 11);
        return l;
    }

    // Larger renditions are scaled from a 256-unit drawing.
    const double k = size / 256.0;
    l.margin = 8 * k;
    l.tileRadius = 52 * k;
    l.tileOutline = size >= 64;
    l.highlight = true;
    l.shadow = size >= 64;
    l.shade = size >= 64;
    l.back = QRectF(28 * k, 34 * k, 132 * k, 104 * k);
    l.front = QRectF(96 * k, 120 * k, 132 * k, 96 * k);
    l.bubbleRadius = 24 * k;
    l.tailLength = 22 * k;
    l.gap = std::max(1.5, 8 * k);
    l.letterYa = QRectF(66 * k, 45 * k, 52 * k, 64 * k);
    l.letterKa = QRectF(137 * k, 132 * k, 50 * k, 64 * k);
    l.stroke = 12.5 * k;
    l.descender = 12 * k;
    if (size == 48) {
        // Letters placed on whole pixels, with two-pixel stems.
        l.letterYa = QRectF(12, 8, 10, 12);
        l.letterKa = QRectF(26, 25, 9, 12);
        l.stroke = 2;
        l.descender = 2;
        l.snap = true;
    }
    return l;
}

// Speech bubble outline. dir < 0 puts the tail at the lower left,
// dir > 0 at the lower right.
QPainterPath bubblePath(const QRectF &r, double radius, double tailLength, double tip, int dir)
{
    QPainterPath p;
    p.addRoundedRect(r, radius, radius);
    if (tailLength > 0) {
        const double w = r.width();
        const double b = r.bottom();
        // Tail expressed for the left side, mirrored for the right side.
        auto x = [&](double f) { return dir < 0 ? r.left() + w * f : r.right() - w * f; };
        QPainterPath t;
        t.moveTo(x(0.18), b - radius);
        t.lineTo(x(0.18), b);
        t.lineTo(x(tip), b + tailLength);
        t.quadTo(x(0.26), b + tailLength * 0.35, x(0.42), b);
        t.lineTo(x(0.42), b - radius);
        t.closeSubpath();
        p = p.united(t);
    }
    return p.simplified();
}

// A slanted stroke with horizontal cuts at both ends, from the cut whose
// left end is (xa, ya) to the cut whose left end is (xb, yb); each cut is
// 'cut' wide.
QPainterPath slantedStroke(double xa, double ya, double xb, double yb, double cut)
{
    QPolygonF poly;
    poly << QPointF(xa, ya) << QPointF(xa + cut, ya) << QPointF(xb + cut, yb)
         << QPointF(xb, yb);
    QPainterPath p;
    p.addPolygon(poly);
    p.closeSubpath();
    return p;
}

// Horizontal width of the cut of a stroke of width sw along (dx, dy).
double cutWidth(double sw, double dx, double dy)
{
    return sw * std::hypot(dx, dy) / std::abs(dy);
}

// Cyrillic capital Я inside box b with stroke width sw. The parts overlap
// and are filled one by one, which keeps the boolean path operations (and
// their trouble with coincident edges) out of the way.
std::vector<QPainterPath> letterYa(const QRectF &b, double sw, bool snap)
{
    const double top = b.top();
    const double bottom = b.bottom();
    const double right = b.right();
    const double left = b.left();
    const double stemL = right - sw;
    double waist = top + b.height() * 0.58; // lower edge of the bowl
    if (snap)
        waist = std::round(waist);
    const double r = (waist - top) / 2.0;
    const double bowlL = left + b.width() * 0.02;

    // Bowl: a mirrored "D" closed by the stem; outer and inner contour in
    // one path with the odd-even rule.
    QPainterPath bowl;
    bowl.setFillRule(Qt::OddEvenFill);
    bowl.moveTo(stemL + sw * 0.5, top);
    bowl.lineTo(bowlL + r, top);
    bowl.arcTo(QRectF(bowlL, top, 2 * r, 2 * r), 90, 180);
    bowl.lineTo(stemL + sw * 0.5, waist);
    bowl.closeSubpath();
    const double ir = r - sw;
    if (ir > 0.25) {
        bowl.moveTo(stemL, top + sw);
        bowl.lineTo(bowlL + r, top + sw);
        bowl.arcTo(QRectF(bowlL + sw, top + sw, 2 * ir, 2 * ir), 90, 180);
        bowl.lineTo(stemL, waist - sw);
        bowl.closeSubpath();
    }

    QPainterPath stem;
    stem.addRect(QRectF(stemL, top, sw, bottom - top));

    // Leg from under the bowl down to the lower left corner.
    const double legTopX = bowlL + r * 0.9;
    const double legTopY = waist - sw * 0.5;
    const double cut = cutWidth(sw, legTopX - left, bottom - legTopY);
    const QPainterPath leg = slantedStroke(legTopX, legTopY, left, bottom, cut);

    return {bowl, stem, leg};
}

// Kazakh capital Қ inside box b (cap height) with stroke width sw and a
// descender of length desc below the right end of the leg.
std::vector<QPainterPath> letterKa(const QRectF &b, double sw, double desc, bool snap)
{
    const double top = b.top();
    const double bottom = b.bottom();
    const double left = b.left();
    const double right = b.right();
    double joinY = top + b.height() * 0.55;
    if (snap)
        joinY = std::round(joinY);
    const double joinX = left + sw * 0.6;
    const double dw = std::max(1.0, sw * 0.85);   // width of the descender
    const double legRight = right - dw * 0.25;    // right end of the leg's foot

    QPainterPath stem;
    stem.addRect(QRectF(left, top, sw, bottom - top));

    // Upper arm: from the joint at the stem to the upper right corner.
    const double armCut = cutWidth(sw, right - joinX, joinY - top);
    const QPainterPath arm = slantedStroke(joinX, joinY, right - armCut, top, armCut);

    // Leg: from the joint down to the baseline, ending under the arm's tip.
    const double legEnd = legRight - dw;
    const double legCut = cutWidth(sw, legEnd - joinX, bottom - joinY);
    const QPainterPath leg = slantedStroke(joinX, joinY, legEnd - legCut, bottom, legCut);

    // Fill the notch where the arm and the leg meet the stem.
    QPainterPath joint;
    joint.addRect(QRectF(left + sw * 0.5, joinY - sw * 0.55, std::min(armCut, legCut) * 0.75,
                         sw * 1.1));

    // Foot and descender: a short bar along the baseline turning downwards.
    const double footH = std::max(1.0, sw * 0.8);
    QPainterPath foot;
    foot.addRect(QRectF(legEnd - legCut * 0.5, bottom - footH, legRight - (legEnd - legCut * 0.5),
                        footH));
    QPainterPath tail;
    tail.addRect(QRectF(legRight - dw, bottom - footH, dw, footH + desc));

    return {stem, arm, leg, joint, foot, tail};
}

void fillPixels(QPainter &p, const QPointF &origin, const PixelGlyph &g, const QColor &color)
{
    for (int y = 0; y < g.count; ++y) {
        for (int x = 0; g.rows[y][x] != '\0'; ++x) {
            QColor c = color;
            switch (g.rows[y][x]) {
            case '#': break;
            case '+': c.setAlpha(150); break;
            case '-': c.setAlpha(60); break;
            default: continue;
            }
            p.fillRect(QRectF(origin.x() + x, origin.y() + y, 1, 1), c);
        }
    }
}

void fillBubble(QPainter &p, const QPainterPath &path, const QRectF &r, bool shade,
                const QColor &base, const QColor &shadeColor)
{
    if (!shade) {
        p.fillPath(path, base);
        return;
    }
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0.0, base);
    g.setColorAt(0.7, base);
    g.setColorAt(1.0, shadeColor);
    p.fillPath(path, g);
}

void paintIcon(QImage &img, const Layout &l)
{
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);

    const double s = l.size;
    const QRectF tile(l.margin, l.margin, s - 2 * l.margin, s - 2 * l.margin);

    // Tile with the background gradient and a soft light from the top left.
    QPainterPath tilePath;
    tilePath.addRoundedRect(tile, l.tileRadius, l.tileRadius);
    QLinearGradient bg(tile.topLeft(), tile.bottomRight());
    bg.setColorAt(0.0, kBgTop);
    bg.setColorAt(1.0, kBgBottom);
    p.fillPath(tilePath, bg);
    if (l.highlight) {
        QRadialGradient glow(QPointF(tile.left() + tile.width() * 0.25, tile.top()),
                             tile.width() * 0.9);
        glow.setColorAt(0.0, QColor(255, 255, 255, 64));
        glow.setColorAt(1.0, QColor(255, 255, 255, 0));
        p.fillPath(tilePath, glow);
    }

    // The back bubble loses a band around the front one, so the tile shows
    // through between them.
    const QPainterPath frontPath = bubblePath(l.front, l.bubbleRadius, l.tailLength, l.tailTip, +1);
    QPainterPathStroker stroker;
    stroker.setWidth(2 * l.gap);
    stroker.setJoinStyle(Qt::RoundJoin);
    const QPainterPath cut = stroker.createStroke(frontPath).united(frontPath);
    const QPainterPath backPath =
        bubblePath(l.back, l.bubbleRadius, l.tailLength, l.tailTip, -1).subtracted(cut);

    if (l.shadow) {
        const QPainterPath both = backPath.united(frontPath);
        const double off = s / 96.0;
        p.fillPath(both.translated(0, 2 * off), QColor(4, 18, 48, 40));
        p.fillPath(both.translated(0, off), QColor(4, 18, 48, 50));
    }

    fillBubble(p, backPath, l.back, l.shade, kPaper, kPaperShade);
    if (l.pixelYa.rows) {
        fillPixels(p, l.letterYa.topLeft(), l.pixelYa, kInkBlue);
    } else {
        p.save();
        p.setClipPath(backPath);
        for (const QPainterPath &part : letterYa(l.letterYa, l.stroke, l.snap))
            p.fillPath(part, kInkBlue);
        p.restore();
    }

    fillBubble(p, frontPath, l.front, l.shade, kGold, kGoldShade);
    if (l.pixelKa.rows)
        fillPixels(p, l.letterKa.topLeft(), l.pixelKa, kInkDark);
    else
        for (const QPainterPath &part : letterKa(l.letterKa, l.stroke, l.descender, l.snap))
            p.fillPath(part, kInkDark);

    if (l.tileOutline) {
        QPen edge(QColor(kBgEdge.red(), kBgEdge.green(), kBgEdge.blue(), 150));
        edge.setWidthF(std::max(1.0, s / 128.0));
        p.setPen(edge);
        p.setBrush(Qt::NoBrush);
        const double h = edge.widthF() / 2.0;
        p.drawRoundedRect(tile.adjusted(h, h, -h, -h), l.tileRadius - h, l.tileRadius - h);
    }
    p.end();
}

QImage renderIcon(int size)
{
    QImage img(size, size, QImage::Format_ARGB32);
    paintIcon(img, layoutFor(size));
    return img;
}

QByteArray pngData(const QImage &img)
{
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "PNG");
    return bytes;
}

void putU16(QByteArray &out, uint16_t v)
{
    out.append(char(v & 0xff));
    out.append(char((v >> 8) & 0xff));
}

void putU32(QByteArray &out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.append(char((v >> (8 * i)) & 0xff));
}

// 32 bpp DIB as stored in an .ico entry: BITMAPINFOHEADER with doubled
// height, bottom-up BGRA pixels, then a 1 bpp AND mask (1 = transparent).
QByteArray dibData(const QImage &src)
{
    const QImage img = src.convertToFormat(QImage::Format_ARGB32);
    const int w = img.width();
    const int h = img.height();
    const int maskStride = ((w + 31) / 32) * 4;
    const uint32_t xorSize = uint32_t(w) * uint32_t(h) * 4;
    const uint32_t andSize = uint32_t(maskStride) * uint32_t(h);

    QByteArray out;
    out.reserve(int(40 + xorSize + andSize));
    putU32(out, 40);                  // biSize
    putU32(out, uint32_t(w));         // biWidth
    putU32(out, uint32_t(2 * h));     // biHeight: colour + mask
    putU16(out, 1);                   // biPlanes
    putU16(out, 32);                  // biBitCount
    putU32(out, 0);                   // biCompression = BI_RGB
    putU32(out, xorSize + andSize);   // biSizeImage
    putU32(out, 0);                   // biXPelsPerMeter
    putU32(out, 0);                   // biYPelsPerMeter
    putU32(out, 0);                   // biClrUsed
    putU32(out, 0);                   // biClrImportant

    for (int y = h - 1; y >= 0; --y) {
        const auto *line = reinterpret_cast<const QRgb *>(img.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            const QRgb c = line[x];
            out.append(char(qBlue(c)));
            out.append(char(qGreen(c)));
            out.append(char(qRed(c)));
            out.append(char(qAlpha(c)));
        }
    }
    for (int y = h - 1; y >= 0; --y) {
        const auto *line = reinterpret_cast<const QRgb *>(img.constScanLine(y));
        QByteArray row(maskStride, '\0');
        for (int x = 0; x < w; ++x) {
            if (qAlpha(line[x]) < 128)
                row[x / 8] = char(uchar(row[x / 8]) | (0x80u >> (x % 8)));
        }
        out.append(row);
    }
    return out;
}

struct IcoEntry {
    int size;
    QByteArray data;
};

QByteArray icoFile(const std::vector<IcoEntry> &entries)
{
    QByteArray out;
    putU16(out, 0);                           // idReserved
    putU16(out, 1);                           // idType = icon
    putU16(out, uint16_t(entries.size()));    // idCount

    uint32_t offset = 6 + 16 * uint32_t(entries.size());
    for (const IcoEntry &e : entries) {
        const auto dim = char(e.size >= 256 ? 0 : e.size);
        out.append(dim);                      // bWidth (0 means 256)
        out.append(dim);                      // bHeight
        out.append(char(0));                  // bColorCount
        out.append(char(0));                  // bReserved
        putU16(out, 1);                       // wPlanes
        putU16(out, 32);                      // wBitCount
        putU32(out, uint32_t(e.data.size())); // dwBytesInRes
        putU32(out, offset);                  // dwImageOffset
        offset += uint32_t(e.data.size());
    }
    for (const IcoEntry &e : entries)
        out.append(e.data);
    return out;
}

bool writeFile(const QString &path, const QByteArray &data)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(data) == data.size() && f.flush();
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QStringList args = QGuiApplication::arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: mkicon <output-directory>\n");
        return 2;
    }
    const QDir outDir(args.at(1));
    if (!outDir.mkpath(QStringLiteral("icons"))) {
        std::fprintf(stderr, "mkicon: cannot create %s\n",
                     qPrintable(outDir.filePath(QStringLiteral("icons"))));
        return 1;
    }

    std::vector<IcoEntry> ico;
    for (int size : kSizes) {
        const QImage img = renderIcon(size);
        const QByteArray png = pngData(img);
        const QString name =
            outDir.filePath(QStringLiteral("icons/lexaran-%1.png").arg(size));
        if (png.isEmpty() || !writeFile(name, png)) {
            std::fprintf(stderr, "mkicon: cannot write %s\n", qPrintable(name));
            return 1;
        }
        ico.push_back({size, size >= 256 ? png : dibData(img)});
    }

    // Smallest first; Windows picks the best match regardless of order.
    std::vector<IcoEntry> ordered(ico.rbegin(), ico.rend());
    const QString icoName = outDir.filePath(QStringLiteral("lexaran.ico"));
    if (!writeFile(icoName, icoFile(ordered))) {
        std::fprintf(stderr, "mkicon: cannot write %s\n", qPrintable(icoName));
        return 1;
    }
    return 0;
}
