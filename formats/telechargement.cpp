#include "telechargement.h"

#include "traduction.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSslSocket>
#include <QTimer>
#include <QUrl>

namespace orv {

Telechargement::Telechargement(const QString& url, int delai_ms, std::function<void(const Resultat&)> fin)
    : fin_(std::move(fin)), contexte_(std::make_unique<QObject>()), delai_ms_(delai_ms)
{
    const QUrl u(url);
    if (u.scheme() == QLatin1String("https") && !QSslSocket::supportsSsl()) {
        // Said from the event loop, as every other end.
        QTimer::singleShot(0, contexte_.get(), [this] {
            Resultat r;
            r.erreur = Texte::tr("connexion sécurisée (https) impossible sur ce système");
            auto f = std::move(fin_);
            fin_ = nullptr;
            if (f)
                f(r);
        });
        return;
    }
    acces_ = std::make_unique<QNetworkAccessManager>();
    QNetworkRequest requete(u);
    requete.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    requete.setMaximumRedirectsAllowed(10);
    requete.setTransferTimeout(delai_ms);
    requete.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("Orvalis"));
    // The bytes as sent, so that they can be counted against the length the
    // server announces.
    requete.setRawHeader("Accept-Encoding", "identity");
    reponse_ = acces_->get(requete);
    // A server that never stops sending would fill the memory: the transfer
    // stops past the size no ranking page reaches.
    QObject::connect(reponse_, &QNetworkReply::downloadProgress, contexte_.get(), [this](qint64 recus, qint64 total) {
        recus_ = recus;
        if (recus > TAILLE_MAX_PAGE || total > TAILLE_MAX_PAGE) {
            trop_grande_ = true;
            reponse_->abort();
        }
    });
    // The delay bounds the whole transfer too: a server sending a byte now
    // and then would otherwise hold the update for ever.
    limite_ = new QTimer(contexte_.get());
    limite_->setSingleShot(true);
    QObject::connect(limite_, &QTimer::timeout, contexte_.get(), [this] {
        trop_long_ = true;
        reponse_->abort();
    });
    limite_->start(delai_ms);
    QObject::connect(reponse_, &QNetworkReply::finished, contexte_.get(), [this] { termine(); });
}

Telechargement::~Telechargement() { annule(); }

void Telechargement::annule()
{
    fin_ = nullptr;
    if (reponse_) {
        // Aborting emits the reply's signals at once: ours go first.
        QObject::disconnect(reponse_, nullptr, contexte_.get(), nullptr);
        reponse_->abort();
        reponse_->deleteLater();
        reponse_ = nullptr;
    }
    if (limite_)
        limite_->stop();
    limite_ = nullptr;
    // Possibly called from one of their own slots: deleted once back in the
    // event loop.
    if (contexte_)
        contexte_.release()->deleteLater();
    if (acces_)
        acces_.release()->deleteLater();
}

void Telechargement::termine()
{
    QNetworkReply* r = reponse_;
    Resultat res;
    const QString secondes = QString::number(delai_ms_ / 1000.0, 'g', 3);
    const QNetworkReply::NetworkError e = r->error();
    const int statut = r->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    res.page = r->isOpen() ? r->readAll() : QByteArray();
    res.type_contenu = r->header(QNetworkRequest::ContentTypeHeader).toByteArray();
    const QVariant longueur = r->header(QNetworkRequest::ContentLengthHeader);
    const QByteArray codage = r->rawHeader("Content-Encoding").trimmed().toLower();
    const QByteArray ailleurs = r->rawHeader("Location").trimmed();
    const bool redirection = statut == 301 || statut == 302 || statut == 303 || statut == 307 || statut == 308;
    if (trop_grande_) {
        res.erreur = Texte::tr("page trop grande, plus de %1 Mo").arg(TAILLE_MAX_PAGE >> 20);
    } else if (trop_long_) {
        res.erreur = recus_ > 0 ? Texte::tr("page incomplète après %1 s").arg(secondes)
                                : Texte::tr("pas de réponse en %1 s").arg(secondes);
    } else if (e == QNetworkReply::TooManyRedirectsError) {
        res.erreur = Texte::tr("trop de redirections");
    } else if (redirection && ailleurs.isEmpty()) {
        res.erreur = Texte::tr("redirection sans adresse (statut %1)").arg(statut);
    } else if (redirection && !r->url().resolved(QUrl(QString::fromLatin1(ailleurs))).scheme().startsWith(QLatin1String("http"))) {
        // A relative address is the page's own scheme: only another one is
        // not a web page.
        res.erreur = Texte::tr("redirection vers une adresse qui n'est pas une page web (« %1 »)")
                         .arg(QString::fromLatin1(ailleurs));
    } else if (e == QNetworkReply::NoError) {
        if (longueur.isValid() && longueur.toLongLong() != res.page.size())
            res.erreur = Texte::tr("page incomplète : %1 octets reçus sur %2").arg(res.page.size()).arg(longueur.toLongLong());
        else if (!codage.isEmpty() && codage != "identity")
            res.erreur = Texte::tr("page envoyée compressée (%1)").arg(QString::fromLatin1(codage));
        else
            res.ok = true;
        res.longueur_annoncee = res.ok && longueur.isValid();
    } else {
        switch (e) {
        case QNetworkReply::HostNotFoundError: res.erreur = Texte::tr("serveur introuvable"); break;
        case QNetworkReply::ConnectionRefusedError: res.erreur = Texte::tr("connexion refusée"); break;
        case QNetworkReply::OperationCanceledError:
        case QNetworkReply::TimeoutError: res.erreur = Texte::tr("pas de réponse en %1 s").arg(secondes); break;
        case QNetworkReply::ContentNotFoundError: res.erreur = Texte::tr("page introuvable, erreur %1").arg(statut); break;
        case QNetworkReply::TooManyRedirectsError: res.erreur = Texte::tr("trop de redirections"); break;
        case QNetworkReply::InsecureRedirectError:
            res.erreur = Texte::tr("redirection refusée vers une adresse moins sûre (« %1 »)").arg(QString::fromLatin1(ailleurs));
            break;
        case QNetworkReply::SslHandshakeFailedError: res.erreur = Texte::tr("échec de la connexion sécurisée"); break;
        default:
            // A success status with an error: the transfer broke off.
            res.erreur = statut >= 400                   ? Texte::tr("le serveur répond par l'erreur %1").arg(statut)
                         : statut >= 200 && statut < 300 ? Texte::tr("transfert interrompu")
                                                         : Texte::tr("erreur réseau %1").arg(int(e));
            break;
        }
    }
    if (!res.ok)
        res.page.clear();
    auto f = std::move(fin_);
    annule();
    if (f)
        f(res);
}

bool telecharge(const QString& url, int delai_ms, QByteArray& page, QByteArray& type_contenu, QString& erreur)
{
    QEventLoop boucle;
    Telechargement::Resultat res;
    bool fini = false;
    Telechargement t(url, delai_ms, [&](const Telechargement::Resultat& r) {
        res = r;
        fini = true;
        boucle.quit();
    });
    if (!fini)
        boucle.exec();
    page = res.page;
    type_contenu = res.type_contenu;
    erreur = res.erreur;
    return res.ok;
}

}  // namespace orv
