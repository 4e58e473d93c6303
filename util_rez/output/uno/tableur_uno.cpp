#include "util_rez/output/uno/tableur_uno.h"

#include "util_rez/base/hors_fil.h"
#include "util_rez/output/verrou_classeur.h"

#include <QUrl>
#include <chrono>
#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/frame/XComponentLoader.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/lang/DisposedException.hpp>
#include <com/sun/star/lang/IllegalArgumentException.hpp>
#include <com/sun/star/sheet/XCellRangeData.hpp>
#include <com/sun/star/sheet/XSpreadsheet.hpp>
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>
#include <com/sun/star/table/XCell.hpp>
#include <com/sun/star/table/XCellRange.hpp>
#include <com/sun/star/task/XInteractionAbort.hpp>
#include <com/sun/star/task/XInteractionHandler.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <cppuhelper/bootstrap.hxx>
#include <cppuhelper/implbase1.hxx>
#include <mutex>
#include <thread>

namespace uno = com::sun::star::uno;
namespace beans = com::sun::star::beans;
namespace frame = com::sun::star::frame;
namespace sheet = com::sun::star::sheet;
namespace task = com::sun::star::task;
using uno::Reference;
using uno::UNO_QUERY;
using uno::UNO_QUERY_THROW;

struct TableurUno::Etat {
    std::mutex m; // one call at a time; a call that overran keeps it
    Reference<uno::XComponentContext> contexte;
    Reference<frame::XDesktop2> bureau;
    uno::Sequence<beans::PropertyValue> proprietes;
    Reference<uno::XInterface> document;
    Reference<sheet::XSpreadsheet> feuille;
};

namespace {

using Cause = ErreurTableur::Cause;

rtl::OUString ou(const QString& s) {
    return rtl::OUString(reinterpret_cast<const sal_Unicode*>(s.utf16()), static_cast<sal_Int32>(s.size()));
}

QString qs(const rtl::OUString& s) {
    return QString(reinterpret_cast<const QChar*>(s.getStr()), s.getLength());
}

rtl::OUString url_de(const QString& chemin) {
    return ou(QUrl::fromLocalFile(chemin).toString(QUrl::FullyEncoded));
}

beans::PropertyValue propriete_uno(const char* nom, const uno::Any& valeur) {
    beans::PropertyValue p;
    p.Name = rtl::OUString::createFromAscii(nom);
    p.Value = valeur;
    return p;
}

// A text document or a CSV import is not the workbook the export wants, even when the
// office turned it into a sheet.
bool filtre_texte(const Reference<uno::XInterface>& document) {
    const Reference<frame::XModel> modele(document, UNO_QUERY);
    if (!modele.is())
        return false;
    const uno::Sequence<beans::PropertyValue> args = modele->getArgs();
    for (sal_Int32 i = 0; i < args.getLength(); ++i) {
        rtl::OUString filtre;
        if (args[i].Name == "FilterName" && (args[i].Value >>= filtre)) {
            const QString f = qs(filtre).toLower();
            return f.contains(QLatin1String("text")) || f.contains(QLatin1String("csv")) ||
                   f.contains(QLatin1String("html"));
        }
    }
    return false;
}

void ferme(const Reference<uno::XInterface>& document) {
    const Reference<com::sun::star::util::XCloseable> c(document, UNO_QUERY);
    try {
        if (c.is())
            c->close(true);
    } catch (const uno::Exception&) {
    }
}

// Answers every question the office would ask during a load by giving the load up.
class SansQuestion : public cppu::WeakImplHelper1<task::XInteractionHandler> {
  public:
    void SAL_CALL handle(const Reference<task::XInteractionRequest>& demande) override {
        const uno::Sequence<Reference<task::XInteractionContinuation>> suites = demande->getContinuations();
        for (sal_Int32 i = 0; i < suites.getLength(); ++i) {
            const Reference<task::XInteractionAbort> abandon(suites[i], UNO_QUERY);
            if (abandon.is()) {
                abandon->select();
                return;
            }
        }
    }
};

Reference<uno::XInterface> charge(TableurUno::Etat& e, const rtl::OUString& url) {
    // Two clients loading the same file at the same moment may get nothing back; a second
    // try, a moment later, finds the file free.
    for (int essai = 0; essai < 3; ++essai) {
        const Reference<uno::XInterface> d = e.bureau->loadComponentFromURL(url, "_blank", 0, e.proprietes);
        if (d.is())
            return d;
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
    }
    return {};
}

uno::Any any(const ValeurCellule& v) {
    return v.est_nombre() ? uno::Any(v.nombre()) : uno::Any(ou(v.texte()));
}

void remplit_bloc(TableurUno::Etat& e, int ligne, int colonne, const QList<QList<ValeurCellule>>& rangs,
                  int largeur) {
    uno::Sequence<uno::Sequence<uno::Any>> donnees(static_cast<sal_Int32>(rangs.size()));
    uno::Sequence<uno::Any>* d = donnees.getArray();
    for (qsizetype r = 0; r < rangs.size(); ++r) {
        d[r] = uno::Sequence<uno::Any>(largeur);
        uno::Any* cellules = d[r].getArray();
        for (int c = 0; c < largeur; ++c)
            cellules[c] = any(rangs[r][c]);
    }
    const Reference<com::sun::star::table::XCellRange> plage = e.feuille->getCellRangeByPosition(
        colonne - 1, ligne - 1, colonne - 2 + largeur, ligne - 2 + static_cast<int>(rangs.size()));
    Reference<sheet::XCellRangeData>(plage, UNO_QUERY_THROW)->setDataArray(donnees);
}

bool ecrit_une(TableurUno::Etat& e, int ligne, int colonne, const ValeurCellule& valeur) {
    try {
        const Reference<com::sun::star::table::XCell> cellule = e.feuille->getCellByPosition(colonne - 1, ligne - 1);
        if (valeur.est_nombre())
            cellule->setValue(valeur.nombre());
        else
            Reference<com::sun::star::text::XText>(cellule, UNO_QUERY_THROW)->setString(ou(valeur.texte()));
        return true;
    } catch (const com::sun::star::lang::DisposedException&) {
        throw;
    } catch (const uno::Exception&) {
        return false;
    }
}

} // namespace

