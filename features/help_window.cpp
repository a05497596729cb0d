#include "features/help_window.h"

#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

// The help lives in a resource of this static library; it must be brought
// in by name or the linker leaves it out.
static void initialiseHelpResource() {
    Q_INIT_RESOURCE(features);
}

namespace quorvel {

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    initialiseHelpResource();
    setWindowTitle(QStringLiteral("Aide de Quorvel"));
    resize(720, 640);
    browser_ = new QTextBrowser(this);
    browser_->setOpenExternalLinks(true);
    browser_->setSearchPaths({QStringLiteral(":/help")});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
}

void HelpWindow::showContents() {
    browser_->setSource(QUrl(QStringLiteral("qrc:/help/aide.html")));
    show();
    raise();
    activateWindow();
}

QString HelpWindow::html() const {
    return browser_->toHtml();
}

}  // namespace quorvel
