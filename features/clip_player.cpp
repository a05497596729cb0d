#include "features/clip_player.h"

#include <QFileInfo>
#include <QMediaPlayer>
#include <QUrl>
#include <QVBoxLayout>
#include <QVideoWidget>
#include <atomic>

namespace quorvel {

namespace {
std::atomic<bool> clipsEnabled{true};
}

ClipPlayer::ClipPlayer(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
}

ClipPlayer::~ClipPlayer() { stop(); }

void ClipPlayer::setClipsEnabled(bool enabled) { clipsEnabled = enabled; }

bool ClipPlayer::play(const QString& path) {
    if (!clipsEnabled || !QFileInfo(path).isFile()) return false;
    // The player is made only when there is something to play, so a
    // window without its clip never touches the multimedia back-end.
    if (!player_) {
        player_ = new QMediaPlayer(this);
        if (!player_->isAvailable()) {
            delete player_;
            player_ = nullptr;
            return false;
        }
        video_ = new QVideoWidget(this);
        layout()->addWidget(video_);
        player_->setVideoOutput(video_);
        // A clip that can't be decoded just leaves the area empty.
        connect(player_, &QMediaPlayer::errorOccurred, player_, &QMediaPlayer::stop);
    }
    player_->setSource(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
    player_->setPosition(0);
    player_->play();
    return true;
}

void ClipPlayer::stop() {
    if (player_) player_->stop();
}

}  // namespace quorvel
