#include "features/integer_field.h"

#include "features/dialog_service.h"

namespace quorvel {

std::optional<int> readIntegerField(const QString& text, int low, int high, DialogService& dialogs) {
    bool ok = false;
    // Blanks around the number are forgiven, as people type them by accident.
    const int value = text.trimmed().toInt(&ok, 10);
    if (!ok) {
        dialogs.message(QString::fromUtf8(kInformationCaption), QStringLiteral("Tapez un nombre entier."),
                        BoxIcon::exclamation);
        return std::nullopt;
    }
    if (value < low || value > high) {
        dialogs.message(QString::fromUtf8(kInformationCaption),
                        QStringLiteral("Tapez un nombre entier compris entre %1 et %2.").arg(low).arg(high),
                        BoxIcon::exclamation);
        return std::nullopt;
    }
    return value;
}

}  // namespace quorvel