bool uno_disponible() {
    return true;
}

TableurUno::TableurUno() : TableurUno(Limites{}) {}
TableurUno::TableurUno(Limites limites) : etat_(std::make_shared<Etat>()), limites_(limites) {}
TableurUno::~TableurUno() = default;

void TableurUno::execute(const std::function<void(Etat&)>& travail, int limite_ms) {
    auto etat = etat_;
    FinAttente fin = FinAttente::Fini;
    try {
        fin = attend_hors_fil(
            [etat, travail] {
                const std::lock_guard<std::mutex> verrou(etat->m);
                try {
                    travail(*etat);
                } catch (const com::sun::star::lang::DisposedException& x) {
                    throw ErreurTableur(Cause::Connexion, qs(x.Message));
                } catch (const uno::Exception& x) {
                    throw ErreurTableur(Cause::Chargement, qs(x.Message));
                } catch (const cppu::BootstrapException& x) {
                    throw ErreurTableur(Cause::Demarrage, qs(x.getMessage()));
                }
            },
            limite_ms);
    } catch (const ErreurTableur& x) {
        if (x.cause() == Cause::Connexion)
            etat_ = std::make_shared<Etat>(); // the next export reaches the office afresh
        throw;
    }
    if (fin == FinAttente::Fini)
        return;
    // The stuck call keeps the old state to itself; later calls start from nothing.
    etat_ = std::make_shared<Etat>();
    if (fin == FinAttente::Interrompu)
        throw ErreurTableur(Cause::Abandon, QStringLiteral("the program is closing"));
    throw ErreurTableur(Cause::Delai, QStringLiteral("no answer after %1 s").arg(limite_ms / 1000));
}

void TableurUno::connecte(bool visible) {
    execute(
        [visible](Etat& e) {
            if (e.contexte.is()) {
                try {
                    e.contexte->getServiceManager(); // cheap, and fails once the office is gone
                } catch (const uno::RuntimeException&) {
                    e.contexte.clear();
                }
            }
            try {
                if (!e.contexte.is())
                    e.contexte = cppu::bootstrap();
                e.bureau = frame::Desktop::create(e.contexte);
            } catch (const uno::Exception& x) {
                e.contexte.clear();
                throw ErreurTableur(Cause::Demarrage, qs(x.Message));
            }
            // A visible load would otherwise put its questions in dialogs (a file it cannot
            // tell the type of, a password) that leave the load hanging until answered.
            e.proprietes = uno::Sequence<beans::PropertyValue>(2);
            e.proprietes.getArray()[0] = propriete_uno("Hidden", uno::Any(!visible));
            e.proprietes.getArray()[1] = propriete_uno(
                "InteractionHandler", uno::Any(Reference<task::XInteractionHandler>(new SansQuestion)));
            e.document.clear();
            e.feuille.clear();
        },
        limites_.demarrage_ms);
}

