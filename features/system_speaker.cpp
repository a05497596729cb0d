#include <QLocale>

#include "features/speaker.h"

#ifdef QUORVEL_HAVE_SPEECH
#include <QTextToSpeech>
#include <QThread>
#endif

namespace quorvel {

QString speechPackagesAdvice() {
    return QStringLiteral(
        "Aucune synthèse vocale ne répond : installez les paquets qt6-speech-speechd-plugin et "
        "speech-dispatcher-espeak-ng pour entendre les coups.");
}

namespace {

class SilentSpeaker : public Speaker {
public:
    bool available() const override { return false; }
    QString unavailableReason() const override { return speechPackagesAdvice(); }
    void say(const QString&, bool) override {}
};

#ifdef QUORVEL_HAVE_SPEECH
// The engine, on the voice's own thread: speech-dispatcher answers each
// request before the next may go, and one that can't reach a sound device
// may never answer. The window must not wait for it, neither while it
// plays nor when it quits.
class Voice : public QObject {
    Q_OBJECT
public:
    void say(const QString& text, bool interrupt) {
        if (!engine()) return;
        if (interrupt) tts_->stop();
        tts_->say(text);
    }
    void prepare() { engine(); }

Q_SIGNALS:
    void failed();

private:
    QTextToSpeech* engine() {
        if (tts_ || broken_) return tts_;
        tts_ = new QTextToSpeech(this);
        if (tts_->state() == QTextToSpeech::Error) {
            broken_ = true;
            tts_ = nullptr;
            Q_EMIT failed();
            return nullptr;
        }
        connect(tts_, &QTextToSpeech::errorOccurred, this, &Voice::failed);
        for (const QLocale& locale : tts_->availableLocales()) {
            if (locale.language() == QLocale::French) {
                tts_->setLocale(locale);
                if (locale.territory() == QLocale::France) break;
            }
        }
        return tts_;
    }

    QTextToSpeech* tts_ = nullptr;
    bool broken_ = false;
};

class SystemSpeaker : public Speaker {
public:
    SystemSpeaker() : engines_(QTextToSpeech::availableEngines()) {}
    ~SystemSpeaker() override {
        if (!thread_) return;
        thread_->quit();
        // A voice stuck in speech-dispatcher is left to the end of the
        // process rather than waited for.
        if (thread_->wait(kGoodbyeMs)) delete thread_;
    }

    bool available() const override { return !engines_.isEmpty() && !failed_; }
    QString unavailableReason() const override { return speechPackagesAdvice(); }
    void say(const QString& text, bool interrupt) override {
        if (Voice* v = voice())
            QMetaObject::invokeMethod(
                v, [v, text, interrupt] { v->say(text, interrupt); }, Qt::QueuedConnection);
    }
    void prepare() override {
        if (Voice* v = voice())
            QMetaObject::invokeMethod(
                v, [v] { v->prepare(); }, Qt::QueuedConnection);
    }

private:
    static constexpr unsigned long kGoodbyeMs = 1000;

    // Made on first use: reaching speech-dispatcher may start it.
    Voice* voice() {
        if (!available()) return nullptr;
        if (!thread_) {
            thread_ = new QThread;
            thread_->setObjectName(QStringLiteral("voice"));
            voice_ = new Voice;
            voice_->moveToThread(thread_);
            connect(thread_, &QThread::finished, voice_, &QObject::deleteLater);
            connect(
                voice_, &Voice::failed, this, [this] { fail(); }, Qt::QueuedConnection);
            thread_->start();
        }
        return voice_;
    }

    void fail() {
        if (failed_) return;
        failed_ = true;
        Q_EMIT availabilityChanged();
    }

    QStringList engines_;
    QThread* thread_ = nullptr;  // owned, unless the voice never says goodbye
    Voice* voice_ = nullptr;     // lives on thread_
    bool failed_ = false;        // read and written on the window's thread
};
#endif

}  // namespace

std::unique_ptr<Speaker> makeSilentSpeaker() {
    return std::make_unique<SilentSpeaker>();
}

std::unique_ptr<Speaker> makeSystemSpeaker() {
#ifdef QUORVEL_HAVE_SPEECH
    return std::make_unique<SystemSpeaker>();
#else
    return makeSilentSpeaker();
#endif
}

}  // namespace quorvel

#ifdef QUORVEL_HAVE_SPEECH
#include "system_speaker.moc"
#endif
