// quorvel_artframes: draws our artwork to files.
//   quorvel_artframes sheet <file.png>         the contact sheet
//   quorvel_artframes clip <name> <folder>     the numbered frames of a clip
// Runs on any Qt platform, including offscreen.

#include <QDir>
#include <QGuiApplication>
#include <cstdio>

#include "tools/artframes/clip_frames.h"
#include "tools/artframes/contact_sheet.h"

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 3 && args[1] == "sheet") return quorvel::tools::contactSheet().save(args[2]) ? 0 : 1;
    if (args.size() == 4 && args[1] == "clip") {
        QDir().mkpath(args[3]);
        const int written = quorvel::tools::writeClipFrames(args[2], args[3]);
        if (written > 0) return 0;
        std::fprintf(stderr, "unknown clip or unwritable folder: %s\n", qPrintable(args[2]));
        return 1;
    }
    std::fprintf(stderr, "usage: quorvel_artframes sheet FILE.png | clip intro|apropos|pieceprise FOLDER\n");
    return 2;
}