void TableurUno::ouvre(const QString& chemin) {
    if (!ressemble_classeur(chemin))
        throw ErreurTableur(Cause::PasClasseur, QStringLiteral("not a spreadsheet workbook"), chemin);
    const rtl::OUString url = url_de(chemin);
    VerrouClasseur verrou(chemin);
    verrou.prend(limites_.appel_ms, QStringLiteral("another session is loading it"));
    execute(
        [url, chemin](Etat& e) {
            if (!e.bureau.is())
                throw ErreurTableur(Cause::Connexion, QStringLiteral("not connected"));
            Reference<uno::XInterface> d;
            try {
                d = charge(e, url);
            } catch (const com::sun::star::lang::IllegalArgumentException&) {
                // What the office says of a file whose type it does not recognise.
                throw ErreurTableur(Cause::PasClasseur, QStringLiteral("not a spreadsheet workbook"), chemin);
            } catch (const uno::Exception& x) {
                throw ErreurTableur(Cause::Chargement, qs(x.Message), chemin);
            }
            if (!d.is())
                throw ErreurTableur(Cause::Chargement, QStringLiteral("the office gave no document back"),
                                    chemin);
            const Reference<sheet::XSpreadsheetDocument> classeur(d, UNO_QUERY);
            if (!classeur.is() || filtre_texte(d)) {
                ferme(d);
                throw ErreurTableur(Cause::PasClasseur, QStringLiteral("not a spreadsheet workbook"), chemin);
            }
            const Reference<com::sun::star::container::XIndexAccess> feuilles(classeur->getSheets(),
                                                                              UNO_QUERY_THROW);
            e.feuille.set(feuilles->getByIndex(0), UNO_QUERY_THROW);
            e.document = d;
        },
        limites_.appel_ms);
}

bool TableurUno::ecrit(int ligne, int colonne, const ValeurCellule& valeur) {
    auto ok = std::make_shared<bool>(false); // a call that overruns outlives this frame
    execute(
        [ok, ligne, colonne, valeur](Etat& e) { *ok = e.feuille.is() && ecrit_une(e, ligne, colonne, valeur); },
        limites_.appel_ms);
    return *ok;
}

void TableurUno::ecrit_bloc(int ligne, int colonne, const QList<QList<ValeurCellule>>& rangs) {
    if (rangs.isEmpty())
        return;
    const qsizetype largeur = rangs.first().size();
    for (const QList<ValeurCellule>& r : rangs)
        if (r.size() != largeur || largeur == 0)
            return Tableur::ecrit_bloc(ligne, colonne, rangs);
    execute(
        [ligne, colonne, rangs, largeur](Etat& e) {
            if (!e.feuille.is())
                return;
            try {
                remplit_bloc(e, ligne, colonne, rangs, static_cast<int>(largeur));
            } catch (const com::sun::star::lang::DisposedException&) {
                throw;
            } catch (const uno::Exception&) {
                // Cell by cell then, each one that fails left out as a single write would be.
                for (qsizetype r = 0; r < rangs.size(); ++r)
                    for (qsizetype c = 0; c < largeur; ++c)
                        ecrit_une(e, ligne + int(r), colonne + int(c), rangs[r][c]);
            }
        },
        limites_.appel_ms);
}

void TableurUno::enregistre_copie(const QString& chemin) {
    const rtl::OUString url = url_de(chemin);
    execute(
        [url](Etat& e) {
            uno::Sequence<beans::PropertyValue> p(1);
            p.getArray()[0] = propriete_uno("FilterName", uno::Any(rtl::OUString("calc8")));
            Reference<frame::XStorable>(e.document, UNO_QUERY_THROW)->storeToURL(url, p);
        },
        limites_.appel_ms);
}

void TableurUno::ferme_document() {
    execute(
        [](Etat& e) {
            ferme(e.document);
            e.document.clear();
            e.feuille.clear();
        },
        limites_.appel_ms);
}

void TableurUno::arrete_office() {
    try {
        execute(
            [](Etat& e) {
                if (e.bureau.is())
                    e.bureau->terminate();
            },
            limites_.appel_ms);
    } catch (const ErreurTableur&) {
        // An office that is going away may drop the connection before it answers.
    }
    etat_ = std::make_shared<Etat>();
}
