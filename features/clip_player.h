#pragma once
// A small video area that plays one clip once, without controls. A missing
// clip or a missing multimedia back-end leaves the area empty: the windows
// that carry a clip never depend on it.
//
// Frames are painted by the widget itself (from a video sink), so the clip
// shows on every platform plug-in and in grabbed pictures of the window.

#include <QImage>
#include <QString>
#include <QWidget>

class QMediaPlayer;
class QVideoFrame;
class QVideoSink;

namespace quorvel {

class ClipPlayer : public QWidget {
    Q_OBJECT
public:
    explicit ClipPlayer(QWidget* parent = nullptr);
    ~ClipPlayer() override;

    // Starts `path` from its beginning; returns whether playing started
    // (false when the file is missing or nothing can play it).
    bool play(const QString& path);
    void stop();

    // Frames shown so far, for tests.
    int framesShown() const { return framesShown_; }

    // Turns every clip player off, e.g. where no video is wanted.
    static void setClipsEnabled(bool enabled);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void showFrame(const QVideoFrame& frame);

    QMediaPlayer* player_ = nullptr;
    QVideoSink* sink_ = nullptr;
    QImage frame_;
    int framesShown_ = 0;
};

}  // namespace quorvel
