// formidor-cli-print: formidor-cli with the printing side linked in. formidor-cli starts it for
// the commands that print; it runs every command the same way.
#include "cli/commands.h"

#include <iostream>

int main(int argc, char** argv) {
    formidor::cli::Args args(argv + 1, argv + argc);
    int rc = formidor::cli::run(args, std::cout, std::cerr);
    std::cout.flush();
    return rc;
}
