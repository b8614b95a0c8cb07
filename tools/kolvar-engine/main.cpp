// kolvar-engine: the engine behind the UCI protocol, reading commands from
// standard input. At the end of the input a running search is finished (an
// infinite one stopped) before the program leaves.
#include <iostream>
#include <string>

#include "tools/kolvar-engine/UciSession.h"

int main() {
    std::ios::sync_with_stdio(false);
    TUciSession session(std::cout);
    for (std::string line; std::getline(std::cin, line);)
        if (!session.HandleLine(line)) return 0;
    session.WaitForSearch();
    return 0;
}
