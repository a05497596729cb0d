#include <iostream>

#include "cli_commands.h"

namespace quorvel::cli {

int usageError(const std::string& message) {
    std::cerr << "quorvel-cli: " << message << '\n';
    return 2;
}

}  // namespace quorvel::cli
