#pragma once
// The window's two timers: the one-second clock tick and the 100 ms tick
// that paces short waits. Both start and stop together.

#include <QObject>
#include <QTimer>

namespace quorvel {

class GameTimers : public QObject {
    Q_OBJECT
public:
    explicit GameTimers(QObject* parent = nullptr);

    // Starting running timers restarts their periods.
    void start();
    void stop();
    bool running() const { return second_.isActive(); }

    // Tests shorten the periods; the program keeps 1000 and 100 ms.
    void setIntervals(int secondMs, int tenthMs);
    int tenthInterval() const { return tenthMs_; }

Q_SIGNALS:
    void secondElapsed();
    void tenthElapsed();

private:
    QTimer second_;
    QTimer tenth_;
    int tenthMs_ = 100;
};

}  // namespace quorvel
