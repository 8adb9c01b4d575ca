// SPDX-License-Identifier: GPL-3.0-or-later
//
// Draws the program icon at the icon theme's sizes from its one 32 x 32
// design, pixel for pixel, without smoothing:
//   numora-iconsizes ICON.xpm OUTDIR SIZE...
#include <QCoreApplication>
#include <QDir>
#include <QImage>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 5) {
        std::fprintf(stderr, "usage: numora-iconsizes ICON.xpm OUTDIR NAME SIZE...\n");
        return 2;
    }
    const QImage icon(QString::fromLocal8Bit(argv[1]));
    if (icon.isNull()) {
        std::fprintf(stderr, "numora-iconsizes: cannot read %s\n", argv[1]);
        return 1;
    }
    const QString name = QString::fromLocal8Bit(argv[3]) + QStringLiteral(".png");
    for (int i = 4; i < argc; ++i) {
        const int size = QByteArray(argv[i]).toInt();
        const QString dir
            = QStringLiteral("%1/%2x%2/apps").arg(QString::fromLocal8Bit(argv[2])).arg(size);
        QDir().mkpath(dir);
        const QImage scaled
            = icon.scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        if (!scaled.save(dir + QLatin1Char('/') + name)) {
            std::fprintf(stderr, "numora-iconsizes: cannot write %s\n", qPrintable(dir));
            return 1;
        }
    }
    return 0;
}
