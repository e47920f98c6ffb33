#include "app/valikko.h"

#include <iostream>

int main() {
    std::ios::sync_with_stdio(false);
    vt::kestaSuljettuTuloste();
    vt::Konsoli konsoli(std::cin, std::cout, vt::tulosteOnTerminaali());
    vt::Tila tila(konsoli, vt::jarjestelmanKello());
    return vt::ajaOhjelma(tila);
}
