// The manual page describes what `formidor-cli --help` offers: every command and every form.
#include "cli/clirun.h"
#include "cli/forms.h"

#include "common/testenv.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <sstream>

namespace formidor {
namespace {

TEST(CliManual, DescribesEveryCommandAndForm) {
    const test::CliResult help = test::runCli({"--help"});
    ASSERT_EQ(help.status, 0);
    const std::string manual = test::readFile(test::sourceDir() / "data" / "formidor-cli.1");
    ASSERT_FALSE(manual.empty());

    std::set<std::string> commands;
    std::istringstream lines(help.out);
    static const std::regex command(R"(^  ([a-z][a-z-]*)\b)");
    for (std::string line; std::getline(lines, line);) {
        std::smatch m;
        if (std::regex_search(line, m, command)) commands.insert(m[1]);
    }
    EXPECT_TRUE(commands.count("print") && commands.count("check")) << help.out;
    for (const std::string& c : commands) {
        // A command is the bold word that opens an entry of the command list.
        const std::regex entry("\\n\\.TP\\n(\\\\fB|\\.BI? \"?)" + c + "[ \\\\\"]");
        EXPECT_TRUE(std::regex_search(manual, entry)) << "the manual lacks the command " << c;
    }
    EXPECT_NE(manual.find("\\-\\-csv"), std::string::npos);
    EXPECT_NE(manual.find("\\-\\-dry\\-run"), std::string::npos);
    for (const cli::CliForm* f : cli::cliForms())
        EXPECT_NE(manual.find(std::string(f->name) + " ("), std::string::npos)
            << "the manual lacks the form " << f->name;
}

} // namespace
} // namespace formidor
