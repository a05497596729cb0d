#include "window/board_accessible.h"

#include <QAccessibleWidget>
#include <QPointer>
#include <QWindow>
#include <array>

#include "window/board_view.h"

namespace quorvel {

namespace {

// One square of the board; it belongs to Qt's cache of interfaces once
// registered, and the board's interface removes it from there.
class SquareAccessible : public QAccessibleInterface {
public:
    SquareAccessible(BoardView* board, int index) : board_(board), index_(index) {}

    bool isValid() const override { return !board_.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return board_ ? board_->window()->windowHandle() : nullptr; }
    QVector<QPair<QAccessibleInterface*, QAccessible::Relation>> relations(
        QAccessible::Relation) const override {
        return {};
    }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(board_); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name && board_ ? board_->squareText(square()) : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!board_) return {};
        const QRect local = board_->geometry().pictureSquareRect(square().x(), square().y()).toAlignedRect();
        return QRect(board_->mapToGlobal(local.topLeft()), local.size());
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override {
        QAccessible::State s;
        s.focusable = true;
        s.focused = board_ && board_->hasFocus() && board_->focusSquare() == square();
        return s;
    }

private:
    QPoint square() const { return QPoint(index_ % 8 + 1, index_ / 8 + 1); }

    QPointer<BoardView> board_;
    int index_;
};

class BoardAccessible : public QAccessibleWidget {
public:
    explicit BoardAccessible(BoardView* board)
        : QAccessibleWidget(board, QAccessible::List, QStringLiteral("Échiquier")) {}
    ~BoardAccessible() override {
        for (const QAccessible::Id id : ids_)
            if (id != 0) QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override { return 64; }
    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= 64) return nullptr;
        const auto i = static_cast<std::size_t>(index);
        if (ids_[i] == 0) {
            auto* square = new SquareAccessible(board(), index);
            ids_[i] = QAccessible::registerAccessibleInterface(square);
            squares_[i] = square;
        }
        return squares_[i];
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (std::size_t i = 0; i < squares_.size(); ++i)
            if (squares_[i] == child) return static_cast<int>(i);
        return -1;
    }
    QAccessibleInterface* focusChild() const override {
        return board()->hasFocus() ? child(BoardView::squareIndex(board()->focusSquare())) : nullptr;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const QPoint local = board()->mapFromGlobal(QPoint(x, y));
        for (int i = 0; i < 64; ++i)
            if (board()->geometry().pictureSquareRect(i % 8 + 1, i / 8 + 1).contains(local)) return child(i);
        return nullptr;
    }
    QString text(QAccessible::Text t) const override {
        switch (t) {
            case QAccessible::Name:
                return QStringLiteral("Échiquier");
            case QAccessible::Description:
                return QStringLiteral(
                    "Flèches : changer de case. Espace ou Entrée : prendre la pièce, puis la poser. Échap : "
                    "reposer la pièce. Une lettre ou un chiffre : taper le coup.");
            default:
                return QAccessibleWidget::text(t);
        }
    }

private:
    BoardView* board() const { return static_cast<BoardView*>(widget()); }

    mutable std::array<QAccessible::Id, 64> ids_{};
    mutable std::array<QAccessibleInterface*, 64> squares_{};
};

QAccessibleInterface* boardFactory(const QString&, QObject* object) {
    if (auto* board = qobject_cast<BoardView*>(object)) return new BoardAccessible(board);
    return nullptr;
}

}  // namespace

void installBoardAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(boardFactory);
        return true;
    }();
    (void)installed;
}

}  // namespace quorvel
