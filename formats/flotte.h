// What the readers of fleets of tracks (GPX, KML, KMZ, CSV) share: the
// fleet collected as a file is read, its values and limits checked on the
// way, then made a race (the tracks in time order, the entrants in the
// alphabetical order of their names, the description beside the file).
#pragma once

#include "course.h"
#include "pistes.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringView>

class QFile;
class QXmlStreamReader;

namespace orv {

class Flotte {
public:
    explicit Flotte(const QString& chemin);

    // The track of the boat named `nom` ("Skipper (Bateau)" or a name),
    // made at its first use; -1 past the fleet's limit (the error said).
    int piste(const QString& nom);
    // A fix of track k at line `ligne`; false, the error said, when its
    // position is out of range or the fleet past its limit.
    bool point(int k, Instant t, double lat, double lon, qint64 ligne);
    // A refusal of the file at a line, for the boat named (may be empty).
    bool refuse(qint64 ligne, const QString& nom, const QString& quoi);
    // A refusal of the whole file.
    bool refuse(const QString& quoi);
    const QString& erreur() const { return erreur_; }
    const QString& nom(int k) const { return noms_[size_t(k)]; }

    // The race: false with the error when no track has a fix or the
    // description beside the file is damaged.
    bool finit(Course& c, std::vector<Piste>& pistes);
    // The end of a reading: `lu` false (the reader refused the file) or
    // the race not made gives the error; else the race.
    bool termine(bool lu, Course& c, std::vector<Piste>& pistes, QString& erreur)
    {
        if (lu && finit(c, pistes))
            return true;
        erreur = erreur_;
        return false;
    }

private:
    QString chemin_;
    QString erreur_;
    QHash<QString, int> indices_;
    std::vector<QString> noms_;
    std::vector<Piste> pistes_;
    qint64 nb_points_ = 0;
};

// What is wrong with an XML file that stopped being read: cut, or
// malformed.
QString erreur_xml(const QXmlStreamReader& x);

// A file of a fleet opened to be read as it comes (an XML file is not held
// whole); false with the error (absent, over the size limit, unreadable).
bool ouvre_fichier_flotte(const QString& chemin, QFile& f, QString& erreur);

// A file of a fleet read whole; false with the error (absent, over the
// size limit, unreadable).
bool lit_fichier_flotte(const QString& chemin, QByteArray& contenu, QString& erreur);

// "2000-11-10T13:05:00Z", with or without seconds, fractions (dropped) and
// an offset ("+02:00", "-0130"; none: UTC), 'T' or a blank between the day
// and the time; false when it is not one.
bool instant_iso(QStringView s, Instant& t);
// "10/11/2000 13:05", with or without seconds, and an optional offset as
// above; false when it is not one.
bool instant_jjmmaaaa(QStringView s, Instant& t);

}  // namespace orv
