#include "window/window_layout.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <algorithm>

#include "resources/artwork.h"
#include "window/dialog_units.h"
#include "window/up_down_control.h"

namespace quorvel {

namespace {

QLineEdit* field(QWidget* parent, const DialogUnits& u, int x, int y, int w, int h) {
    auto* edit = new QLineEdit(parent);
    edit->setReadOnly(true);
    edit->setAlignment(Qt::AlignCenter);
    edit->setFocusPolicy(Qt::NoFocus);
    edit->setTextMargins(0, 0, 0, 0);
    // The fields are only a few units high: keep the frame, drop the padding.
    edit->setStyleSheet(QStringLiteral("QLineEdit { padding: 0px; }"));
    edit->setGeometry(u.rect(x, y, w, h));
    return edit;
}

QLabel* label(QWidget* parent, const DialogUnits& u, const char* text, int x, int y, int w = 0, int h = 8,
              Qt::Alignment align = Qt::AlignLeft) {
    auto* l = new QLabel(QString::fromUtf8(text), parent);
    l->setAlignment(align | Qt::AlignVCenter);
    l->adjustSize();
    QRect box = w == 0 ? QRect(QPoint(u.x(x), u.y(y)), l->size()) : u.rect(x, y, w, h);
    // A text wider than its box grows away from the control it labels.
    const int need = l->sizeHint().width();
    if (need > box.width()) {
        if (align & Qt::AlignRight)
            box.setLeft(box.right() - need + 1);
        else
            box.setWidth(need);
    }
    box.setHeight(std::max(box.height(), l->sizeHint().height()));
    l->setGeometry(box);
    return l;
}

QGroupBox* group(QWidget* parent, const DialogUnits& u, const char* title, int x, int y, int w, int h) {
    auto* box = new QGroupBox(QString::fromUtf8(title), parent);
    box->setGeometry(u.rect(x, y, w, h));
    box->lower();
    return box;
}

void shrinkFont(QWidget* widget, int points) {
    QFont font = widget->font();
    font.setPointSize(std::max(6, font.pointSize() - points));
    widget->setFont(font);
}

QPushButton* button(QWidget* parent, const DialogUnits& u, const char* text, int x, int y, int w, int h) {
    auto* b = new QPushButton(QString::fromUtf8(text), parent);
    b->setGeometry(u.rect(x, y, w, h));
    b->setAutoDefault(false);
    return b;
}

}  // namespace

void WindowLayout::build(QWidget* client, const DialogUnits& u) {
    client->setFixedSize(u.x(kWidthUnits), u.y(kHeightUnits));

    quit = button(client, u, "&Quitter", 42, 245, 42, 14);
    about = button(client, u, "A &Propos", 97, 245, 42, 14);
    help = button(client, u, "&Aide", 152, 245, 42, 14);
    stop = button(client, u, "Interrompre\nla recherche", 243, 236, 57, 19);
    takeBack = button(client, u, "Annuler le dernier\nmouvement", 320, 236, 57, 19);
    shrinkFont(takeBack, 1);

    logo = new QLabel(client);
    logo->setPixmap(art::titleLogo());
    logo->setScaledContents(true);
    logo->setGeometry(u.rect(246, 3, 118, 18));

    group(client, u, "Mouvements", 238, 29, 103, 91);
    label(client, u, "n°", 246, 41);
    label(client, u, "Blancs", 264, 41);
    label(client, u, "Noirs", 301, 41);
    for (int row = 0; row < 5; ++row) {
        const int y = 52 + 12 * row;
        moveNumbers[static_cast<std::size_t>(row)] = field(client, u, 243, y, 12, 12);
        moveCells[static_cast<std::size_t>(2 * row)] = field(client, u, 259, y, 32, 12);
        moveCells[static_cast<std::size_t>(2 * row + 1)] = field(client, u, 294, y, 32, 12);
    }
    // A last move with its marks reads ">e7-e8+<": two points less keep it whole.
    for (QLineEdit* cell : moveCells) shrinkFont(cell, 2);
    listScroll = new UpDownControl(Qt::Vertical, client);
    listScroll->setGeometry(u.rect(328, 73, 8, 18));

    QGroupBox* clocks = group(client, u, "Horloges", 345, 29, 36, 91);
    clocks->setAlignment(Qt::AlignHCenter);
    label(client, u, "Blancs  ", 351, 50);
    label(client, u, "Noirs", 353, 79);
    // Clock texts are eight characters: the fields take the group's width
    // and a point less, so "00:00:00" is never cut.
    whiteClock = field(client, u, 347, 58, 32, 12);
    blackClock = field(client, u, 347, 87, 32, 12);
    for (QLineEdit* clock : {whiteClock, blackClock}) shrinkFont(clock, 1);

    group(client, u, "Recherche", 238, 127, 143, 105);
    label(client, u, "Note Noirs :", 244, 140, 36, 8, Qt::AlignRight);
    score = field(client, u, 282, 138, 25, 12);
    label(client, u, "Noeud :", 319, 140, 24, 8);
    nodes = field(client, u, 344, 138, 30, 12);
    label(client, u, "Profondeur :", 244, 158, 37, 8, Qt::AlignRight);
    depth = field(client, u, 282, 157, 25, 12);
    label(client, u, "Mem :", 324, 158, 19, 8);
    memory = field(client, u, 344, 157, 30, 12);
    // Node counts reach eight digits within seconds.
    shrinkFont(nodes, 1);
    label(client, u, "Meilleure solution trouvée :", 244, 174, 85, 8);
    status = new QPlainTextEdit(client);
    status->setReadOnly(true);
    status->setFocusPolicy(Qt::NoFocus);
    status->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    status->setGeometry(u.rect(244, 183, 131, 44));

    history = new UpDownControl(Qt::Horizontal, client);
    history->setGeometry(u.rect(15, 2, 22, 10));
}

QString WindowLayout::statusText() const {
    return status ? status->toPlainText() : QString();
}

}  // namespace quorvel
