#include "features/engine_options_dialog.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "features/integer_field.h"
#include "features/option_buttons.h"

namespace quorvel {

namespace {

constexpr std::size_t index(EngineOptionsDialog::Number n) {
    return static_cast<std::size_t>(n);
}

}  // namespace

EngineOptionsDialog::EngineOptionsDialog(const EngineOptions& options, DialogService& dialogs,
                                         QWidget* parent)
    : QDialog(parent), model_(options), dialogs_(dialogs) {
    setWindowTitle(QStringLiteral("Options du moteur de recherche..."));

    auto* flags = new QGroupBox(QStringLiteral("Options"), this);
    auto* flagLayout = new QVBoxLayout(flags);
    const std::array<QString, 3> flagLabels = {QStringLiteral("Affichages supplémentaires"),
                                               QStringLiteral("Réduction de l'effet d'horizon"),
                                               QStringLiteral("Tri optimisant la méthode alpha/beta")};
    for (std::size_t k = 0; k < flagLabels.size(); ++k) {
        checkBoxes_[k] = new QCheckBox(flagLabels[k], flags);
        flagLayout->addWidget(checkBoxes_[k]);
        const auto flag = static_cast<Flag>(k);
        connect(checkBoxes_[k], &QCheckBox::clicked, this, [this, flag] { clickCheckBox(flag); });
    }

    auto* data = new QGroupBox(QStringLiteral("Données numériques"), this);
    auto* form = new QFormLayout(data);
    const std::array<QString, 4> numberLabels = {QStringLiteral("Tolérance de la méthode alpha/beta"),
                                                 QStringLiteral("Nb minimum de fils par noeud"),
                                                 QStringLiteral("Profondeur maxi de l'arbre principal"),
                                                 QStringLiteral("Profondeur maxi de l'arbre secondaire")};
    const std::array<ValueRange, 4> ranges = {kToleranceRange, kMinSonsRange, kMainDepthRange,
                                              kSecondaryDepthRange};
    for (std::size_t k = 0; k < numberLabels.size(); ++k) {
        numbers_[k] = {new QLineEdit(data), ranges[k].low, ranges[k].high};
        form->addRow(numberLabels[k], numbers_[k].edit);
    }

    const OptionButtons buttons = makeOptionButtons(this);
    connect(buttons.ok, &QPushButton::clicked, this, &EngineOptionsDialog::pressOk);
    connect(buttons.defaults, &QPushButton::clicked, this, &EngineOptionsDialog::pressDefaults);
    connect(buttons.cancel, &QPushButton::clicked, this, &EngineOptionsDialog::pressCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(flags);
    layout->addWidget(data);
    layout->addLayout(buttons.row);
    showModel();
}

EngineOptions EngineOptionsDialog::edit(const EngineOptions& options, DialogService& dialogs, QWidget* parent,
                                        const QString& otherEngine) {
    EngineOptionsDialog dialog(options, dialogs, parent);
    if (!otherEngine.isEmpty()) dialog.showOtherEngine(otherEngine);
    dialog.exec();
    return dialog.model();
}

void EngineOptionsDialog::showOtherEngine(const QString& engineName) {
    QCheckBox* box = checkBox(Flag::extraDisplays);
    box->setEnabled(false);
    auto* said = new QLabel(QStringLiteral("Les affichages supplémentaires et l'exploration de l'arbre sont ceux "
                                           "du moteur intégré : %1, qui joue maintenant, ne les donne pas.")
                                .arg(engineName),
                            box->parentWidget());
    said->setWordWrap(true);
    box->parentWidget()->layout()->addWidget(said);
}

void EngineOptionsDialog::setNumberText(Number field, const QString& text) {
    numbers_[index(field)].edit->setText(text);
}

QString EngineOptionsDialog::numberText(Number field) const {
    return numbers_[index(field)].edit->text();
}

bool EngineOptionsDialog::isChecked(Flag flag) const {
    return checkBox(flag)->isChecked();
}

bool& EngineOptionsDialog::modelFlag(Flag flag) {
    switch (flag) {
        case Flag::horizonReduction:
            return model_.horizonReduction;
        case Flag::alphaBetaSorting:
            return model_.alphaBetaSorting;
        case Flag::extraDisplays:
            break;
    }
    return model_.extraDisplays;
}

// The controls always show the model: typed numbers not yet taken in are
// replaced, as the user was told by a refusal message.
void EngineOptionsDialog::showModel() {
    checkBox(Flag::extraDisplays)->setChecked(model_.extraDisplays);
    checkBox(Flag::horizonReduction)->setChecked(model_.horizonReduction);
    checkBox(Flag::alphaBetaSorting)->setChecked(model_.alphaBetaSorting);
    working_.values = {model_.alphaBetaTolerance, model_.minSons, model_.maxDepthMain,
                       model_.maxDepthSecondary};
    for (std::size_t k = 0; k < numbers_.size(); ++k)
        numbers_[k].edit->setText(QString::number(working_.values[k]));
}

// Reads the edits in order into the working values; stops at the first
// refused one, which gets the focus.
bool EngineOptionsDialog::readNumbers() {
    for (std::size_t k = 0; k < numbers_.size(); ++k) {
        const NumberField& field = numbers_[k];
        const auto value = readIntegerField(field.edit->text(), field.low, field.high, dialogs_);
        if (!value) {
            field.edit->setFocus();
            field.edit->selectAll();
            return false;
        }
        working_.values[k] = *value;
    }
    return true;
}

void EngineOptionsDialog::copyNumbersToModel() {
    model_.alphaBetaTolerance = working_.values[index(Number::alphaBetaTolerance)];
    model_.minSons = working_.values[index(Number::minSons)];
    model_.maxDepthMain = static_cast<std::int8_t>(working_.values[index(Number::maxDepthMain)]);
    model_.maxDepthSecondary = static_cast<std::int8_t>(working_.values[index(Number::maxDepthSecondary)]);
}

void EngineOptionsDialog::clickCheckBox(Flag flag) {
    bool& value = modelFlag(flag);
    value = !value;
    readNumbers();
    copyNumbersToModel();
    showModel();
}

bool EngineOptionsDialog::pressOk() {
    const bool valid = readNumbers();
    copyNumbersToModel();
    if (!valid) return false;
    accept();
    return true;
}

bool EngineOptionsDialog::pressDefaults() {
    model_ = EngineOptions{};
    if (!readNumbers()) {
        showModel();
        return false;
    }
    accept();
    return true;
}

}  // namespace quorvel
