#include "stats/levelikierros.h"

#include "model/totalit.h"

#include <ostream>

namespace vt {

unsigned kayLevelit(const std::vector<Level> &levels, const Tulostusasetukset &options,
                    std::ostream &konsoli, const Levelikierros &kierros) {
    unsigned piilotettuja = 0;
    for (const bool multi : {false, true}) {
        if (multi && !options.multiAjat)
            break;
        konsoli << (multi ? "Writing multiplayer times to file...\n"
                          : "Writing single player times to file...\n");
        kierros.alku(multi);
        unsigned piilossa = 0;
        for (size_t i = 0; i < levels.size(); ++i) {
            if (!listataanko(levels[i], options)) {
                ++piilossa;
                continue;
            }
            kierros.rivi(multi, static_cast<unsigned>(i - piilossa + 1), levels[i]);
        }
        kierros.loppu(multi);
        piilotettuja = piilossa;
    }
    return piilotettuja;
}

} // namespace vt
