// SPDX-License-Identifier: GPL-3.0-or-later
// ambrelo-calc: the flume calculator's four cases on the command line.
#include "cli/app.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char* argv[]) {
    // Own buffers for the standard streams; numbers never pass through the
    // C locale's formatting (the engine formats them itself).
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    return cli::RunCli(args, std::cin, std::cout, std::cerr);
}
