#pragma once
// The processes this one has started and not reaped: the engine tests end
// by checking that none is left behind.

#include <sys/types.h>

#include <vector>

namespace quorvel::test {

// The processes whose parent is this one, zombies included (an unreaped
// child is still a child).
std::vector<pid_t> childProcesses();

}  // namespace quorvel::test
