#pragma once
// Runs a formidor-cli command in the test process and keeps what it wrote.
#include "cli/commands.h"

#include <sstream>
#include <string>

namespace formidor::test {

struct CliResult {
    int status;
    std::string out, err;
};

inline CliResult runCli(const cli::Args& args) {
    std::ostringstream out, err;
    int rc = cli::run(args, out, err);
    return {rc, out.str(), err.str()};
}

} // namespace formidor::test
