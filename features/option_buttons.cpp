#include "features/option_buttons.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace quorvel {

OptionButtons makeOptionButtons(QWidget* dialog) {
    OptionButtons buttons{new QPushButton(QStringLiteral("OK"), dialog),
                          new QPushButton(QStringLiteral("Par défaut"), dialog),
                          new QPushButton(QStringLiteral("Annuler"), dialog), new QHBoxLayout};
    buttons.ok->setDefault(true);
    buttons.row->addStretch();
    buttons.row->addWidget(buttons.ok);
    buttons.row->addWidget(buttons.defaults);
    buttons.row->addWidget(buttons.cancel);
    return buttons;
}

}  // namespace quorvel
