// kolvar-board: plays games on the board's rules from commands on standard
// input, one a line, and answers on standard output.
#include <iostream>

#include "BoardDriver.h"

int main() {
    std::ios::sync_with_stdio(false);
    TBoardDriver driver(std::cout);
    driver.Run(std::cin);
    return 0;
}
