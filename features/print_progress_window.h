#pragma once
// "Impression en cours...": a small modal window that closes itself after
// two ticks of a one-second timer, so the user sees that printing starts.

#include <QDialog>
#include <QTimer>

namespace quorvel {

class PrintProgressWindow : public QDialog {
    Q_OBJECT
public:
    explicit PrintProgressWindow(QWidget* parent = nullptr, int tickMs = 1000);

    int ticks() const { return ticks_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void tick();

    QTimer timer_;
    int ticks_ = 0;
};

}  // namespace quorvel
