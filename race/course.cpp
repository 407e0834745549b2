#include "course.h"

#include <algorithm>
#include <cmath>

namespace orv {

int Course::indice(const QString& surnom) const
{
    qsizetype d = 0;
    const QString n = surnom.left(LONGUEUR_NOM_MAX);
    while (d < n.size() && n[d] == u' ')
        ++d;
    const QStringView cle = QStringView(n).mid(d);
    for (int k = 1; k <= nb(); ++k)
        if (cle == concurrents[size_t(k)].skipper)
            return k;
    return inconnu();
}

void EnsembleConcurrents::set(size_t i, bool v)
{
    if (i >= bits_.size()) {
        if (!v)
            return;
        bits_.resize(i + 1);
    }
    bits_[i] = v;
}

size_t EnsembleConcurrents::count() const { return size_t(std::count(bits_.begin(), bits_.end(), true)); }

bool EnsembleConcurrents::operator==(const EnsembleConcurrents& o) const
{
    const size_t n = std::max(bits_.size(), o.bits_.size());
    for (size_t i = 0; i < n; ++i)
        if (test(i) != o.test(i))
            return false;
    return true;
}

}  // namespace orv
