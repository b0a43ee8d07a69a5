// What the image generators (chrome.cpp, tables.cpp, mainwindow.cpp) share: a transparent canvas, writing a
// PNG below the output folder, the vertical gradient most of the images are painted with, and the program
// frame that reads the output folder from the command line.
#ifndef PAINTKIT_H
#define PAINTKIT_H

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>
#include <cstdlib>

namespace paintkit {

inline QString outRoot;
inline int written = 0;

inline QImage canvas(int w, int h) {
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// Writes image as <output folder>/<name>.png, creating the folders on the way; a failed write ends the run.
inline void save(const QImage &image, const QString &name) {
    const QString path = outRoot + QLatin1Char('/') + name + QStringLiteral(".png");
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::exit(1);
    }
    ++written;
}

inline QLinearGradient vertical(qreal top, qreal bottom, const QColor &a, const QColor &b) {
    QLinearGradient g(0, top, 0, bottom);
    g.setColorAt(0, a);
    g.setColorAt(1, b);
    return g;
}

// The generator's main: takes the output folder (src/resources/img) as the one argument, runs drawAll and
// says how many images it wrote.
template <typename DrawAll> int run(int argc, char *argv[], DrawAll drawAll) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder (src/resources/img)>\n", argv[0]);
        return 2;
    }
    outRoot = QString::fromLocal8Bit(argv[1]);
    drawAll();
    std::printf("%d images written to %s\n", written, qPrintable(outRoot));
    return 0;
}

} // namespace paintkit

#endif // PAINTKIT_H
