#include "util_rez/base/hors_fil.h"

#include <QEventLoop>
#include <QTimer>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>

namespace {

struct Etat {
    std::mutex m;
    bool fini = false;
    std::exception_ptr erreur;
    QEventLoop* boucle = nullptr; // set only while the caller waits
};

} // namespace

FinAttente attend_hors_fil(std::function<void()> travail, int limite_ms) {
    auto etat = std::make_shared<Etat>();
    std::thread([etat, travail = std::move(travail)]() mutable {
        std::exception_ptr erreur;
        try {
            travail();
        } catch (...) {
            erreur = std::current_exception();
        }
        // What the work holds goes before it is reported done: released later, in this
        // thread, it could outlive the caller and the libraries it belongs to (an office
        // connection torn down at exit).
        travail = nullptr;
        const std::lock_guard<std::mutex> verrou(etat->m);
        etat->fini = true;
        etat->erreur = erreur;
        // Posted under the lock: the loop cannot be destroyed in between, and a posted
        // event dies with its receiver.
        if (etat->boucle)
            QMetaObject::invokeMethod(etat->boucle, "quit", Qt::QueuedConnection);
    }).detach();

    QEventLoop boucle;
    QTimer minuteur;
    minuteur.setSingleShot(true);
    bool delai = false;
    QObject::connect(&minuteur, &QTimer::timeout, &boucle, [&] {
        delai = true;
        boucle.quit();
    });
    {
        const std::lock_guard<std::mutex> verrou(etat->m);
        if (!etat->fini)
            etat->boucle = &boucle;
    }
    if (etat->boucle) {
        minuteur.start(limite_ms);
        boucle.exec();
    }
    const std::lock_guard<std::mutex> verrou(etat->m);
    etat->boucle = nullptr;
    if (etat->fini) {
        if (etat->erreur)
            std::rethrow_exception(etat->erreur);
        return FinAttente::Fini;
    }
    return delai ? FinAttente::Delai : FinAttente::Interrompu;
}
