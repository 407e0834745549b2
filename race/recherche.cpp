#include "recherche.h"

#include "traduction.h"

#include <QRegularExpression>

namespace orv {

QString forme_pliee(const QString& s)
{
    const QString d = s.normalized(QString::NormalizationForm_KD).toCaseFolded();
    QString r;
    r.reserve(d.size());
    for (const QChar c : d) {
        if (c.category() == QChar::Mark_NonSpacing || c.isSpace() || c == u'-' || c == u'\'' || c == u'.' ||
            c == u'\u2019')
            continue;
        if (c == u'\u0153')
            r += QStringLiteral("oe");
        else if (c == u'\u00E6')
            r += QStringLiteral("ae");
        else if (c == u'\u00DF')
            r += QStringLiteral("ss");
        else
            r += c;
    }
    return r;
}

namespace {

// "25/12" or "25/12/2000" (or "25/12/00"): the race's day of that date.
QDate jour_nomme(const Course& c, const QString& requete)
{
    static const QRegularExpression forme(QStringLiteral("^\\s*(\\d{1,2})[/.-](\\d{1,2})(?:[/.-](\\d{2}|\\d{4}))?\\s*$"));
    const QRegularExpressionMatch m = forme.match(requete);
    if (!m.hasMatch() || !c.premier_jour.isValid() || !c.dernier_jour.isValid())
        return {};
    const int j = m.captured(1).toInt(), mois = m.captured(2).toInt();
    if (!m.captured(3).isEmpty()) {
        int a = m.captured(3).toInt();
        if (m.captured(3).size() == 2)
            a += c.premier_jour.year() / 100 * 100;
        const QDate d(a, mois, j);
        return d.isValid() && d >= c.premier_jour && d <= c.dernier_jour ? d : QDate();
    }
    for (int a = c.premier_jour.year(); a <= c.dernier_jour.year(); ++a)
        if (const QDate d(a, mois, j); d.isValid() && d >= c.premier_jour && d <= c.dernier_jour)
            return d;
    return {};
}

}  // namespace

std::vector<Trouvaille> recherche(const Course& c, const Lieux& lieux, const QString& requete, size_t max)
{
    std::vector<Trouvaille> r;
    if (const QDate d = jour_nomme(c, requete); d.isValid()) {
        Trouvaille t;
        t.nature = Trouvaille::Jour;
        t.jour = d;
        t.texte = Texte::tr("Jour : %1").arg(d.toString(QStringLiteral("dd/MM/yyyy")));
        r.push_back(t);
    }
    const QString q = forme_pliee(requete);
    if (q.isEmpty())
        return r;
    // The entrants whose name starts with it, then the others that hold it.
    std::vector<Trouvaille> debut, dedans;
    for (int i = 1; i <= c.nb(); ++i) {
        const Concurrent& e = c.concurrents[size_t(i)];
        const QString s = forme_pliee(e.skipper), b = forme_pliee(e.bateau);
        if (!s.contains(q) && !b.contains(q))
            continue;
        Trouvaille t;
        t.concurrent = i;
        t.texte = e.bateau.isEmpty() ? e.skipper : QStringLiteral("%1 (%2)").arg(e.skipper, e.bateau);
        (s.startsWith(q) || b.startsWith(q) ? debut : dedans).push_back(t);
    }
    r.insert(r.end(), debut.begin(), debut.end());
    r.insert(r.end(), dedans.begin(), dedans.end());
    for (const auto& [liste, nature] : {std::pair{&lieux.liste_mp, Trouvaille::Marque}, std::pair{&lieux.liste_lieux, Trouvaille::Lieu}})
        for (const TLieu& l : *liste) {
            if (!forme_pliee(l.elem.nom).contains(q))
                continue;
            Trouvaille t;
            t.nature = nature;
            t.lieu = l.elem;
            t.texte = (nature == Trouvaille::Marque ? Texte::tr("Marque : %1") : Texte::tr("Lieu : %1")).arg(l.elem.nom.trimmed());
            r.push_back(t);
        }
    if (r.size() > max)
        r.resize(max);
    return r;
}

}  // namespace orv
