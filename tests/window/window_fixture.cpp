#include "window_fixture.h"

#include <QLineEdit>
#include <QTest>
#include <variant>

#include "window/board_geometry.h"
#include "window/board_view.h"
#include "window/mouse_input.h"

namespace quorvel::testing {

void WindowTest::SetUp() {
    folder = std::make_unique<QTemporaryDir>();
    locations = std::make_unique<FileLocations>(FileLocations::under(folder->path()));
    window = std::make_unique<GameWindow>(dialogs, *locations);
    window->prepareUserFolders();
    auto voice = std::make_unique<FakeSpeaker>();
    speaker = voice.get();
    window->setSpeaker(std::move(voice));
    GameController& c = controller();
    c.timers().setIntervals(200, 5);
    c.engineOptions().maxDepthMain = 2;
    c.engineOptions().maxDepthSecondary = 0;
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
}

void WindowTest::TearDown() {
    window.reset();
}

void WindowTest::setFen(const std::string& fen, bool humanBlack) {
    auto parsed = parseFen(fen, humanBlack ? FenOrientation::blackLower : FenOrientation::whiteLower);
    ASSERT_TRUE(std::holds_alternative<FenSetup>(parsed)) << fen;
    record() = std::get<FenSetup>(parsed).record;
    controller().positionReplaced();
    controller().repaint();
}

QPoint WindowTest::storedSquarePoint(int x, int y) {
    // Where the board lies now, whatever the window's size.
    return window->squareOnScreen({x, y}).center().toPoint();
}

QPoint WindowTest::chessSquarePoint(const char* square) {
    const int x = square[0] - 'a' + 1;
    const int rank = square[1] - '0';
    return storedSquarePoint(x, record().playerIsBlack ? 9 - rank : rank);
}

void WindowTest::leftClick(QPoint client) {
    QTest::mouseClick(&window->boardView(), Qt::LeftButton, Qt::NoModifier, client);
}

void WindowTest::moveMouse(QPoint client) {
    // The offscreen platform does not always turn synthetic moves into
    // events for a tracking widget; the handler is what is under test.
    window->mouse().onMouseMove(client);
}

QString WindowTest::cell(int i) const {
    return window->layout().moveCells[static_cast<std::size_t>(i)]->text();
}

QString WindowTest::shownStatus() const {
    return window->layout().statusText();
}

}  // namespace quorvel::testing
