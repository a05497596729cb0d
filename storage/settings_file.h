#pragma once
// The settings file "quorvel.ini": a fixed record of 183 bytes read at
// start-up and written by the quit sequence.

#include <cstdint>
#include <string>

#include "engine/engine_options.h"

namespace quorvel {

// Every setting the file carries, with the defaults used when it is missing.
struct Settings {
    std::int32_t mainTimeLimit = 9;       // seconds
    std::int32_t secondaryTimeLimit = 8;  // seconds
    std::string gameFileName = "partie.ech";
    bool showThinking = false;
    EngineOptions engine;
    std::int8_t pieceSet = 0;               // 0, 20 or 40
    std::uint32_t darkColour = 0x0098645A;  // 0x00BBGGRR
    std::uint32_t lightColour = 0x00F0F0F0;
    std::uint32_t borderColour = 0x00CACACA;
    bool showPossibleMoves = true;
    bool algebraicNotation = false;
    bool showCoordinates = true;
    bool shadedPieces = true;
    bool humanVsHuman = false;
    bool boardTurned = false;

    friend bool operator==(const Settings&, const Settings&) = default;
};

constexpr int kSettingsFileSize = 183;
inline const char* kSettingsFileName = "quorvel.ini";

// Reads folder/quorvel.ini into `settings`: fields read whole replace their
// value, the rest stay. A missing file leaves every value. Returns whether the
// file was opened.
bool readSettings(const std::string& folder, Settings& settings);
void readSettingsBytes(const std::string& bytes, Settings& settings);

// Writes folder/quorvel.ini (183 bytes). False when it can't be written.
bool writeSettings(const std::string& folder, const Settings& settings);
std::string settingsBytes(const Settings& settings);

}  // namespace quorvel
