#pragma once
#include <QColor>
#include <QPalette>
#include <cstdint>

// Colours are stored as 0x00BBGGRR codes; a code with the top bit set names a system colour
// by its index in the low byte, which the desktop palette supplies.
QColor couleur_depuis_code(int32_t code, const QPalette& palette);
int32_t code_depuis_couleur(const QColor& couleur);
