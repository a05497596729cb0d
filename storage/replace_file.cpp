#include "storage/replace_file.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace quorvel {

bool replaceFile(const std::string& path, const std::string& bytes) {
    namespace fs = std::filesystem;
    if (path.empty()) return false;
    const fs::path target(path);
    fs::path temporary = target;
    temporary += ".nouveau";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            std::error_code ignored;
            fs::remove(temporary, ignored);
            return false;
        }
    }
    std::error_code error;
    fs::rename(temporary, target, error);
    if (error) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        return false;
    }
    return true;
}

}  // namespace quorvel
