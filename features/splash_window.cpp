#include "features/splash_window.h"

#include <QLabel>
#include <QVBoxLayout>

#include "features/clip_player.h"
#include "features/program_version.h"
#include "resources/artwork.h"

namespace quorvel {

SplashWindow::SplashWindow(const QString& clipPath, QWidget* parent)
    : QDialog(parent, Qt::SplashScreen | Qt::FramelessWindowHint), clipPath_(clipPath) {
    auto* logo = new QLabel(this);
    logo->setPixmap(art::titleLogo(devicePixelRatioF()));
    logo->setAlignment(Qt::AlignCenter);
    clip_ = new ClipPlayer(this);
    clip_->setFixedSize(320, 200);
    auto* version = new QLabel(programTitle(), this);
    version->setAlignment(Qt::AlignCenter);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(logo);
    layout->addWidget(clip_, 0, Qt::AlignCenter);
    layout->addWidget(version);

    timer_.setInterval(100);
    connect(&timer_, &QTimer::timeout, this, &SplashWindow::tick);
}

void SplashWindow::showAtStartup(const QString& clipPath) {
    SplashWindow splash(clipPath);
    splash.exec();
}

void SplashWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Shown once per run: the ticks are counted from the first showing.
    if (started_) return;
    started_ = true;
    timer_.start();
    clip_->play(clipPath_);
}

void SplashWindow::tick() {
    if (++ticks_ < kTicks) return;
    timer_.stop();
    clip_->stop();
    accept();
}

}  // namespace quorvel
