// The pixel scan of the game fuzz target's hit-test check: plain work, built without the fuzzer's
// coverage and the sanitizers, which would make it the slowest part of every event.
#include <QImage>
#include <QRect>

bool KeyColoursWithin(const QImage& image, const QRgb* keys, const QRect* boxes, int count)
{
    const QRgb corner = image.isNull() ? 0 : image.pixel(0, 0) | 0xff000000u; // the background, mostly
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = line[x] | 0xff000000u;
            if (p == corner)
                continue;
            for (int i = 0; i < count; ++i)
                if (p == keys[i] && !boxes[i].contains(x, y))
                    return false;
        }
    }
    return true;
}
