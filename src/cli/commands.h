#pragma once
// The commands of formidor-cli. Each takes the arguments after its name and writes its output
// and its German messages to the streams it is given; it returns the exit status
// (0 success, 2 a failure the message explains).
#include <ostream>
#include <string>
#include <vector>

namespace formidor::cli {

using Args = std::vector<std::string>;

int regExport(const Args& args, std::ostream& out, std::ostream& err);
int regImport(const Args& args, std::ostream& out, std::ostream& err);
int journal(const Args& args, std::ostream& out, std::ostream& err);
int check(const Args& args, std::ostream& out, std::ostream& err);
int bank(const Args& args, std::ostream& out, std::ostream& err);
int layout(const Args& args, std::ostream& out, std::ostream& err);
int print(const Args& args, std::ostream& out, std::ostream& err);
int calibrationSheet(const Args& args, std::ostream& out, std::ostream& err);
int list(const Args& args, std::ostream& out, std::ostream& err);

// Whether the command prints, so that it needs the printing side (formidor-cli-print).
bool needsPrinter(const Args& args);

// Runs the command named by args[0]; "--help" or nothing lists the commands.
int run(const Args& args, std::ostream& out, std::ostream& err);

} // namespace formidor::cli
