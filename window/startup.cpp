#include "window/startup.h"

#include <unistd.h>

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "features/file_locations.h"
#include "features/qt_dialog_service.h"
#include "features/speaker.h"
#include "features/splash_window.h"
#include "window/game_window.h"

namespace quorvel {

std::uint64_t totalPhysicalMemory() {
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGE_SIZE);
    if (pages <= 0 || pageSize <= 0) return 0;
    return static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(pageSize);
}

void loadOpeningBook(GameWindow& window) {
    GameController& controller = window.controller();
    const QString path = window.locations().bookPath();
    if (!path.isEmpty() && controller.book().load(path.toStdString()) == OpeningBook::LoadStatus::loaded)
        return;
    controller.status().bookPlay = false;
    controller.dialogs().error(QStringLiteral("Impossible de trouver le fichier 'ouvertures.txt'"));
}

bool installQtFrench(QTranslator& translator) {
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!translator.load(QStringLiteral("qtbase_fr"), folder)) return false;
    return QCoreApplication::installTranslator(&translator);
}

int runApplication() {
    QTranslator qtFrench;
    installQtFrench(qtFrench);
    FileLocations locations = FileLocations::standard();
    SplashWindow::showAtStartup(locations.shippedFile(QStringLiteral("intro.avi")));
    QtDialogService dialogs(nullptr, &locations);
    GameWindow window(dialogs, locations);
    window.controller().setTotalMemory(totalPhysicalMemory());
    loadOpeningBook(window);
    window.prepareUserFolders();
    window.setSpeaker(makeSystemSpeaker());
    // The settings come before the first picture: colours and options
    // are taken from them.
    window.readSettingsFile();
    window.loadEngineList();
    // Ending through a nested wait (quitting while the engine thinks) must end
    // every loop at once: a posted quit would be dropped by the next wait.
    QObject::connect(&window, &GameWindow::closedForGood, [] { QCoreApplication::exit(0); });
    window.show();
    return QApplication::exec();
}

}  // namespace quorvel
