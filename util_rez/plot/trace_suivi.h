#pragma once
#include "util_rez/plot/trace.h"

#include <QFont>
#include <QImage>
#include <QString>
#include <array>
#include <memory>
#include <optional>

// The screen picture followed from pass to pass. A pass whose inputs are those of the last one
// is skipped, a pass that only adds records to the end of the table draws those over the
// picture, and anything else (other scales, boxes, thickness, size, earlier records changed,
// a picture someone else painted on) is the whole pass. Each gives the whole pass's pixels.
class SuiviTrace {
  public:
    enum class Passe { Aucune, Ajout, Complete };
    SuiviTrace();
    ~SuiviTrace();
    Passe trace(QImage& image, const DonneesTrace& d);
    // The part of the picture the last pass may have changed, in window pixels, for a repaint
    // of that part only.
    QRect zone_modifiee() const { return zone_; }

  private:
    bool memes_reglages(const QImage& image, const DonneesTrace& e) const;
    bool memes_enregistrements(const Tableau& tableau, int n) const;
    void retient(const QImage& image, const DonneesTrace& e, const Tableau& tableau, int depuis);
    void ajoute(QImage& image, const DonneesTrace& e, const Tableau& tableau, int premier);
    QRect zone_ajout(const QImage& image, const DonneesTrace& e, const Tableau& tableau, int premier) const;

    std::optional<DonneesTrace> derniere_;
    qint64 cle_image_ = 0;
    std::unique_ptr<Tableau> traces_; // the records the picture shows
    int hauteur_police_ = -1;
    QFont police_;
    QRect zone_;
};
