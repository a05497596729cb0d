#pragma once
// "A propos de Quorvel": the version, who made the program and when, and
// the About clip ("apropos.avi").

#include <QDialog>

namespace quorvel {

class ClipPlayer;

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    AboutDialog(const QString& clipPath, QWidget* parent = nullptr);

    static void showAbout(const QString& clipPath, QWidget* parent = nullptr);

    bool clipPlaying() const { return clipPlaying_; }
    int clipFramesShown() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QString clipPath_;
    ClipPlayer* clip_;
    bool clipPlaying_ = false;
};

}  // namespace quorvel
