#pragma once
// Reading a whole number typed in a dialog's edit field, with the two
// refusal messages every numeric field of the program uses.

#include <QString>
#include <optional>

namespace quorvel {

class DialogService;

// Caption of the refusal boxes.
inline constexpr const char* kInformationCaption = "Quorvel 1.0";

// The value when `text` is an integer within [low, high]. Otherwise shows
// "Tapez un nombre entier." or "Tapez un nombre entier compris entre low et
// high." through `dialogs` and returns nullopt.
std::optional<int> readIntegerField(const QString& text, int low, int high, DialogService& dialogs);

}  // namespace quorvel
