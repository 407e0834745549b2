// The reference pictures: the cases drawn by `--png`, and the fingerprint
// of a picture (the SHA-1 of its pixels as 32-bit RGB, whatever the PNG
// encoding).
#pragma once

#include <QCryptographicHash>
#include <QImage>
#include <QString>
#include <QStringList>
#include <vector>

namespace orv_test {

struct CasReference {
    QString nom;
    QStringList arguments;  // after --png FILE
    bool blanc = false;     // a white sea (a settings file of its own)
};

inline std::vector<CasReference> cas_de_reference()
{
    return {
        {"monde", {}},
        {"monde-320x200", {"--size", "320x200"}},
        {"monde-2560x1440", {"--size", "2560x1440"}},
        {"gascogne", {"--zone", "50.00", "44.00", "6.00", "-3.00"}},
        {"pacifique-180", {"--zone", "10", "-10", "-170", "170", "--size", "1024x768"}},
        {"tour-du-monde", {"--zone", "80", "-80", "180", "-180", "--size", "1280x720"}},
        {"jour-121100", {"--date", "12/11/2000"}},
        {"jour-101200-1080p", {"--date", "10/12/2000", "--size", "1920x1080"}},
        {"jour-061200-route", {"--date", "06/12/2000", "--route"}},
        {"jour-100301-route-1440p", {"--date", "10/03/2001", "--route", "--size", "2560x1440"}},
        {"jour-150101-320x200", {"--date", "15/01/2001", "--size", "320x200"}},
        {"jour-101200-zone", {"--date", "10/12/2000", "--zone", "-20", "-60", "-30", "-120", "--size", "1000x700"}},
        {"jour-121100-blanc", {"--date", "12/11/2000"}, true},
        {"trajets-tous", {"--trajets", "tous", "--size", "1600x900"}},
        {"trajets-deux", {"--trajets", "Arvelin,Darnoux", "--du", "12/11/2000", "--au", "20/11/2000"}},
        {"trajets-janvier", {"--trajets", "tous", "--du", "02/01/2001", "--au", "31/01/2001", "--size", "1280x720"}},
        {"trajets-blanc", {"--trajets", "Fauvrelin", "--size", "640x480"}, true},
    };
}

inline QString empreinte(const QImage& image)
{
    const QImage i = image.convertToFormat(QImage::Format_RGB32);
    QCryptographicHash h(QCryptographicHash::Sha1);
    h.addData(QByteArray::number(i.width()) + 'x' + QByteArray::number(i.height()));
    for (int y = 0; y < i.height(); ++y)
        h.addData(QByteArrayView(reinterpret_cast<const char*>(i.constScanLine(y)), qsizetype(i.width()) * 4));
    return QString::fromLatin1(h.result().toHex());
}

}  // namespace orv_test
