#pragma once
// "&Mise à jour de Quorvel" and "&Visiter le site de Quorvel": ask the
// program's web site for the latest version number ("/version.html", first
// six bytes, e.g. "1.0510" for version 1.051 revision 0) and offer the
// update when it is newer than the running 1.0501.
//
// The wait for the answer is a local event loop: the window keeps painting.

#include <QPointer>
#include <QString>
#include <QUrl>
#include <QWidget>
#include <functional>
#include <optional>

namespace quorvel {

class DialogService;

// The program's one site address.
inline constexpr const char* kSiteAddress = "http://www.quorvel.fr";
// The running version, compared with the site's number.
inline constexpr double kRunningVersion = 1.0501;

// What the first six bytes of the version file say.
struct SiteVersion {
    double number = 0;  // the six characters read as a decimal number
    QString version;    // the first five characters
    QChar revision;     // the sixth character
};

// nullopt when the body is shorter than six bytes or does not begin with a
// number.
std::optional<SiteVersion> parseSiteVersion(const QByteArray& body);

class UpdateCheck {
public:
    // Opens an address in the user's browser.
    using UrlOpener = std::function<void(const QUrl&)>;
    // Offers the update: 1 (download), 2 (download page) or nullopt.
    using Chooser = std::function<std::optional<int>(const QString& message, const QString& siteAddress)>;

    explicit UpdateCheck(DialogService& dialogs, QWidget* parent = nullptr);

    void setSiteAddress(const QString& address) { site_ = address; }
    void setUrlOpener(UrlOpener opener) { openUrl_ = std::move(opener); }
    void setChooser(Chooser chooser) { choose_ = std::move(chooser); }
    void setTimeout(int ms) { timeoutMs_ = ms; }

    // "&Mise à jour de Quorvel".
    void checkForUpdate();
    // "&Visiter le site de Quorvel".
    void visitSite();

private:
    void offerUpdate(const SiteVersion& found);
    void reportError(const QString& text);

    DialogService& dialogs_;
    QPointer<QWidget> parent_;
    QString site_;
    UrlOpener openUrl_;
    Chooser choose_;
    int timeoutMs_ = 20000;
};

}  // namespace quorvel
