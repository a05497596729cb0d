#pragma once
// The window shown at start-up, before the main window: the title, the
// version line and the intro clip. It closes itself after 30 ticks of a
// 100 ms timer (three seconds).

#include <QDialog>
#include <QTimer>

namespace quorvel {

class ClipPlayer;

class SplashWindow : public QDialog {
    Q_OBJECT
public:
    static constexpr int kTicks = 30;

    // `clipPath`: "intro.avi".
    explicit SplashWindow(const QString& clipPath, QWidget* parent = nullptr);

    // Shows the splash modally until it has closed itself.
    static void showAtStartup(const QString& clipPath);

    int ticks() const { return ticks_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void tick();

    QString clipPath_;
    ClipPlayer* clip_;
    QTimer timer_;
    int ticks_ = 0;
    bool started_ = false;
};

}  // namespace quorvel
