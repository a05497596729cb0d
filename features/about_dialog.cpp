#include "features/about_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "features/clip_player.h"
#include "features/program_version.h"

namespace quorvel {

AboutDialog::AboutDialog(const QString& clipPath, QWidget* parent) : QDialog(parent), clipPath_(clipPath) {
    setWindowTitle(QStringLiteral("A propos de Quorvel"));
    clip_ = new ClipPlayer(this);
    clip_->setFixedSize(160, 120);

    auto* texts = new QVBoxLayout;
    texts->addWidget(new QLabel(programTitle(), this));
    texts->addWidget(new QLabel(QStringLiteral("Conçu et programmé par l'équipe Quorvel"), this));
    texts->addWidget(new QLabel(QStringLiteral("Version de décembre 2026"), this));
    texts->addStretch();
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    texts->addWidget(ok, 0, Qt::AlignRight);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(clip_, 0, Qt::AlignTop | Qt::AlignLeft);
    layout->addLayout(texts);
}

void AboutDialog::showAbout(const QString& clipPath, QWidget* parent) {
    AboutDialog dialog(clipPath, parent);
    dialog.exec();
}

int AboutDialog::clipFramesShown() const {
    return clip_->framesShown();
}

void AboutDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    clipPlaying_ = clip_->play(clipPath_);
}

}  // namespace quorvel
