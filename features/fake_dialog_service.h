#pragma once
// A DialogService for tests: records every box and answers from queues.

#include <deque>
#include <functional>
#include <utility>
#include <vector>

#include "features/dialog_service.h"

namespace quorvel {

class FakeDialogService : public DialogService {
public:
    struct Box {
        QString caption;
        QString text;
        BoxIcon icon;
        BoxButtons buttons;
        QStringList choices = {};  // the buttons of a box asked with ask()
    };

    std::vector<Box> boxes;                        // every box shown, in order
    std::deque<BoxAnswer> answers;                 // answers for yes/no boxes (default: yes)
    std::deque<std::optional<QString>> fileNames;  // answers for file dialogs (default: cancel)
    std::deque<std::optional<QColor>> colours;     // answers for the colour chooser (default: cancel)
    std::deque<int> promotions;                    // answers for the promotion chooser (default: 12)
    std::deque<std::optional<int>> games;          // answers for the game list (default: cancel)
    std::deque<int> choices;                       // answers for ask() (default: the last button)
    QStringList lastGameList;                      // the lines the game list last showed
    QString lastDefaultName;                       // the name the last file dialog suggested
    std::optional<QColor> lastInitialColour;       // the colour the chooser last opened on
    int beeps = 0;

    BoxAnswer message(const QString& caption, const QString& text, BoxIcon icon,
                      BoxButtons buttons) override {
        boxes.push_back({caption, text, icon, buttons});
        if (buttons == BoxButtons::ok) return BoxAnswer::ok;
        return pop(answers, BoxAnswer::yes);
    }
    void beep() override { ++beeps; }
    std::optional<QString> openFileName(const QString&, const QString& defaultName) override {
        lastDefaultName = defaultName;
        return pop(fileNames, {});
    }
    std::optional<QString> saveFileName(const QString&, const QString& defaultName) override {
        lastDefaultName = defaultName;
        return pop(fileNames, {});
    }
    std::optional<QColor> chooseColour(const QColor& initial) override {
        lastInitialColour = initial;
        return pop(colours, {});
    }
    int choosePromotion(int, bool) override { return pop(promotions, 12); }
    std::optional<int> chooseGame(const QStringList& list) override {
        lastGameList = list;
        return pop(games, {});
    }

    int ask(const QString& caption, const QString& text, BoxIcon icon, const QStringList& buttons) override {
        boxes.push_back({caption, text, icon, BoxButtons::ok, buttons});
        if (onAsk) onAsk();
        return pop(choices, static_cast<int>(buttons.size()) - 1);
    }
    // Runs while a box of ask() is up, as the user would look at the window.
    std::function<void()> onAsk;

    QString lastText() const { return boxes.empty() ? QString() : boxes.back().text; }

private:
    template <typename T>
    static T pop(std::deque<T>& queue, T fallback) {
        if (!queue.empty()) {
            fallback = std::move(queue.front());
            queue.pop_front();
        }
        return fallback;
    }
};

}  // namespace quorvel
