#include "_rez/tform1.h"

#include "util_rez/base/conversions.h"

void TForm1::applique_autoscale() {
    if (autoscale_X_CheckBox7->isChecked())
        if (const auto v = valeur_autoscale(max_x))
            Edit1->setText(QString::number(*v));
    if (autoscale_Y_CheckBox8->isChecked())
        if (const auto v = valeur_autoscale(max_y))
            Edit2->setText(QString::number(*v));
}

void TForm1::zoom(QLineEdit* champ, int32_t (*pas)(int32_t)) {
    const int32_t n = StrToInt(champ->text());
    champ->setText(QString::number(pas(n)));
    trace_graphe(QLatin1Char('E'));
}

void TForm1::x_plus_SpeedButton3Click() {
    zoom(Edit1, zoom_plus);
}

void TForm1::x_moins_SpeedButton3Click() {
    zoom(Edit1, zoom_moins);
}

void TForm1::y_plus_SpeedButton3Click() {
    zoom(Edit2, zoom_plus);
}

void TForm1::y_moins_SpeedButton3Click() {
    zoom(Edit2, zoom_moins);
}

void TForm1::autoscale_X_CheckBox7Click() {
    applique_autoscale();
    trace_graphe(QLatin1Char('E'));
}

void TForm1::autoscale_Y_CheckBox8Click() {
    applique_autoscale();
    trace_graphe(QLatin1Char('E'));
}
