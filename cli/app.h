// SPDX-License-Identifier: GPL-3.0-or-later
// ambrelo-calc as a function of its arguments and streams, so that the
// whole program can be run in-process by the tests.
#pragma once

#include <iosfwd>
#include <span>
#include <string>

namespace cli {

constexpr int kExitOk = 0;     // calculated; every row of a batch processed
constexpr int kExitFailed = 1; // calculation failed or did not converge, or a file error
constexpr int kExitUsage = 2;  // the command line does not fit the usage

// Runs the program on `args` (without the program name). `in` is read for
// "--csv -". Results go to `out`, messages and usage errors to `err`.
int RunCli(std::span<const std::string> args, std::istream& in, std::ostream& out,
           std::ostream& err);

} // namespace cli
