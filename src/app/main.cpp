#include "app/komentorivi.h"
#include "app/rivinlukija.h"
#include "app/valikko.h"

#include <iostream>

int main(int argc, char **argv) {
    if (const auto tila = vt::kasitteleArgumentit(argc, argv, std::cout, std::cerr))
        return *tila;
    std::ios::sync_with_stdio(false);
    vt::kestaSuljettuTuloste();
    vt::Konsoli konsoli(std::cin, std::cout, vt::tulosteOnTerminaali());
    vt::asennaRivieditori(konsoli);
    vt::Tila tila(konsoli, vt::jarjestelmanKello());
    return vt::ajaOhjelma(tila);
}
