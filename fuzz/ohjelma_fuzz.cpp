// The whole program driven through its console by fuzzer-chosen answer lines, in a scratch
// folder that holds a small fixed set of files: a stat file, an HTML page, a battle log with
// registrations and replay links, and every side file. Every option and dialogue can be
// reached; the program must end at the end of the input without failing. Answers cannot
// name another folder ("/" is taken out), so nothing outside the scratch folder is touched.
#include "app/tila.h"
#include "app/valikko.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const std::map<std::string, std::string> &tiedostot() {
    static const std::map<std::string, std::string> t = {
        {"s.txt", "  Level 1, Hill:\n     0:10,00 Bob [T]\n     0:11,00 Ann\n     3 apples Cid\n\n"
                  "  Level 2, Race 042:\n     0:20,00 Ann, Bob\n     0:21,00 Bob [T]\n\n"},
        {"b.log", "--- Day changed Mon Jan 02 2006\n[23:58] <Org> http://x/Race042.lev by Org\n"
                  "[23:59] <bob> !register Bob B [T] (fin)\n[00:01] <bob> 1:00,00\n"
                  "[00:02] <ann> 1:01,00\n[00:03] <bob> http://x/bob.rec\n[00:04] <Org> stop\n"},
        {"vaskitaulu_config.txt", "1\n0\n1\n0\n1\n1\n1\n1\n1\n1\n"},
        {"vaskitaulu_cuppoints.txt", "25\n18\n15\n"},
        {"vaskitaulu_nicks.txt", "annie Ann\n"},
        {"vaskitaulu_players.txt", "<ann> register Ann (swe)\n\n"},
        {"nationalities.txt", ":SWE Ann\n"},
        {"stat.txt", "bob.rec race s 1:00,01\n"},
    };
    return t;
}

// The scratch folder, made once; the fuzzer's own folder is returned to after every run, so
// that it finds the next input by its relative name.
const fs::path &kansio() {
    static const fs::path k = [] {
        std::string malli = (fs::temp_directory_path() / "vaskitaulu_ohjelma_XXXXXX").string();
        if (!mkdtemp(malli.data()))
            std::abort();
        return fs::path(malli);
    }();
    return k;
}

void valmistele() {
    if (chdir(kansio().c_str()) != 0)
        std::abort();
    std::error_code virhe;
    for (const auto &e : fs::directory_iterator("."))
        if (!tiedostot().count(e.path().filename().string()))
            fs::remove_all(e.path(), virhe);
    for (const auto &[nimi, sisalto] : tiedostot())
        std::ofstream(nimi, std::ios::binary) << sisalto;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    std::string syote(reinterpret_cast<const char *>(data), size);
    for (char &c : syote)
        if (c == '/' || c == '\\')
            c = '_';
    std::istringstream sisaan(syote);
    std::ostringstream ulos;
    vt::Konsoli konsoli(sisaan, ulos, false);
    const vt::Kello kello = [] { return std::string("Tue Dec  8 12:00:00 2026\n"); };
    const fs::path paluu = fs::current_path();
    valmistele();
    vt::Tila tila(konsoli, kello);
    // 1 is the honest end of a session that met a file it could not open, read or write.
    if (const int loppu = vt::ajaOhjelma(tila); loppu != 0 && loppu != 1)
        std::abort();
    fs::current_path(paluu);
    return 0;
}
