#include "features/clip_player.h"

#include <QFileInfo>
#include <QMediaPlayer>
#include <QPainter>
#include <QUrl>
#include <QVideoFrame>
#include <QVideoSink>
#include <atomic>

namespace quorvel {

namespace {
std::atomic<bool> clipsEnabled{true};
}

ClipPlayer::ClipPlayer(QWidget* parent) : QWidget(parent) {}

ClipPlayer::~ClipPlayer() {
    // The player sends a last empty frame while it is torn down: it must go
    // while this object is still whole, and nobody may listen any more.
    if (sink_) disconnect(sink_, nullptr, this, nullptr);
    delete player_;
}

void ClipPlayer::setClipsEnabled(bool enabled) {
    clipsEnabled = enabled;
}

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
        sink_ = new QVideoSink(this);
        player_->setVideoSink(sink_);
        connect(sink_, &QVideoSink::videoFrameChanged, this, &ClipPlayer::showFrame);
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

void ClipPlayer::showFrame(const QVideoFrame& frame) {
    if (!frame.isValid()) return;
    QImage image = frame.toImage();
    if (image.isNull()) return;
    frame_ = std::move(image);
    ++framesShown_;
    update();
}

void ClipPlayer::paintEvent(QPaintEvent*) {
    if (frame_.isNull()) return;
    QPainter painter(this);
    // Keep the clip's proportions inside the area given to it.
    const QSize size = frame_.size().scaled(this->size(), Qt::KeepAspectRatio);
    const QRect target(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, frame_);
}

}  // namespace quorvel
