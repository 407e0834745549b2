// The GPX reader (1.0 and 1.1): one track per boat, its segments joined in
// time order, every point with its time; routes and waypoints left aside.
// A tracker's file holds a million points: it is read as it comes, in
// blocks, by expat (a few times the speed of Qt's XML reader here), with
// no document type declaration taken (so no entity is ever expanded).
#include "flotte.h"
#include "lecteurs.h"
#include "traduction.h"

#include <QFile>
#include <charconv>
#include <cstring>
#include <expat.h>
#include <string>

namespace orv {

namespace {
// A point of the track being read, checked once its name is known (GPX
// gives the name first, but not always).
struct PointLu {
    Instant t;
    double lat, lon;
    qint64 ligne;
    bool heure;
};

// The local part of an element's name ("gpx:trkpt" -> "trkpt").
const char* local(const char* nom)
{
    const char* d = std::strrchr(nom, ':');
    return d ? d + 1 : nom;
}

bool nombre(const char* s, double& v)
{
    const char* fin = s + std::strlen(s);
    while (s < fin && (*s == ' ' || *s == '\t' || *s == '\n' || *s == '\r'))
        ++s;
    while (fin > s && (fin[-1] == ' ' || fin[-1] == '\t' || fin[-1] == '\n' || fin[-1] == '\r'))
        --fin;
    if (s < fin && *s == '+')
        ++s;
    const auto r = std::from_chars(s, fin, v);
    return r.ec == std::errc() && r.ptr == fin && s < fin;
}

class LectureGpx {
public:
    LectureGpx(Flotte& f, const QString& chemin, QStringList& avis)
        : f_(f), chemin_(chemin), avis_(avis), x_(XML_ParserCreate(nullptr))
    {
        XML_SetUserData(x_, this);
        XML_SetElementHandler(x_, &LectureGpx::debut, &LectureGpx::fin);
        XML_SetCharacterDataHandler(x_, &LectureGpx::texte);
        XML_SetStartDoctypeDeclHandler(x_, &LectureGpx::dtd);
        XML_SetEntityDeclHandler(x_, &LectureGpx::entite);
    }
    ~LectureGpx() { XML_ParserFree(x_); }
    LectureGpx(const LectureGpx&) = delete;
    LectureGpx& operator=(const LectureGpx&) = delete;

    bool lit(QIODevice& d)
    {
        std::string bloc(1 << 20, '\0');
        for (;;) {
            const qint64 n = d.read(bloc.data(), qint64(bloc.size()));
            if (n < 0)
                return f_.refuse(Texte::tr("lecture impossible"));
            if (XML_Parse(x_, bloc.data(), int(n), n == 0) == XML_STATUS_ERROR)
                return echec();
            if (n == 0)
                break;
            // One tag over 16 MB: expat would scan it again at every block.
            lus_ += n;
            if (lus_ - vu_ > (qint64(1) << 24))
                return f_.refuse(ligne(), QString(), Texte::tr("balise ou texte de plus de 16 Mo"));
        }
        if (ecartes_)
            avis_ << Texte::tr("« %1 » : %2 routes ou points isolés laissés de côté (seules les traces font la course).")
                         .arg(chemin_)
                         .arg(ecartes_);
        return true;
    }

private:
    qint64 ligne() const { return qint64(XML_GetCurrentLineNumber(x_)); }

    // Stops the reading with the error said (once).
    void arrete(bool)
    {
        arrete_ = true;
        XML_StopParser(x_, XML_FALSE);
    }

    bool echec()
    {
        if (arrete_)
            return false;  // said by the handler that stopped
        switch (XML_GetErrorCode(x_)) {
        case XML_ERROR_NO_ELEMENTS:
        case XML_ERROR_UNCLOSED_TOKEN:
        case XML_ERROR_UNCLOSED_CDATA_SECTION:
        case XML_ERROR_PARTIAL_CHAR:
            return f_.refuse(ligne(), QString(), Texte::tr("fichier coupé avant sa fin"));
        default:
            return f_.refuse(ligne(), QString(),
                             Texte::tr("XML mal formé (%1)").arg(QString::fromUtf8(XML_ErrorString(XML_GetErrorCode(x_)))));
        }
    }

    bool fin_de_piste()
    {
        ++nb_pistes_;
        QString nom = QString::fromUtf8(nom_).trimmed();
        if (nom.isEmpty())
            nom = Texte::tr("Piste %1").arg(nb_pistes_);
        const int k = f_.piste(nom);
        if (k < 0)
            return false;
        for (const PointLu& q : points_) {
            if (!q.heure)
                return f_.refuse(q.ligne, nom, Texte::tr("position sans heure"));
            if (!f_.point(k, q.t, q.lat, q.lon, q.ligne))
                return false;
        }
        points_.clear();
        nom_.clear();
        return true;
    }

