#pragma once
#include "model/level.h"
#include "model/totalimuisti.h"
#include "util/kello.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace vt {

// The HTML results page, with a stat-file copy of the collection in its closing comment.
void tulostaHtml(std::ostream &out, const std::vector<Level> &levels, Tulostusasetukset options,
                 bool enabled, const std::string &title, const std::vector<unsigned> &cupTaulukko,
                 const std::string &url, std::ostream &konsoli, const Kello &kello,
                 TotaliMuisti *muisti = nullptr);

} // namespace vt
