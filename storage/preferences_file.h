#pragma once
// Options kept beside "quorvel.ini", whose fixed 183-byte record has no room
// for them: the window's size, the level, the coach, the spoken moves and
// the like. One "key=value" per line, UTF-8; lines starting with '#' and
// lines without '=' are ignored, a key given twice keeps its last value.
//
// Every reader names its own default and range: a missing, damaged or
// out-of-range value gives that default, never an error, so an old, a newer
// or a hand-edited file can't stop the program.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "engine/engine_options.h"

namespace quorvel {

class Preferences {
public:
    // The values
    std::optional<std::string> text(std::string_view key) const;
    std::string text(std::string_view key, std::string_view fallback) const;
    // A whole decimal number within `range`; `fallback` otherwise.
    int integer(std::string_view key, ValueRange range, int fallback) const;
    // "1"/"0" (also "true"/"false"); `fallback` otherwise.
    bool flag(std::string_view key, bool fallback) const;

    // Keys hold letters, digits, '.', '_' and '-'; values any text without a
    // line break (one is replaced by a blank). False for a refused key.
    bool set(std::string_view key, std::string_view value);
    void setInteger(std::string_view key, int value) { set(key, std::to_string(value)); }
    void setFlag(std::string_view key, bool value) { set(key, value ? "1" : "0"); }
    void remove(std::string_view key);

    const std::map<std::string, std::string, std::less<>>& values() const { return values_; }
    friend bool operator==(const Preferences&, const Preferences&) = default;

    // The file's text, and back.
    static Preferences parse(std::string_view text);
    std::string serialise() const;

private:
    std::map<std::string, std::string, std::less<>> values_;
};

inline const char* kPreferencesFileName = "preferences.ini";

// The file `path`: nullopt when it can't be read (missing, a folder, no
// permission); its values otherwise, whatever it holds.
std::optional<Preferences> readPreferences(const std::string& path);
// Replaces `path` whole (the old file survives a failure). False when it
// can't be written.
bool writePreferences(const std::string& path, const Preferences& preferences);

}  // namespace quorvel
