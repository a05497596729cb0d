// quorvel_icon_maker: writes the application icon, drawn by our artwork
// code, as the PNG files of the hicolor icon theme.
//   quorvel_icon_maker FOLDER NAME SIDE...
// writes FOLDER/<SIDE>x<SIDE>/apps/NAME.png for every SIDE.

#include <QDir>
#include <QGuiApplication>
#include <cstdio>

#include "resources/title_logo.h"

int main(int argc, char** argv) {
    // Run by the build: no display is needed, nor wanted.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 4) {
        std::fprintf(stderr, "usage: quorvel_icon_maker FOLDER NAME SIDE...\n");
        return 2;
    }
    for (qsizetype i = 3; i < args.size(); ++i) {
        bool number = false;
        const int side = args[i].toInt(&number);
        if (!number || side < 8 || side > 1024) {
            std::fprintf(stderr, "bad icon size: %s\n", qPrintable(args[i]));
            return 2;
        }
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(args[1]).arg(side);
        const QString file = QStringLiteral("%1/%2.png").arg(folder, args[2]);
        if (!QDir().mkpath(folder) || !quorvel::art::drawIconEmblem(side).save(file)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
