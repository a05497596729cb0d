#pragma once
// A small video area that plays one clip once, without controls. A missing
// clip or a missing multimedia back-end leaves the area empty: the windows
// that carry a clip never depend on it.

#include <QString>
#include <QWidget>

class QMediaPlayer;
class QVideoWidget;

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

    // Turns every clip player off, e.g. where no sound or video is wanted.
    static void setClipsEnabled(bool enabled);

private:
    QMediaPlayer* player_ = nullptr;
    QVideoWidget* video_ = nullptr;
};

}  // namespace quorvel
