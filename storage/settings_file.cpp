#include "storage/settings_file.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

#include "storage/fixed_field.h"
#include "storage/replace_file.h"
#include "storage/text_encoding.h"

namespace quorvel {

namespace {

constexpr const char* kVersionMark = "1.0500";
constexpr std::size_t kNameWidth = 80;
const char* const kDefaultGameFileName = "partie.ech";

std::string settingsPath(const std::string& folder) {
    return (std::filesystem::path(folder) / kSettingsFileName).string();
}

// Walks the record field by field; a field missing at the end of a short
// file is not read and leaves its setting as it was. A field read whole but
// outside its range, or not the text the writer makes, takes its default.
class FieldReader {
public:
    explicit FieldReader(std::string_view bytes) : bytes_(bytes) {}

    std::optional<std::string_view> take(std::size_t width) {
        if (bytes_.size() - at_ < width) {
            at_ = bytes_.size();
            return std::nullopt;
        }
        const std::string_view field = bytes_.substr(at_, width);
        at_ += width;
        return field;
    }
    template <typename T>
    void number(std::size_t width, T& value, std::int64_t lowest, std::int64_t highest, T fallback) {
        const auto field = take(width);
        if (!field) return;
        const auto number = exactNumber(*field);
        const bool written = number && (*field)[0] != '\0';
        value = written && *number >= lowest && *number <= highest ? static_cast<T>(*number) : fallback;
    }
    template <typename T>
    void number(std::size_t width, T& value, ValueRange range, T fallback) {
        number(width, value, range.low, range.high, fallback);
    }
    void flag(bool& value, bool fallback) {
        const auto field = take(1);
        if (!field) return;
        value = (*field)[0] == '1' ? true : (*field)[0] == '0' ? false : fallback;
    }

private:
    std::string_view bytes_;
    std::size_t at_ = 0;
};

// A name the program could have stored: printable UTF-8 text, either a bare
// file name or the absolute path the save dialog gave, never climbing out
// of a folder.
bool usableGameFileName(std::string_view name) {
    if (name.empty() || name.size() >= kNameWidth) return false;
    for (std::size_t at = 0; at < name.size();) {
        const long code = nextCodePoint(name, at);
        if (code < 0x20 || code == 0x7F || (code >= 0x80 && code < 0xA0)) return false;
    }
    if (name.find('/') != std::string_view::npos && name.front() != '/') return false;
    const std::filesystem::path path{std::string(name)};
    for (const auto& part : path)
        if (part == "..") return false;
    return path.has_filename();
}

// A name that does not fit the field, or that the reader would refuse,
// would come back as another file's name: the default is stored instead.
std::string nameField(const std::string& name) {
    std::string field = usableGameFileName(name) ? name : kDefaultGameFileName;
    field.resize(kNameWidth, '\0');
    return field;
}

std::string flagField(bool value) {
    return value ? "1" : "0";
}

}  // namespace

void readSettingsBytes(const std::string& bytes, Settings& s) {
    const Settings d;  // the defaults
    FieldReader in(bytes);
    in.take(6);  // the version mark is not compared: older layouts are the same
    in.number(8, s.mainTimeLimit, kTimeLimitRange, d.mainTimeLimit);
    in.number(8, s.secondaryTimeLimit, kTimeLimitRange, d.secondaryTimeLimit);
    if (auto field = in.take(kNameWidth)) {
        const std::string_view name = field->substr(0, field->find('\0'));
        s.gameFileName = usableGameFileName(name) ? std::string(name) : d.gameFileName;
    }
    in.flag(s.showThinking, d.showThinking);
    in.flag(s.engine.spareEngineFlag, d.engine.spareEngineFlag);
    in.flag(s.engine.extraDisplays, d.engine.extraDisplays);
    in.flag(s.engine.horizonReduction, d.engine.horizonReduction);
    // The piece set picks a picture and the depths size the search's
    // per-depth tables: only the values the program offers are taken.
    in.number(8, s.pieceSet, 0, 40, d.pieceSet);
    if (s.pieceSet != 0 && s.pieceSet != 20 && s.pieceSet != 40) s.pieceSet = d.pieceSet;
    in.number(8, s.engine.maxDepthMain, kMainDepthRange, d.engine.maxDepthMain);
    in.number(8, s.engine.minSons, kMinSonsRange, d.engine.minSons);
    in.number(8, s.engine.alphaBetaTolerance, kToleranceRange, d.engine.alphaBetaTolerance);
    in.number(10, s.darkColour, 0, 0xFFFFFF, d.darkColour);
    in.number(10, s.lightColour, 0, 0xFFFFFF, d.lightColour);
    in.number(10, s.borderColour, 0, 0xFFFFFF, d.borderColour);
    in.flag(s.showPossibleMoves, d.showPossibleMoves);
    in.flag(s.engine.alphaBetaSorting, d.engine.alphaBetaSorting);
    in.flag(s.algebraicNotation, d.algebraicNotation);
    in.flag(s.showCoordinates, d.showCoordinates);
    in.flag(s.shadedPieces, d.shadedPieces);
    in.flag(s.humanVsHuman, d.humanVsHuman);
    in.flag(s.boardTurned, d.boardTurned);
    in.number(8, s.engine.maxDepthSecondary, kSecondaryDepthRange, d.engine.maxDepthSecondary);
}

std::string settingsBytes(const Settings& s) {
    std::string bytes = kVersionMark;
    bytes += decimalField(s.mainTimeLimit, 8);
    bytes += decimalField(s.secondaryTimeLimit, 8);
    bytes += nameField(s.gameFileName);
    bytes += flagField(s.showThinking);
    bytes += flagField(s.engine.spareEngineFlag);
    bytes += flagField(s.engine.extraDisplays);
    bytes += flagField(s.engine.horizonReduction);
    bytes += decimalField(s.pieceSet, 8);
    bytes += decimalField(s.engine.maxDepthMain, 8);
    bytes += decimalField(s.engine.minSons, 8);
    bytes += decimalField(s.engine.alphaBetaTolerance, 8);
    // Colours are 0x00BBGGRR: the high byte carries nothing.
    bytes += decimalField(s.darkColour & 0xFFFFFFu, 10);
    bytes += decimalField(s.lightColour & 0xFFFFFFu, 10);
    bytes += decimalField(s.borderColour & 0xFFFFFFu, 10);
    bytes += flagField(s.showPossibleMoves);
    bytes += flagField(s.engine.alphaBetaSorting);
    bytes += flagField(s.algebraicNotation);
    bytes += flagField(s.showCoordinates);
    bytes += flagField(s.shadedPieces);
    bytes += flagField(s.humanVsHuman);
    bytes += flagField(s.boardTurned);
    bytes += decimalField(s.engine.maxDepthSecondary, 8);
    return bytes;
}

bool readSettings(const std::string& folder, Settings& settings) {
    // A pipe of that name would hold the start-up until someone writes to it.
    std::error_code error;
    if (!std::filesystem::is_regular_file(settingsPath(folder), error)) return false;
    std::ifstream in(settingsPath(folder), std::ios::binary);
    if (!in) return false;
    std::string bytes(static_cast<std::size_t>(kSettingsFileSize), '\0');
    in.read(bytes.data(), kSettingsFileSize);
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    readSettingsBytes(bytes, settings);
    return true;
}

bool writeSettings(const std::string& folder, const Settings& settings) {
    return replaceFile(settingsPath(folder), settingsBytes(settings));
}

}  // namespace quorvel
