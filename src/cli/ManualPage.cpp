#include "cli/ManualPage.h"

#include "cli/Cli.h"
#include "core/ProgramInfo.h"

#include <string>

namespace mpsec {

namespace {

// One line of text as roff prints it unchanged.
std::string RoffLine(const std::string& line) {
    std::string text;
    if (!line.empty() && (line[0] == '.' || line[0] == '\''))
        text = "\\&";
    for (char c : line) {
        if (c == '\\')
            text += "\\e";
        else if (c == '-')
            text += "\\-";
        else
            text += c;
    }
    return text;
}

// Preformatted text, line by line.
void RoffBlock(std::ostream& out, const std::string& text) {
    out << ".nf\n";
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        out << RoffLine(text.substr(start, end - start)) << "\n";
        start = end + 1;
    }
    out << ".fi\n";
}

} // namespace

void WriteManualPage(std::ostream& out) {
    out << ".TH MPSEC 1 \"\" \"mpsec " << kVersionNumber << "\" \"User Commands\"\n"
        << ".SH NAME\n"
        << "mpsec \\- the masterpoint secretary's program of a bridge club\n"
        << ".SH SYNOPSIS\n";
    RoffBlock(out, "mpsec [DIR]\nmpsec [--data DIR] COMMAND [OPTIONS]\nmpsec --help | --version");
    out << ".SH DESCRIPTION\n";
    RoffBlock(out, CommandLineUsage());
    out << ".SH COMMANDS\n";
    for (const CommandHelp& command : CommandHelps()) {
        out << ".SS " << command.Name << "\n";
        RoffBlock(out, command.Help);
    }
    out << ".SH FILES\n";
    RoffBlock(out, "~/.config/mpsec/mpsec.ini    the settings kept between runs\n"
                   "~/mpsec-sample               a writable copy of the sample data\n"
                   "/usr/share/mpsec/sample      the sample data, as installed");
}

} // namespace mpsec
