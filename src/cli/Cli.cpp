#include "cli/Cli.h"

#include "app/Startup.h"

namespace mpsec {

namespace {

constexpr const char* kUsage =
    "Usage: mpsec [COMMAND] [OPTIONS]\n"
    "\n"
    "With no command, mpsec opens its main window on the federation files in the current\n"
    "folder (National.TXT, NATIONAL.CLB, history.txt, events.txt, PRE82.TXT ...).\n"
    "\n"
    "Options:\n"
    "  -h, --help      show this help and exit\n"
    "  -v, --version   show the version and exit\n";

} // namespace

bool IsCommandLine(const std::vector<std::string>& args) {
    return args.size() > 1;
}

int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const std::string command = args.size() > 1 ? args[1] : std::string();
    if (command == "--help" || command == "-h" || command == "help") {
        out << kUsage;
        return 0;
    }
    if (command == "--version" || command == "-v") {
        out << "mpsec " << kVersionText << "\n";
        return 0;
    }
    err << "mpsec: unknown command '" << command << "'\n" << kUsage;
    return 2;
}

} // namespace mpsec
