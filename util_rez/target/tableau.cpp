#include "util_rez/target/tableau.h"

#include <algorithm>
#include <atomic>
#include <future>

namespace {

std::atomic<uint64_t> tableaux{0};
// A reader that has not looked for this many cuts starts again from row 1.
constexpr size_t coupes_gardees = 4096;

} // namespace

Tableau::Tableau() : identite_(++tableaux) {
    vide();
}

void Tableau::note_coupe(int gardees) {
    coupes_.emplace_back(++revision_, gardees);
    if (coupes_.size() > coupes_gardees) coupes_.pop_front();
}

int Tableau::lignes_intactes(uint64_t depuis, int n) const {
    if (!coupes_.empty() && depuis + 1 < coupes_.front().first) return 0;
    for (auto it = coupes_.rbegin(); it != coupes_.rend() && it->first > depuis; ++it)
        n = std::min(n, it->second);
    return std::min(n, taille());
}

void Tableau::ajoute(const std::array<double, nb_colonnes_lues + 1>& valeurs) {
    // Every column grows before any is written, so that a refusal leaves the rows aligned.
    for (int c = 0; c <= nb_colonnes_lues; ++c)
        if (colonnes_[c].size() == colonnes_[c].capacity())
            colonnes_[c].reserve(colonnes_[c].capacity() + colonnes_[c].capacity() / 2 + 1024);
    for (int c = 0; c <= nb_colonnes_lues; ++c)
        colonnes_[c].push_back(valeurs[c]);
}

void Tableau::reserve(int n) {
    for (int c = 0; c <= nb_colonnes_lues; ++c)
        colonnes_[c].reserve(size_t(n) + 1);
}

void Tableau::prolonge(Tableau& suite, double decalage) {
    const size_t n = size_t(suite.taille());
    for (int c = 0; c <= nb_colonnes_lues; ++c)
        colonnes_[c].reserve(colonnes_[c].size() + n);
    const auto copie = [&](int premiere, int derniere) {
        for (int c = premiere; c <= derniere; ++c) {
            auto& de = suite.colonnes_[c];
            const size_t debut = colonnes_[c].size();
            colonnes_[c].insert(colonnes_[c].end(), de.begin() + 1, de.end());
            if (c == 0 && decalage != 0)
                for (size_t i = debut; i < colonnes_[c].size(); ++i)
                    colonnes_[c][i] += decalage;
            VecteurGrand<double>().swap(de);
        }
    };
    // One core does not copy as fast as the memory allows: the columns go in two sets side by side.
    const int moitie = nb_colonnes_lues / 2;
    auto autre = std::async(n >= 100000 ? std::launch::async : std::launch::deferred,
                            [&] { copie(moitie + 1, nb_colonnes_lues); });
    copie(0, moitie);
    autre.get();
    suite.vide();
}

void Tableau::tronque(int n) {
    if (n >= taille()) return;
    for (int c = 0; c <= nb_colonnes_lues; ++c)
        colonnes_[c].resize(size_t(n) + 1);
    note_coupe(n);
}

Tableau Tableau::debut(int n) const {
    Tableau t;
    n = std::clamp(n, 0, taille());
    for (int c = 0; c <= nb_colonnes_lues; ++c)
        t.colonnes_[c].assign(colonnes_[c].begin(), colonnes_[c].begin() + n + 1);
    return t;
}

void Tableau::modifie(int colonne, int ligne, double v) {
    colonnes_[colonne][ligne] = v;
    note_coupe(ligne - 1);
}

void Tableau::vide() {
    for (int c = 0; c <= nb_colonnes_lues; ++c)
        colonnes_[c] = VecteurGrand<double>(1, 0.0);
    note_coupe(0);
}
