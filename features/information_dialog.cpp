#include "features/information_dialog.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quorvel {

InformationDialog::InformationDialog(const std::string& currentText, const std::string& initialText,
                                     QWidget* parent)
    : QDialog(parent), initialText_(initialText) {
    setWindowTitle(QStringLiteral("Quorvel : Informations supplémentaires"));
    report_ = new QPlainTextEdit(this);
    report_->setReadOnly(true);
    report_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    report_->setMinimumSize(640, 360);

    auto* group = new QGroupBox(QStringLiteral("Rechercher un noeud"), this);
    auto* grid = new QGridLayout(group);
    for (int k = 0; k < 8; ++k) {
        auto* field = new QLineEdit(group);
        field->setMaxLength(kFieldLength);
        field->setFixedWidth(70);
        fields_[static_cast<std::size_t>(k)] = field;
        const int row = k / 4;
        const int column = (k % 4) * 2;
        grid->addWidget(new QLabel(QStringLiteral("%1:").arg(k + 1), group), row, column, Qt::AlignRight);
        grid->addWidget(field, row, column + 1);
    }

    auto* search = new QPushButton(QStringLiteral("Rechercher"), this);
    auto* back = new QPushButton(QStringLiteral("<"), this);
    auto* exit = new QPushButton(QStringLiteral("Sortir"), this);
    search->setDefault(true);
    connect(search, &QPushButton::clicked, this, &InformationDialog::pressSearch);
    connect(back, &QPushButton::clicked, this, &InformationDialog::pressBack);
    connect(exit, &QPushButton::clicked, this, &InformationDialog::pressExit);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(group, 1);
    auto* column = new QVBoxLayout;
    column->addWidget(search);
    column->addWidget(back);
    column->addWidget(exit);
    buttons->addLayout(column);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(report_, 1);
    layout->addLayout(buttons);
    showText(currentText);
}

std::optional<ExplorerPath> InformationDialog::ask(const std::string& currentText,
                                                   const std::string& initialText, QWidget* parent,
                                                   ExplorerPath* fields) {
    InformationDialog dialog(currentText, initialText, parent);
    if (fields)
        for (int k = 0; k < 8; ++k)
            dialog.setField(k, QString::fromStdString((*fields)[static_cast<std::size_t>(k)]));
    dialog.exec();
    if (fields)
        for (int k = 0; k < 8; ++k) (*fields)[static_cast<std::size_t>(k)] = dialog.field(k).toStdString();
    return dialog.path();
}

void InformationDialog::setField(int k, const QString& text) {
    if (k < 0 || k >= 8) return;
    fields_[static_cast<std::size_t>(k)]->setText(text);
}

QString InformationDialog::field(int k) const {
    return k < 0 || k >= 8 ? QString() : fields_[static_cast<std::size_t>(k)]->text();
}

QString InformationDialog::shownText() const {
    return report_->toPlainText();
}

void InformationDialog::showText(const std::string& text) {
    // The reports end their lines with CR LF; the text field wants LF only.
    QString shown = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    report_->setPlainText(shown);
}

void InformationDialog::pressSearch() {
    ExplorerPath path;
    for (std::size_t k = 0; k < fields_.size(); ++k) {
        // Move texts are plain ASCII: anything else can match nothing, and
        // must not reach the engine as bytes of another encoding.
        std::string typed;
        for (const QChar c : fields_[k]->text().trimmed().left(kFieldLength))
            typed += c.unicode() < 128 ? static_cast<char>(c.unicode()) : '?';
        path[k] = typed;
    }
    if (!path[0].empty()) path_ = path;
    accept();
}

void InformationDialog::pressBack() {
    showText(initialText_);
}

}  // namespace quorvel
