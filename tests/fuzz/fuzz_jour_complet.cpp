// libFuzzer target: the whole way a day file goes. Any bytes are read as the
// loaded day, the chart is framed on the fleet, and the race picture is
// painted offscreen at a small size (graticule, labels, boats and speed
// lines): a corrupt number must not reach an integer conversion anywhere.
#include "posconc.h"
#include "course_livree.h"
#include "fichier_jour.h"

#include <QApplication>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {
orv::EtatProgramme* etat = nullptr;
orv::TFPosConc* carte = nullptr;
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QApplication app(*argc, *argv);
    etat = new orv::EtatProgramme;
    etat->course = course_livree();
    carte = new orv::TFPosConc(nullptr, *etat, QStringLiteral("/nonexistent"), QStringLiteral("/nonexistent"));
    carte->information = [](const QString&) {};
    carte->avertissement = carte->information;
    carte->affiche_information = carte->information;
    carte->resize(160, 120);
    carte->FormCreate();
    carte->fond_initial = false;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray contenu(reinterpret_cast<const char*>(data), qsizetype(size));
    orv::JourCourse& j = etat->jour;
    j = orv::JourCourse(course_livree().nb());
    orv::lit_jour(course_livree(), j, contenu, QStringLiteral("101100.txt"));
    orv::cadre_sur_flotte(j, 18, etat->vue);
    carte->rend(160, 120);
    // The same day framed on the leader alone, widened as one point.
    orv::cadre_sur_flotte(j, 1, etat->vue);
    carte->rend(160, 120);
    return 0;
}