    static void debut(void* u, const XML_Char* nom_xml, const XML_Char** atts)
    {
        auto& l = *static_cast<LectureGpx*>(u);
        l.vu_ = qint64(XML_GetCurrentByteIndex(l.x_));
        if (l.arrete_)
            return;
        if (l.ecartee_) {
            ++l.ecartee_;
            return;
        }
        const char* n = local(nom_xml);
        if (l.dans_trkpt_ && !std::strcmp(n, "time")) {
            l.dans_heure_ = true;
            l.texte_.clear();
        } else if (l.dans_trk_ && !std::strcmp(n, "trkpt")) {
            bool ok1 = false, ok2 = false;
            l.p_ = {0, 0, 0, l.ligne(), false};
            for (const XML_Char** a = atts; *a; a += 2) {
                if (!std::strcmp(a[0], "lat"))
                    ok1 = nombre(a[1], l.p_.lat);
                else if (!std::strcmp(a[0], "lon"))
                    ok2 = nombre(a[1], l.p_.lon);
            }
            if (!ok1 || !ok2) {
                l.f_.refuse(l.ligne(), QString::fromUtf8(l.nom_), Texte::tr("point sans latitude ou longitude lisible"));
                return l.arrete(true);
            }
            l.dans_trkpt_ = true;
        } else if (!l.gpx_) {
            if (std::strcmp(n, "gpx")) {
                l.f_.refuse(Texte::tr("ce n'est pas un fichier GPX"));
                return l.arrete(true);
            }
            l.gpx_ = true;
        } else if (!std::strcmp(n, "trk")) {
            l.dans_trk_ = true;
        } else if (l.dans_trk_ && !l.dans_trkpt_ && !std::strcmp(n, "name")) {
            l.dans_nom_ = true;
            l.nom_.clear();
        } else if (!l.dans_trk_ && (!std::strcmp(n, "rte") || !std::strcmp(n, "wpt"))) {
            ++l.ecartes_;
            l.ecartee_ = 1;
        } else if (!std::strcmp(n, "extensions")) {
            l.ecartee_ = 1;  // another schema's elements: its "name" or "time" is not ours
        }
    }

    static void fin(void* u, const XML_Char* nom_xml)
    {
        auto& l = *static_cast<LectureGpx*>(u);
        l.vu_ = qint64(XML_GetCurrentByteIndex(l.x_));
        if (l.arrete_)
            return;
        if (l.ecartee_) {
            --l.ecartee_;
            return;
        }
        const char* n = local(nom_xml);
        if (l.dans_heure_) {
            l.dans_heure_ = false;
            const QString h = QString::fromUtf8(l.texte_);
            if (!instant_iso(h, l.p_.t)) {
                l.f_.refuse(l.ligne(), QString::fromUtf8(l.nom_), Texte::tr("heure illisible « %1 »").arg(h.left(40)));
                return l.arrete(true);
            }
            l.p_.heure = true;
        } else if (l.dans_nom_) {
            l.dans_nom_ = false;
        } else if (l.dans_trkpt_ && !std::strcmp(n, "trkpt")) {
            l.dans_trkpt_ = false;
            // Counted as they come: one track may hold them all.
            if (++l.nb_points_ > POINTS_MAX) {
                l.f_.refuse(Texte::tr("plus de %1 positions").arg(POINTS_MAX));
                return l.arrete(true);
            }
            l.points_.push_back(l.p_);
        } else if (l.dans_trk_ && !std::strcmp(n, "trk")) {
            l.dans_trk_ = false;
            if (!l.fin_de_piste())
                l.arrete(true);
        }
    }

    static void texte(void* u, const XML_Char* s, int n)
    {
        auto& l = *static_cast<LectureGpx*>(u);
        l.vu_ = qint64(XML_GetCurrentByteIndex(l.x_));
        if (l.dans_heure_ && l.texte_.size() < 200)
            l.texte_.append(s, size_t(n));
        else if (l.dans_nom_ && l.nom_.size() < 1000)
            l.nom_.append(s, size_t(n));
    }

    static void dtd(void* u, const XML_Char*, const XML_Char*, const XML_Char*, int)
    {
        auto& l = *static_cast<LectureGpx*>(u);
        l.f_.refuse(l.ligne(), QString(), Texte::tr("déclaration de type (DTD) refusée"));
        l.arrete(true);
    }

    static void entite(void* u, const XML_Char*, int, const XML_Char*, int, const XML_Char*, const XML_Char*,
                       const XML_Char*, const XML_Char*)
    {
        dtd(u, nullptr, nullptr, nullptr, 0);
    }

    Flotte& f_;
    QString chemin_;
    QStringList& avis_;
    XML_Parser x_;
    bool arrete_ = false, gpx_ = false, dans_trk_ = false, dans_trkpt_ = false, dans_heure_ = false, dans_nom_ = false;
    int ecartee_ = 0;  // depth inside a route or waypoint left aside
    int nb_pistes_ = 0, ecartes_ = 0;
    qint64 nb_points_ = 0;
    qint64 lus_ = 0, vu_ = 0;  // bytes given to expat; where its last handler was
    std::string texte_, nom_;
    PointLu p_{};
    std::vector<PointLu> points_;
};

class LecteurGpx : public LecteurCourse {
public:
    QString nom() const override { return Texte::tr("traces GPX"); }
    QStringList suffixes() const override { return {QStringLiteral("gpx")}; }
    bool reconnait(const QByteArray& debut) const override { return debut.contains("<gpx"); }
    bool ouvre_dossier(const QString&) const override { return false; }
    bool lit(const QString& chemin, CourseOuverte& o, QString& erreur) const override
    {
        QFile fichier;
        if (!ouvre_fichier_flotte(chemin, fichier, erreur))
            return false;
        Flotte f(chemin);
        LectureGpx l(f, chemin, o.avis);
        return f.termine(l.lit(fichier), o.course, o.pistes, erreur);
    }
};
}  // namespace

const LecteurCourse& lecteur_gpx()
{
    static const LecteurGpx l;
    return l;
}

}  // namespace orv
