// Writes mpsec's manual page (roff) on standard output, from the program's own help texts.
#include "cli/ManualPage.h"

#include <iostream>

int main() {
    mpsec::WriteManualPage(std::cout);
    return 0;
}
