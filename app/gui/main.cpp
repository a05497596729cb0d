// quorvel: the chess game's window.

#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "window/startup.h"

namespace {

bool displayNamed() {
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* value = std::getenv(name);
        if (value && *value) return true;
    }
    return false;
}

// Qt ends the process when the display named can't be reached; say it in
// one line instead of its plugin diagnostics.
void onQtMessage(QtMsgType type, const QMessageLogContext&, const QString&) {
    if (type != QtFatalMsg) return;
    const char* display = std::getenv("DISPLAY");
    std::fprintf(stderr, "quorvel : impossible d'ouvrir l'affichage graphique %s\n",
                 display && *display ? display : "");
    std::_Exit(1);
}

}  // namespace

int main(int argc, char** argv) {
    if (!displayNamed()) {
        std::fprintf(stderr, "quorvel : aucun affichage graphique (DISPLAY n'est pas défini)\n");
        return 1;
    }
    const QtMessageHandler previous = qInstallMessageHandler(onQtMessage);
    QApplication app(argc, argv);
    qInstallMessageHandler(previous);
    // The name gives the user's folders (~/.config/quorvel,
    // ~/.local/share/quorvel) and the window's class, which the desktop
    // entry's StartupWMClass names; the desktop file name is the window's
    // application id under Wayland.
    QApplication::setApplicationName(QStringLiteral("quorvel"));
    QGuiApplication::setDesktopFileName(QStringLiteral("fr.quorvel.Quorvel"));
    return quorvel::runApplication();
}
