#pragma once
// Writing a whole file so that the previous version survives any failure.

#include <string>

namespace quorvel {

// Writes `bytes` to a temporary file beside `path`, then renames it over
// `path`. On any failure the temporary file is removed, `path` keeps its old
// content and the result is false.
bool replaceFile(const std::string& path, const std::string& bytes);

}  // namespace quorvel
