#pragma once
#include <QByteArray>

// A short sine tone as a 16-bit mono PCM wave file, with soft edges so it does not click.
QByteArray onde_sinus(int frequence_hz, int duree_ms, int echantillons_par_s = 22050);
