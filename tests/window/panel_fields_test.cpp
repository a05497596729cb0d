// The panel's fields show their longest figures whole, at the window's
// font and at a larger one, and the figures read what they measure.

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <sstream>
#include <utility>

#include "window/dialog_units.h"
#include "window/up_down_control.h"
#include "window/window_layout.h"
#include "window_fixture.h"

namespace quorvel::testing {
namespace {

// The first and last columns of a field's picture that hold ink: pixels far
// darker than the field's own background, inside its frame.
std::pair<int, int> inkColumns(QLineEdit* field) {
    const QImage picture = field->grab().toImage();
    const QColor background = picture.pixelColor(picture.width() / 2, 3);
    int first = -1;
    int last = -1;
    for (int x = 2; x < picture.width() - 2; ++x) {
        for (int y = 2; y < picture.height() - 2; ++y) {
            if (picture.pixelColor(x, y).lightness() < background.lightness() - 100) {
                if (first < 0) first = x;
                last = x;
                break;
            }
        }
    }
    return {first, last};
}

// A field shows `text` whole when its ink is as wide as in a field far
// wider than the text, and keeps clear of the frame.
void expectShownWhole(QLineEdit* field, const QString& text) {
    SCOPED_TRACE(text.toStdString());
    QLineEdit roomy;
    roomy.setFont(field->font());
    roomy.setStyleSheet(field->styleSheet());
    roomy.setAlignment(field->alignment());
    roomy.resize(1000, field->height());
    roomy.setText(text);
    const auto [roomyFirst, roomyLast] = inkColumns(&roomy);
    ASSERT_GE(roomyFirst, 0);

    field->setText(text);
    const auto [first, last] = inkColumns(field);
    EXPECT_NEAR(last - first, roomyLast - roomyFirst, 1) << "field " << field->width() << " px";
    EXPECT_GT(first, 2);
    EXPECT_LT(last, field->width() - 3);
}

class PanelFields : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        QFont font = windowFont(96);
        if (GetParam() != 0) font.setPointSize(GetParam());
        client.setFont(font);
        layout.build(&client, DialogUnits(font));
    }

    QWidget client;
    WindowLayout layout;
};

TEST_P(PanelFields, TheLongestFiguresShowWhole) {
    expectShownWhole(layout.nodes, QStringLiteral("4294967295"));
    expectShownWhole(layout.depth, QStringLiteral("10  |  13"));
    expectShownWhole(layout.depth, QStringLiteral("10  |  20"));
    expectShownWhole(layout.memory, QStringLiteral("98303 Mo"));
    expectShownWhole(layout.score, QStringLiteral("-199.99"));
    for (QLineEdit* cell : {layout.moveCells[0], layout.moveCells[1]}) {
        for (const char* move :
             {">d8-h4++<", ">d8xh4++<", ">Dhxd8++<", ">o-o-o++<", ">b7xa8=D++<", ">bxa8=D++<"})
            expectShownWhole(cell, QString::fromLatin1(move));
    }
    // 300 half-moves reach move 150.
    expectShownWhole(layout.moveNumbers[4], QStringLiteral("150"));
}

std::string describe(const QWidget* w) {
    const auto* label = qobject_cast<const QLabel*>(w);
    const QRect r = w->geometry();
    std::ostringstream text;
    if (label)
        text << '"' << label->text().toStdString() << '"';
    else
        text << "field";
    text << " at " << r.x() << ',' << r.y() << ' ' << r.width() << 'x' << r.height();
    return text.str();
}

TEST_P(PanelFields, NoFieldOrLabelOverlapsAnotherOrLeavesTheWindow) {
    QList<QWidget*> parts;
    for (QWidget* w : client.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (qobject_cast<QLineEdit*>(w) || qobject_cast<QLabel*>(w)) parts.append(w);
    ASSERT_GT(parts.size(), 20);
    for (QWidget* a : parts) {
        EXPECT_TRUE(client.rect().contains(a->geometry())) << describe(a);
        for (QWidget* b : parts) {
            if (a < b) {
                EXPECT_FALSE(a->geometry().intersects(b->geometry())) << describe(a) << " / " << describe(b);
            }
        }
    }
}

// A larger window moves the panel and stretches the search report; every
// field keeps its size, so its longest text, and nothing comes to overlap.
TEST_P(PanelFields, AGrownWindowKeepsTheFieldsWholeAndApart) {
    std::map<QWidget*, QSize> before;
    for (QWidget* w : client.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) before[w] = w->size();
    const QSize base = layout.baseClientSize();
    const int logoToRight = base.width() - layout.logo->geometry().left();
    const int quitToBottom = base.height() - layout.quit->geometry().top();
    const int takeBackToBottom = base.height() - layout.takeBack->geometry().top();

    const QSize growth(700, 450);
    client.resize(base + growth);
    layout.stretch(growth, QPointF(350, 200));
    QList<QWidget*> parts;
    for (QWidget* w : client.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        EXPECT_TRUE(client.rect().contains(w->geometry())) << describe(w);
        if (w == static_cast<QWidget*>(layout.status) || w == static_cast<QWidget*>(layout.searchGroup)) {
            EXPECT_EQ(w->height(), before[w].height() + growth.height()) << describe(w);
        } else {
            EXPECT_EQ(w->size(), before[w]) << describe(w);
        }
        if (qobject_cast<QLineEdit*>(w) || qobject_cast<QLabel*>(w)) parts.append(w);
    }
    for (QWidget* a : parts) {
        for (QWidget* b : parts) {
            if (a < b) {
                EXPECT_FALSE(a->geometry().intersects(b->geometry())) << describe(a) << " / " << describe(b);
            }
        }
    }
    // The panel keeps to the right edge, the buttons to the bottom one.
    EXPECT_EQ(client.width() - layout.logo->geometry().left(), logoToRight);
    EXPECT_EQ(client.height() - layout.quit->geometry().top(), quitToBottom);
    EXPECT_EQ(client.height() - layout.takeBack->geometry().top(), takeBackToBottom);
    // The history arrows moved with their toolbar zone.
    EXPECT_EQ(layout.history->pos() - QPoint(350, 200),
              DialogUnits(client.font()).rect(15, 2, 22, 10).topLeft());
}

// 0: the window's own font; then a larger one.
INSTANTIATE_TEST_SUITE_P(Fonts, PanelFields, ::testing::Values(0, 14));

using PanelFigures = WindowTest;

TEST_F(PanelFigures, MemoryShowsTheWholeMebibytesAndNodesEveryDigit) {
    struct Case {
        std::uint32_t nodes, freed;
        const char* memory;
    };
    // 24 bytes a node; past 4 GiB the bytes no longer fit 32 bits.
    const Case cases[] = {{0, 0, "0 Mo"},
                          {436907, 0, "10 Mo"},
                          {120000000, 0, "2746 Mo"},
                          {200000000, 20000000, "4119 Mo"},
                          {4294967295u, 0, "98303 Mo"}};
    SearchStatus& status = controller().status();
    for (const Case& c : cases) {
        status.nodesCreated = c.nodes;
        status.entriesFreed = c.freed;
        controller().repaint();
        EXPECT_EQ(window->layout().memory->text(), c.memory) << c.nodes;
        EXPECT_EQ(window->layout().nodes->text(), QString::number(c.nodes));
    }
    status.mainDepthShown = 10;
    status.secondaryDepthShown = 3;
    controller().repaint();
    EXPECT_EQ(window->layout().depth->text(), "10  |  13");
}

}  // namespace
}  // namespace quorvel::testing
