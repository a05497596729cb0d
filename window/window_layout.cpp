#include "window/window_layout.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <algorithm>
#include <memory>

#include "resources/artwork.h"
#include "window/dialog_units.h"
#include "window/move_field.h"
#include "window/panel_texts.h"
#include "window/up_down_control.h"

namespace quorvel {

namespace {

constexpr int kMoveFieldRow = 245;  // under the board, where the buttons were
constexpr int kButtonRow = 263;

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
    QRect box = w == 0 ? QRect(QPoint(u.x(x), u.y(y)), QSize(l->width(), u.y(h))) : u.rect(x, y, w, h);
    // A text wider than its box grows away from the control it labels.
    const int need = l->sizeHint().width();
    if (need > box.width()) {
        if (align & Qt::AlignRight)
            box.setLeft(box.right() - need + 1);
        else
            box.setWidth(need);
    }
    // A taller text grows about its centre line, the odd pixel upwards, so
    // a label over a field keeps off it.
    const int taller = l->sizeHint().height() - box.height();
    if (taller > 0) box.adjust(0, -(taller + 1) / 2, 0, taller / 2);
    l->setGeometry(box);
    return l;
}

QGroupBox* group(QWidget* parent, const DialogUnits& u, const char* title, int x, int y, int w, int h) {
    auto* box = new QGroupBox(QString::fromUtf8(title), parent);
    box->setGeometry(u.rect(x, y, w, h));
    box->lower();
    return box;
}

// The width a field needs to show `text` whole: the text, the style's frame,
// the margin the line edit keeps on each side of its text, and a little air.
int widthToShow(const QLineEdit* edit, const QString& text) {
    constexpr int kLineEditMargin = 2;
    constexpr int kBreathingRoom = 2;  // so the widest text does not touch the frame
    const int frame = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, edit);
    return edit->fontMetrics().horizontalAdvance(text) + 2 * (frame + kLineEditMargin + kBreathingRoom);
}

// The width a field needs to show the widest of `texts` whole.
int widthToShowAll(const QLineEdit* edit, const QStringList& texts) {
    int width = 0;
    for (const QString& text : texts) width = std::max(width, widthToShow(edit, text));
    return width;
}

