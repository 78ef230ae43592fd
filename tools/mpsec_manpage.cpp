// Writes mpsec's manual page (roff) on standard output, from the program's own help texts.
#include "cli/Cli.h"

#include <iostream>

int main() {
    mpsec::WriteManualPage(std::cout);
    return 0;
}
