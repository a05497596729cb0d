#include "storage/settings_file.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "storage/fixed_field.h"
#include "storage/replace_file.h"

namespace quorvel {

namespace {

constexpr const char* kVersionMark = "1.0500";
constexpr std::size_t kNameWidth = 80;
const char* const kDefaultGameFileName = "partie.ech";

std::string settingsPath(const std::string& folder) {
    return (std::filesystem::path(folder) / kSettingsFileName).string();
}

// Walks the record field by field; a field missing at the end of a short
// file is not read and leaves its setting as it was.
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
    void number(std::size_t width, T& value) {
        if (auto field = take(width)) value = static_cast<T>(leadingNumber(*field));
    }
    void flag(bool& value) {
        if (auto field = take(1)) value = (*field)[0] == '1';
    }

private:
    std::string_view bytes_;
    std::size_t at_ = 0;
};

// A name that does not fit the field would come back as another file's name:
// the default is stored instead.
std::string nameField(const std::string& name) {
    std::string field =
        name.size() < kNameWidth && name.find('\0') == std::string::npos ? name : kDefaultGameFileName;
    field.resize(kNameWidth, '\0');
    return field;
}

std::string flagField(bool value) {
    return value ? "1" : "0";
}

}  // namespace

void readSettingsBytes(const std::string& bytes, Settings& s) {
    FieldReader in(bytes);
    in.take(6);  // the version mark is not compared: older layouts are the same
    in.number(8, s.mainTimeLimit);
    in.number(8, s.secondaryTimeLimit);
    if (auto field = in.take(kNameWidth)) {
        const std::string_view name = field->substr(0, field->find('\0'));
        // A full field without its NUL, or an empty one, names no usable file.
        if (!name.empty() && name.size() < kNameWidth) s.gameFileName = std::string(name);
    }
    in.flag(s.showThinking);
    in.flag(s.engine.spareEngineFlag);
    in.flag(s.engine.extraDisplays);
    in.flag(s.engine.horizonReduction);
    std::int64_t pieceSet = s.pieceSet, depthMain = s.engine.maxDepthMain,
                 depthSecondary = s.engine.maxDepthSecondary;
    in.number(8, pieceSet);
    in.number(8, depthMain);
    in.number(8, s.engine.minSons);
    in.number(8, s.engine.alphaBetaTolerance);
    in.number(10, s.darkColour);
    in.number(10, s.lightColour);
    in.number(10, s.borderColour);
    in.flag(s.showPossibleMoves);
    in.flag(s.engine.alphaBetaSorting);
    in.flag(s.algebraicNotation);
    in.flag(s.showCoordinates);
    in.flag(s.shadedPieces);
    in.flag(s.humanVsHuman);
    in.flag(s.boardTurned);
    in.number(8, depthSecondary);
    // These three pick a piece picture and size the search's per-depth
    // tables: a value outside what the program offers would reach past them.
    if (pieceSet == 0 || pieceSet == 20 || pieceSet == 40) s.pieceSet = static_cast<std::int8_t>(pieceSet);
    s.engine.maxDepthMain = static_cast<std::int8_t>(std::clamp<std::int64_t>(depthMain, 1, 10));
    s.engine.maxDepthSecondary = static_cast<std::int8_t>(std::clamp<std::int64_t>(depthSecondary, 0, 10));
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
