#include "support/memory.h"

#include <fstream>
#include <string>

namespace quorrel::testing {

long peak_rss_kib()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stol(line.substr(6));
    return -1;
}

} // namespace quorrel::testing
