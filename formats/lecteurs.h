// The readers of the files the program opens, behind one interface per
// kind: the ranking of the update (a web page, a workbook) and the race
// (its description and day files). Each reader says which files it takes
// (its suffixes, and the start of a file of its kind) and gives the model;
// one list per kind chooses the reader of a file, by its suffix first and
// then by its content.
//
// A new format is one reader (a class and the function giving its one
// instance, in the file of its format) and one line in the list of its
// kind (lecteurs.cpp).
#pragma once

#include "course.h"
#include "feuille.h"
#include "pistes.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

namespace orv {

// What every reader says of itself.
class Lecteur {
public:
    virtual ~Lecteur() = default;
    // Its kind of file, for messages ("page web", "classeur Excel 97"),
    // which name its suffixes after it.
    virtual QString nom() const = 0;
    // The suffixes of its files, lower case, without the dot.
    virtual QStringList suffixes() const = 0;
    // Whether the first bytes of a file are those of its kind.
    virtual bool reconnait(const QByteArray& debut) const = 0;
    // How many bytes of the start `reconnait` looks at.
    static constexpr int TAILLE_DEBUT = 512;
};

// The ranking as received: a file's bytes or a downloaded page's, with
// what the server said of it.
struct ContenuClassement {
    QByteArray octets;
    QByteArray type_contenu;         // the Content-Type header, when downloaded
    bool longueur_annoncee = false;  // the server announced the length received
};

// A reader of the ranking sheet.
class LecteurClassement : public Lecteur {
public:
    // The largest file it reads whole.
    virtual qint64 taille_max() const = 0;
    // Sheet `nom_feuille` (a page has only one); false, with the reason in
    // French, when it cannot be read or is not whole.
    virtual bool lit(const ContenuClassement& c, const QString& nom_feuille, Feuille& f, QString& raison) const = 0;
    // The message of a failure to read `source` (a path or an address).
    QString echec(const QString& raison, const QString& source) const;
};

// A race as opened: its description, its tracks when it is a fleet (none
// for day files), and what was left aside in its file, to say once.
struct CourseOuverte {
    Course course;
    std::vector<Piste> pistes;
    QStringList avis;
};

// A reader of a race: its description (a Course), and its tracks for a
// fleet, from a file or a folder.
class LecteurCourse : public Lecteur {
public:
    // Whether it opens a folder (one holding the race's files).
    virtual bool ouvre_dossier(const QString& chemin) const = 0;
    // The race at `chemin`; false with a French message naming the file
    // and line when it cannot be read (nothing of it kept).
    virtual bool lit(const QString& chemin, CourseOuverte& o, QString& erreur) const = 0;
};

// The readers of each kind, in the order they are tried.
const std::vector<const LecteurClassement*>& lecteurs_classement();
const std::vector<const LecteurCourse*>& lecteurs_course();

// The reader of a file: the one taking its suffix (`nom` a path or an
// address) when it recognises `debut` or none recognises it, else the one
// recognising `debut`; null when neither.
const LecteurClassement* lecteur_classement(const QString& nom, const QByteArray& debut);
// The reader of a race's file or folder; null when none takes it.
const LecteurCourse* lecteur_course(const QString& chemin);

// A ranking file read by its reader; false with what the user is told.
bool lit_classement(const QString& chemin, const QString& nom_feuille, Feuille& f, QString& message);
// A race opened by its reader; false with the message in French.
bool ouvre_course(const QString& chemin, CourseOuverte& o, QString& erreur);
// Its description alone, as the program's own race: its files (day
// files, marks, places, route) where the program keeps them.
bool ouvre_course(const QString& chemin, Course& c, QString& erreur);

// The reader instances, each defined in the file of its format.
const LecteurClassement& lecteur_page();
const LecteurClassement& lecteur_xls();
const LecteurClassement& lecteur_xlsx();
const LecteurCourse& lecteur_jours();
const LecteurCourse& lecteur_gpx();
const LecteurCourse& lecteur_kml();
const LecteurCourse& lecteur_csv();

}  // namespace orv
