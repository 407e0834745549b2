// The download of the ranking web page: redirections followed, a delay for
// the whole transfer, a size limit, and a page complete only when the reply
// ended without error and, when the server gave its length, every byte of
// it arrived.
#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>

class QNetworkAccessManager;
class QNetworkReply;
class QObject;
class QTimer;

namespace orv {

inline constexpr qint64 TAILLE_MAX_PAGE = qint64(8) << 20;

class Telechargement {
public:
    struct Resultat {
        bool ok = false;
        QByteArray page, type_contenu;
        QString erreur;  // French, when not ok
        bool longueur_annoncee = false;  // every byte of a length the server gave came
    };
    // Starts fetching `url`; `fin` is called once, from the event loop of
    // this thread, unless the download is cancelled or destroyed first.
    Telechargement(const QString& url, int delai_ms, std::function<void(const Resultat&)> fin);
    ~Telechargement();
    Telechargement(const Telechargement&) = delete;
    Telechargement& operator=(const Telechargement&) = delete;

    // Stops it: `fin` will not be called.
    void annule();

private:
    void termine();
    std::function<void(const Resultat&)> fin_;
    std::unique_ptr<QObject> contexte_;  // owns the connections
    std::unique_ptr<QNetworkAccessManager> acces_;
    QNetworkReply* reponse_ = nullptr;
    QTimer* limite_ = nullptr;
    int delai_ms_ = 0;
    bool trop_grande_ = false, trop_long_ = false;
    qint64 recus_ = 0;
};

// The same, waiting for the end (an event loop runs meanwhile).
bool telecharge(const QString& url, int delai_ms, QByteArray& page, QByteArray& type_contenu, QString& erreur);

}  // namespace orv
