#include <QLocale>

#include "features/speaker.h"

#ifdef QUORVEL_HAVE_SPEECH
#include <QTextToSpeech>
#include <QVoice>
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
class SystemSpeaker : public Speaker {
public:
    SystemSpeaker() : engines_(QTextToSpeech::availableEngines()) {}

    bool available() const override { return !engines_.isEmpty() && !failed_; }
    QString unavailableReason() const override { return speechPackagesAdvice(); }
    void say(const QString& text, bool interrupt) override {
        QTextToSpeech* tts = engine();
        if (!tts) return;
        if (interrupt) tts->stop();
        tts->say(text);
    }
    void prepare() override { engine(); }

private:
    // Made on first use: reaching speech-dispatcher may start it.
    QTextToSpeech* engine() {
        if (tts_ || !available()) return tts_;
        tts_ = new QTextToSpeech(this);
        if (tts_->state() == QTextToSpeech::Error) {
            fail();
            return nullptr;
        }
        connect(tts_, &QTextToSpeech::errorOccurred, this, [this] { fail(); });
        const QLocale french(QLocale::French, QLocale::France);
        for (const QLocale& locale : tts_->availableLocales()) {
            if (locale.language() == QLocale::French) {
                tts_->setLocale(locale.territory() == QLocale::France ? locale : french);
                break;
            }
        }
        return tts_;
    }

    void fail() {
        if (failed_) return;
        failed_ = true;
        Q_EMIT availabilityChanged();
    }

    QStringList engines_;
    QTextToSpeech* tts_ = nullptr;
    bool failed_ = false;
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
