// formidor-cli: the headless side of Formidor.
#include "cli/commands.h"

#include <iostream>

int main(int argc, char** argv) {
    formidor::cli::Args args(argv + 1, argv + argc);
    int rc = formidor::cli::run(args, std::cout, std::cerr);
    std::cout.flush();
    return rc;
}
