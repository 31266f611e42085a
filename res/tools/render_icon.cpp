// render_icon IN.svg OUT.png SIDE: draws the SVG icon into a SIDE x SIDE PNG with a transparent
// background. Run by the build, headless, to make the icon theme's fixed-size image.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QSaveFile>
#include <QString>
#include <QSvgRenderer>

namespace {

// A decimal side length 1..1024 and nothing else.
bool ParseSide(const char* text, int& side)
{
    if (!text || !*text)
        return false;
    long value = 0;
    for (const char* p = text; *p; ++p) {
        if (*p < '0' || *p > '9')
            return false;
        value = value * 10 + (*p - '0');
        if (value > 1024)
            return false;
    }
    if (value < 1)
        return false;
    side = static_cast<int>(value);
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    int side = 0;
    if (argc != 4 || !ParseSide(argv[3], side)) {
        std::fprintf(stderr, "usage: render_icon IN.svg OUT.png SIDE (1..1024)\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};
    QGuiApplication app(qtArgc, qtArgv);

    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "render_icon: cannot read '%s' as SVG\n", argv[1]);
        return 1;
    }
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) {
        std::fprintf(stderr, "render_icon: cannot make a %d x %d image\n", side, side);
        return 1;
    }
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing, true);
        renderer.render(&painter, QRectF(0, 0, side, side));
    }

    // Written through a temporary file, so a failed run leaves no half-written icon behind.
    QSaveFile file(QString::fromLocal8Bit(argv[2]));
    bool written = file.open(QIODevice::WriteOnly);
    if (written)
        written = image.convertToFormat(QImage::Format_ARGB32).save(&file, "PNG");
    if (written)
        written = file.commit();
    else
        file.cancelWriting();
    if (!written) {
        std::fprintf(stderr, "render_icon: cannot write '%s'\n", argv[2]);
        return 1;
    }
    return 0;
}
