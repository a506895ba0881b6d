#pragma once
// The commands of formidor-cli. Each takes the arguments after its name and writes its output
// and its German messages to the streams it is given; it returns the exit status
// (0 success, 2 a failure the message explains).
#include <exception>
#include <ostream>
#include <string>
#include <vector>

namespace formidor::cli {

using Args = std::vector<std::string>;

int regExport(const Args& args, std::ostream& out, std::ostream& err);
int regImport(const Args& args, std::ostream& out, std::ostream& err);
int backup(const Args& args, std::ostream& out, std::ostream& err);
int restore(const Args& args, std::ostream& out, std::ostream& err);
int journal(const Args& args, std::ostream& out, std::ostream& err);
int check(const Args& args, std::ostream& out, std::ostream& err);
int bank(const Args& args, std::ostream& out, std::ostream& err);
// Exit status 0 when every IBAN is valid, 1 when one is not, 2 for a usage error.
int iban(const Args& args, std::ostream& out, std::ostream& err);
int layout(const Args& args, std::ostream& out, std::ostream& err);
int print(const Args& args, std::ostream& out, std::ostream& err);
int printers(const Args& args, std::ostream& out, std::ostream& err);
int calibrationSheet(const Args& args, std::ostream& out, std::ostream& err);
int list(const Args& args, std::ostream& out, std::ostream& err);

// Whether the command prints, so that it needs the printing side (formidor-cli-print).
bool needsPrinter(const Args& args);

// The user's message of a failure: our own exceptions carry German texts; those of the C++
// library (out of memory, a file system error) are put into German here, never shown as they
// come.
std::string messageOf(const std::exception& e);

// Runs the command named by args[0]; "--help" or nothing lists the commands.
int run(const Args& args, std::ostream& out, std::ostream& err);

} // namespace formidor::cli
