// libFuzzer target: any bytes as a settings file.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "storage/settings_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quorvel;
    Settings settings;
    readSettingsBytes(std::string(reinterpret_cast<const char*>(data), size), settings);
    // Whatever was read is written back whole, and reads back to itself.
    const std::string written = settingsBytes(settings);
    if (written.size() != static_cast<std::size_t>(kSettingsFileSize)) std::abort();
    Settings again;
    readSettingsBytes(written, again);
    // Numbers too wide for their field are capped on the way; the name and
    // the flags come back as they were.
    if (again.gameFileName != settings.gameFileName || again.showThinking != settings.showThinking ||
        again.boardTurned != settings.boardTurned ||
        again.engine.alphaBetaSorting != settings.engine.alphaBetaSorting)
        std::abort();
    return 0;
}
