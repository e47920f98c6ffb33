#pragma once
// Program-wide constant texts.
#include "util/konsoli.h"
#include "util/versio.h"

#include <string>

namespace vt {

inline const std::string TULOSTIEDOSTO_ALKU = "vaskitaulu";
inline const std::string HTMLTIEDOSTO_ALKU = "vaskitaulu";
inline const std::string OLETUSTITLE = "Statistics";
inline const std::string PISTETIEDOSTO = "vaskitaulu_cuppoints.txt";
inline const std::string ASETUSTIEDOSTO = "vaskitaulu_config.txt";
inline const std::string REKISTEROINTITIEDOSTO = "vaskitaulu_players.txt";
inline const std::string NIMITIEDOSTO = "vaskitaulu_nicks.txt";
inline const std::string KANSALLISUUSTIEDOSTO = "nationalities.txt";
inline const std::string RECTIEDOSTO = "stat.txt";
inline const std::string URL = "https://vaskitaulu.example.org/";
extern const std::string HELP;

} // namespace vt
