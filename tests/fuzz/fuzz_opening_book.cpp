// libFuzzer target: any bytes as "ouvertures.txt", then the book's play on
// a new game for either colour.

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>

#include "engine/opening_book.h"
#include "rules/move_application.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quorvel;
    OpeningBook book;
    book.loadFromText(std::string_view(reinterpret_cast<const char*>(data), size));
    if (book.lineCount() < 0 || book.lineCount() > OpeningBook::kMaxLines) std::abort();
    for (int n = 0; n < book.lineCount(); ++n)
        if (book.lineName(n).size() > static_cast<std::size_t>(OpeningBook::kMaxNameLength)) std::abort();
    for (const bool black : {false, true}) {
        auto record = std::make_unique<GameRecord>();
        newGame(*record);
        if (black) {
            mirrorPosition(record->current);
            record->playerIsBlack = true;
        }
        // Follow the book as far as it goes, both sides taken from it.
        for (int ply = 0; ply < 24; ++ply) {
            if (!book.playBookMove(*record, static_cast<int>(size % 32768))) break;
            mirrorPosition(record->current);
            record->playerIsBlack = !record->playerIsBlack;
        }
    }
    return 0;
}
