// The update check against a small HTTP server on 127.0.0.1.

#include "features/update_check.h"

#include <gtest/gtest.h>

#include <QTcpServer>
#include <QTcpSocket>

#include "features/fake_dialog_service.h"

namespace quorvel {
namespace {

// Answers every request with one fixed status and body, and keeps the
// request lines it saw.
class TinyHttpServer {
public:
    TinyHttpServer(int status, QByteArray body) : status_(status), body_(std::move(body)) {
        server_.listen(QHostAddress::LocalHost);
        QObject::connect(&server_, &QTcpServer::newConnection, [this] { accept(); });
    }
    QString address() const { return QStringLiteral("http://127.0.0.1:%1").arg(server_.serverPort()); }
    QStringList requests;

private:
    void accept() {
        while (QTcpSocket* socket = server_.nextPendingConnection()) {
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                received_ += socket->readAll();
                if (!received_.contains("\r\n\r\n")) return;
                requests << QString::fromLatin1(received_.left(received_.indexOf("\r\n")));
                received_.clear();
                const QByteArray reason = status_ == 200 ? "OK" : "Not Found";
                socket->write("HTTP/1.1 " + QByteArray::number(status_) + " " + reason +
                              "\r\nContent-Type: text/html\r\nConnection: close\r\nContent-Length: " +
                              QByteArray::number(body_.size()) + "\r\n\r\n" + body_);
                socket->disconnectFromHost();
            });
        }
    }

    QTcpServer server_;
    int status_;
    QByteArray body_;
    QByteArray received_;
};

class UpdateCheckTest : public ::testing::Test {
protected:
    void run(const QString& site) {
        UpdateCheck check(boxes_);
        check.setSiteAddress(site);
        // The server answers at once from this thread's own event loop; the
        // time-out only has to be longer than a busy machine's delays.
        check.setTimeout(30000);
        check.setUrlOpener([this](const QUrl& url) { opened_ << url.toString(); });
        check.setChooser([this](const QString& message, const QString& address) {
            offers_ << message;
            EXPECT_EQ(address, site_);
            return choice_;
        });
        site_ = site;
        check.checkForUpdate();
    }
    void expectOnlyBox(const QString& caption, const QString& text) {
        ASSERT_EQ(boxes_.boxes.size(), 1u);
        EXPECT_EQ(boxes_.boxes[0].caption, caption);
        EXPECT_EQ(boxes_.boxes[0].text, text);
        EXPECT_EQ(boxes_.boxes[0].icon, BoxIcon::none);
        EXPECT_TRUE(offers_.isEmpty());
        EXPECT_TRUE(opened_.isEmpty());
    }

    FakeDialogService boxes_;
    QStringList offers_;
    QStringList opened_;
    std::optional<int> choice_;
    QString site_;
};

TEST_F(UpdateCheckTest, SameOrOlderVersionIsTheLatest) {
    for (const char* body : {"1.0500", "1.0501"}) {
        boxes_.boxes.clear();
        TinyHttpServer server(200, body);
        run(server.address());
        expectOnlyBox("Quorvel 1.0", QString::fromUtf8("Vous avez la dernière version de Quorvel."));
        ASSERT_EQ(server.requests.size(), 1);
        EXPECT_EQ(server.requests[0], "GET /version.html HTTP/1.1");
    }
}

TEST_F(UpdateCheckTest, NewerVersionOffersTheDownloadAndOpensTheChosenAddress) {
    TinyHttpServer server(200, "1.0510 plus du texte ignore");
    choice_ = 1;
    run(server.address());
    EXPECT_TRUE(boxes_.boxes.empty());
    ASSERT_EQ(offers_.size(), 1);
    EXPECT_EQ(offers_[0], QString::fromUtf8("La version 1.051 (révision 0) de Quorvel est disponible."));
    EXPECT_EQ(opened_, QStringList{server.address() + "/maj.exe"});

    opened_.clear();
    choice_ = 2;
    run(server.address());
    EXPECT_EQ(opened_, QStringList{server.address() + "/telechargement.html"});

    opened_.clear();
    choice_ = std::nullopt;
    run(server.address());
    EXPECT_TRUE(opened_.isEmpty());
}

TEST_F(UpdateCheckTest, NotFoundCannotConnect) {
    TinyHttpServer server(404, "1.0600 page absente");
    run(server.address());
    expectOnlyBox("Erreur Quorvel", "Impossible to connect !");
}

TEST_F(UpdateCheckTest, ShortBodyCannotConnect) {
    TinyHttpServer server(200, "1.0");
    run(server.address());
    expectOnlyBox("Erreur Quorvel", "Impossible to connect !");
}

TEST_F(UpdateCheckTest, BodyThatIsNotANumberIsNotTakenAsUpToDate) {
    TinyHttpServer server(200, "<html><body>maintenance</body></html>");
    run(server.address());
    expectOnlyBox("Erreur Quorvel", "Impossible to connect !");
}

TEST_F(UpdateCheckTest, ClosedPortCannotConnect) {
    quint16 port = 0;
    {
        QTcpServer probe;
        ASSERT_TRUE(probe.listen(QHostAddress::LocalHost));
        port = probe.serverPort();
    }
    run(QStringLiteral("http://127.0.0.1:%1").arg(port));
    expectOnlyBox("Erreur Quorvel", "Impossible to connect !");
}

TEST_F(UpdateCheckTest, AddressThatCannotBeSplitIsReported) {
    for (const char* site : {"", "pas une adresse", "ftp://www.quorvel.fr"}) {
        boxes_.boxes.clear();
        run(QString::fromLatin1(site));
        expectOnlyBox("Erreur Quorvel", "Connexion Impossible");
    }
}

TEST(UpdateCheck, VisitingTheSiteOpensItsHomePage) {
    FakeDialogService boxes;
    UpdateCheck check(boxes);
    QStringList opened;
    check.setUrlOpener([&](const QUrl& url) { opened << url.toString(); });
    check.visitSite();
    EXPECT_EQ(opened, QStringList{QString::fromLatin1(kSiteAddress)});
}

}  // namespace
}  // namespace quorvel
