#include "features/print_progress_window.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QVBoxLayout>

#include "features/dialog_service.h"

namespace quorvel {

PrintProgressWindow::PrintProgressWindow(QWidget* parent, int tickMs) : QDialog(parent) {
    setWindowTitle(infoCaption());
    auto* icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));
    auto* texts = new QVBoxLayout;
    texts->addWidget(new QLabel(QStringLiteral("Impression en cours..."), this));
    texts->addWidget(new QLabel(QStringLiteral("Veuillez patientez."), this));
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(icon);
    layout->addLayout(texts);
    timer_.setInterval(tickMs);
    connect(&timer_, &QTimer::timeout, this, &PrintProgressWindow::tick);
}

void PrintProgressWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!timer_.isActive() && ticks_ == 0) timer_.start();
}

void PrintProgressWindow::tick() {
    if (++ticks_ < 2) return;
    timer_.stop();
    accept();
}

}  // namespace quorvel
