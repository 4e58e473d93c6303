#pragma once
#include "util_rez/plot/reduction.h"
#include "util_rez/plot/trace.h"

#include <QFont>
#include <QImage>
#include <QString>
#include <array>
#include <memory>
#include <optional>

// The screen picture followed from pass to pass. A pass whose inputs are those of the last one
// is skipped, a pass that only adds records to the end of the table redraws what they change
// (the new records over the picture, or beyond as many records as columns the columns from
// the first one changed on), and anything else (other scales, boxes, thickness, size, earlier
// records changed, a picture someone else painted on) is the whole pass. Each gives the whole
// pass's pixels.
class SuiviTrace {
  public:
    enum class Passe { Aucune, Ajout, Complete };
    SuiviTrace();
    ~SuiviTrace();
    Passe trace(QImage& image, const DonneesTrace& d);
    // The part of the picture the last pass may have changed, in window pixels, for a repaint
    // of that part only.
    QRect zone_modifiee() const { return zone_; }
    // The reduction's summary of the table as the last pass saw it, for other copies of the plot.
    const ResumeBlocs& resume() const { return resume_; }

  private:
    bool memes_reglages(const QImage& image, const DonneesTrace& e) const;
    void retient(const QImage& image, const DonneesTrace& e);
    void prepare_police(QSize taille);
    void ajoute(QImage& image, const DonneesTrace& e, int premier);
    void refait_droite(QImage& image, const DonneesTrace& e, int intactes);
    QRect zone_ajout(const QImage& image, const DonneesTrace& e, int premier) const;

    std::optional<DonneesTrace> derniere_;
    qint64 cle_image_ = 0;
    uint64_t identite_ = 0; // the table and its revision the picture shows
    uint64_t revision_ = 0;
    int traces_ = 0;        // the records it shows
    bool recule_ = false;   // x went back somewhere among them
    ResumeBlocs resume_;
    int hauteur_police_ = -1;
    QFont police_;
    QRect zone_;
};
