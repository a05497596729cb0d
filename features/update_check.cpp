#include "features/update_check.h"

#include <QDesktopServices>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <memory>

#include "features/dialog_service.h"
#include "features/update_choice_dialog.h"

namespace quorvel {

namespace {

constexpr int kVersionBytes = 6;

// A GET of the version file. Returns the status and the body, or nullopt
// when no answer came at all.
struct HttpAnswer {
    int status = 0;
    QByteArray body;
};

std::optional<HttpAnswer> fetch(const QUrl& url, int timeoutMs) {
    QNetworkAccessManager manager;
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("HTTPConnect"));
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    request.setTransferTimeout(timeoutMs);

    std::unique_ptr<QNetworkReply> reply(manager.get(request));
    QEventLoop loop;
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished()) loop.exec(QEventLoop::ExcludeUserInputEvents);

    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (!status.isValid()) return std::nullopt;
    return HttpAnswer{status.toInt(), reply->read(kVersionBytes)};
}

}  // namespace

std::optional<SiteVersion> parseSiteVersion(const QByteArray& body) {
    if (body.size() < kVersionBytes) return std::nullopt;
    const QByteArray digits = body.left(kVersionBytes);
    bool ok = false;
    const double number = digits.toDouble(&ok);
    // Anything that is not a number (a page of HTML, an error text) says
    // nothing about the version; taking it as 0 would wrongly tell the user
    // that they are up to date.
    if (!ok) return std::nullopt;
    return SiteVersion{number, QString::fromLatin1(digits.left(5)), QChar::fromLatin1(digits[5])};
}

UpdateCheck::UpdateCheck(DialogService& dialogs, QWidget* parent)
    : dialogs_(dialogs), parent_(parent), site_(QString::fromLatin1(kSiteAddress)) {
    openUrl_ = [](const QUrl& url) { QDesktopServices::openUrl(url); };
    choose_ = [this](const QString& message, const QString& site) {
        return UpdateChoiceDialog::ask(message, site, parent_);
    };
}

void UpdateCheck::checkForUpdate() {
    const QUrl url(site_ + QStringLiteral("/version.html"), QUrl::StrictMode);
    const bool http = url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https");
    if (!url.isValid() || !http || url.host().isEmpty()) {
        reportError(QStringLiteral("Connexion Impossible"));
        return;
    }
    const auto answer = fetch(url, timeoutMs_);
    if (!answer || answer->status != 200) {
        reportError(QStringLiteral("Impossible to connect !"));
        return;
    }
    const auto found = parseSiteVersion(answer->body);
    if (!found) {
        reportError(QStringLiteral("Impossible to connect !"));
        return;
    }
    if (found->number <= kRunningVersion) {
        dialogs_.message(infoCaption(), QStringLiteral("Vous avez la dernière version de Quorvel."),
                         BoxIcon::none);
        return;
    }
    offerUpdate(*found);
}

void UpdateCheck::offerUpdate(const SiteVersion& found) {
    const QString message = QStringLiteral("La version %1 (révision %2) de Quorvel est disponible.")
                                .arg(found.version, QString(found.revision));
    const auto choice = choose_(message, site_);
    if (choice == 1) openUrl_(QUrl(site_ + QStringLiteral("/maj.exe")));
    if (choice == 2) openUrl_(QUrl(site_ + QStringLiteral("/telechargement.html")));
}

void UpdateCheck::visitSite() {
    openUrl_(QUrl(site_));
}

void UpdateCheck::reportError(const QString& text) {
    dialogs_.message(siteErrorCaption(), text, BoxIcon::none);
}

}  // namespace quorvel
