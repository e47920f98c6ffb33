#include <iostream>

int main() {
    std::cout << " Vaskitaulu v. 1.6\n";
    return 0;
}