// A label right-aligned just before the field it names.
void placeBefore(QLabel* label, const QWidget* field, const DialogUnits& u) {
    const int width = label->sizeHint().width();
    label->setGeometry(field->x() - u.x(1) - width, label->y(), width, label->height());
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

// How many units each move cell grows beyond its 32 so that the longest
// marked move shows whole in the cells' font.
int WindowLayout::moveCellGrowth(QWidget* client, const DialogUnits& u) {
    const std::unique_ptr<QLineEdit> probe(field(client, u, 0, 0, 32, 12));
    shrinkFont(probe.get(), kMoveCellFontDrop);
    const int need = widthToShowAll(probe.get(), longestMoveCellTexts());
    int growth = 0;
    while (u.x(32 + growth) < need) ++growth;
    return growth;
}

void WindowLayout::build(QWidget* client, const DialogUnits& u) {
    // The move cells widen the panel right of the white moves' column: the
    // black moves, the clocks and the right half of the search figures move
    // by g (one cell's growth) or 2g.
    const int g = moveCellGrowth(client, u);
    widthUnits = kWidthUnits + 2 * g;
    baseClientSize_ = QSize(u.x(widthUnits), u.y(kHeightUnits));
    client->setMinimumSize(baseClientSize_);
    client->resize(baseClientSize_);

    moveLabel = new QLabel(QStringLiteral("Coup :"), client);
    moveField = new MoveField(client);
    placeMoveField(u);
    quit = button(client, u, "&Quitter", 42, kButtonRow, 42, 14);
    about = button(client, u, "A &Propos", 97, kButtonRow, 42, 14);
    help = button(client, u, "&Aide", 152, kButtonRow, 42, 14);
    stop = button(client, u, "Interrompre\nla recherche", 243, 236, 57, 19);
    takeBack = button(client, u, "Annuler le dernier\nmouvement", 320 + 2 * g, 236, 57, 19);
    shrinkFont(takeBack, 1);

    logo = new QLabel(client);
    logo->setGeometry(u.rect(246 + g, 3, 118, 18));
    drawLogo(client->devicePixelRatioF());

    group(client, u, "Mouvements", 238, 29, 103 + 2 * g, 91);
    label(client, u, "n°", 246, 41);
    label(client, u, "Blancs", 264 + g / 2, 41);
    label(client, u, "Noirs", 301 + g + g / 2, 41);
    for (int row = 0; row < 5; ++row) {
        const int y = 52 + 12 * row;
        moveNumbers[static_cast<std::size_t>(row)] = field(client, u, 243, y, 12, 12);
        moveCells[static_cast<std::size_t>(2 * row)] = field(client, u, 259, y, 32 + g, 12);
        moveCells[static_cast<std::size_t>(2 * row + 1)] = field(client, u, 294 + g, y, 32 + g, 12);
    }
    for (QLineEdit* cell : moveCells) shrinkFont(cell, kMoveCellFontDrop);
    sizeMoveNumbers(u);
    listScroll = new UpDownControl(Qt::Vertical, client);
    listScroll->setGeometry(u.rect(328 + 2 * g, 73, 8, 18));

    QGroupBox* clocks = group(client, u, "Horloges", 345 + 2 * g, 29, 36, 91);
    clocks->setAlignment(Qt::AlignHCenter);
    label(client, u, "Blancs  ", 351 + 2 * g, 50);
    label(client, u, "Noirs", 353 + 2 * g, 79);
    // Clock texts are eight characters: the fields take the group's width
    // and a point less, so "00:00:00" is never cut.
    whiteClock = field(client, u, 347 + 2 * g, 58, 32, 12);
    blackClock = field(client, u, 347 + 2 * g, 87, 32, 12);
    for (QLineEdit* clock : {whiteClock, blackClock}) shrinkFont(clock, 1);

    searchGroup = group(client, u, "Recherche", 238, 127, 143 + 2 * g, 105);
    label(client, u, "Note Noirs :", 244, 140, 36, 8, Qt::AlignRight);
    score = field(client, u, 282, 138, 25, 12);
    QLabel* nodesLabel = label(client, u, "Noeud :", 319, 140, 24, 8);
    nodes = field(client, u, 344, 138, 30, 12);
    label(client, u, "Profondeur :", 244, 158, 37, 8, Qt::AlignRight);
    depth = field(client, u, 282, 157, 25, 12);
    QLabel* memoryLabel = label(client, u, "Mem :", 324, 158, 19, 8);
    memory = field(client, u, 344, 157, 30, 12);
    sizeSearchFields(u, 379 + 2 * g);
    placeBefore(nodesLabel, nodes, u);
    placeBefore(memoryLabel, memory, u);
    label(client, u, "Meilleure solution trouvée :", 244, 174, 85, 8);
    status = new QPlainTextEdit(client);
    status->setReadOnly(true);
    status->setFocusPolicy(Qt::NoFocus);
    status->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    status->setGeometry(u.rect(244, 183, 131 + 2 * g, 44));

    history = new UpDownControl(Qt::Horizontal, client);
    history->setGeometry(u.rect(15, 2, 22, 10));
    nameControls();
    recordPlaces(client);
}

void WindowLayout::placeMoveField(const DialogUnits& u) {
    // On the row the buttons had, which now lie below it: the field spans
    // the three buttons' width, its label right before it.
    const QRect row = u.rect(42, kMoveFieldRow, 152, 14);
    const int labelWidth = moveLabel->sizeHint().width();
    moveLabel->setGeometry(row.left(), row.top(), labelWidth, row.height());
    moveLabel->setBuddy(moveField);
    const int fieldLeft = row.left() + labelWidth + u.x(3);
    moveField->setGeometry(fieldLeft, row.top() + u.y(1), row.right() + 1 - fieldLeft, row.height() - u.y(2));
}

void WindowLayout::nameControls() {
    moveField->setAccessibleName(QStringLiteral("Coup"));
    moveField->setAccessibleDescription(
        QStringLiteral("Tapez un coup et Entrée : e4, Cf3, exd5, O-O, e8=D ou g1f3. Ctrl+L y revient."));
    moveField->setToolTip(
        QStringLiteral("Tapez un coup et Entrée : e4, Cf3, exd5, O-O, e8=D ou g1f3 (Ctrl+L)"));
    whiteClock->setAccessibleName(QStringLiteral("Horloge des Blancs"));
    blackClock->setAccessibleName(QStringLiteral("Horloge des Noirs"));
    score->setAccessibleName(QStringLiteral("Note Noirs"));
    nodes->setAccessibleName(QStringLiteral("Noeud"));
    depth->setAccessibleName(QStringLiteral("Profondeur"));
    memory->setAccessibleName(QStringLiteral("Mem"));
    status->setAccessibleName(QStringLiteral("Meilleure solution trouvée"));
    status->setAccessibleDescription(QStringLiteral("La ligne d'état et les rapports de la recherche"));
    stop->setAccessibleName(QStringLiteral("Interrompre la recherche"));
    takeBack->setAccessibleName(QStringLiteral("Annuler le dernier mouvement"));
    logo->setAccessibleName(QStringLiteral("Quorvel"));
    history->setAccessibleName(QStringLiteral("Revoir les mouvements de la partie"));
    history->nameArrows(QStringLiteral("Position précédente"), QStringLiteral("Position suivante"));
    listScroll->setAccessibleName(QStringLiteral("Défilement de la liste des mouvements"));
    listScroll->nameArrows(QStringLiteral("Mouvements précédents"), QStringLiteral("Mouvements suivants"));
    for (std::size_t row = 0; row < moveNumbers.size(); ++row)
        moveNumbers[row]->setAccessibleName(QStringLiteral("Numéro du coup, ligne %1").arg(row + 1));
    // The move cells are named after their moves by the panel's refresh.
}

void WindowLayout::recordPlaces(QWidget* client) {
    places_.clear();
    for (QWidget* widget : client->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        Anchor anchor = Anchor::panel;
        if (widget == quit || widget == about || widget == help || widget == moveLabel || widget == moveField)
            anchor = Anchor::underBoard;
        else if (widget == stop || widget == takeBack)
            anchor = Anchor::panelBottom;
        else if (widget == status || widget == searchGroup)
            anchor = Anchor::panelGrowingDown;
        else if (widget == history)
            anchor = Anchor::toolbar;
        places_.push_back({widget, widget->geometry(), anchor});
    }
}

void WindowLayout::stretch(QSize growth, QPointF toolbarShift) {
    const int dw = std::max(0, growth.width());
    const int dh = std::max(0, growth.height());
    for (const Placed& placed : places_) {
        QRect at = placed.base;
        switch (placed.anchor) {
            case Anchor::panel:
                at.translate(dw, 0);
                break;
            case Anchor::panelGrowingDown:
                at.translate(dw, 0);
                at.setHeight(at.height() + dh);
                break;
            case Anchor::panelBottom:
                at.translate(dw, dh);
                break;
            case Anchor::underBoard:
                at.translate(dw / 2, dh);
                break;
            case Anchor::toolbar:
                at.translate(toolbarShift.toPoint());
                break;
        }
        placed.widget->setGeometry(at);
    }
}

// The move numbers reach 150 at the record's 300 half-moves: in the cells'
// smaller font, and grown leftwards into the group's margin when the font
// still needs more room, so the column keeps its gap to the white moves.
void WindowLayout::sizeMoveNumbers(const DialogUnits& u) {
    for (QLineEdit* number : moveNumbers) {
        shrinkFont(number, kMoveCellFontDrop);
        const int need = widthToShow(number, QStringLiteral("150"));
        const int grow = std::min(need - number->width(), number->x() - u.x(240));
        if (grow > 0)
            number->setGeometry(number->x() - grow, number->y(), number->width() + grow, number->height());
    }
}

// Two columns of figures: the score and the depth from their labels on,
// the nodes and the memory against the group's right edge, each column as
// wide as its longest text needs.
void WindowLayout::sizeSearchFields(const DialogUnits& u, int rightEdgeUnits) {
    const int leftWidth =
        std::max({u.x(25), widthToShow(score, longestScoreText()), widthToShow(depth, longestDepthText())});
    for (QLineEdit* edit : {score, depth}) edit->resize(leftWidth, edit->height());
    const int rightWidth =
        std::max({u.x(30), widthToShow(nodes, longestNodesText()), widthToShow(memory, longestMemoryText())});
    const int rightEdge = u.x(rightEdgeUnits);
    for (QLineEdit* edit : {nodes, memory})
        edit->setGeometry(rightEdge - rightWidth, edit->y(), rightWidth, edit->height());
}

void WindowLayout::drawLogo(qreal scale) {
    logo->setPixmap(art::titleLogo(logo->size(), scale));
}

QString WindowLayout::statusText() const {
    // As it reads: without the invisible joiners that keep moves whole.
    return status ? status->toPlainText().remove(QChar(0x2060)) : QString();
}

}  // namespace quorvel
