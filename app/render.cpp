#include "app/render_options.h"
#include "app/render_output.h"

#include "util_rez/base/conversions.h"
#include "util_rez/base/erreur.h"
#include "util_rez/config/emplacements.h"
#include "util_rez/config/langue.h"
#include "util_rez/config/setup.h"
#include "util_rez/files/fichier_cible.h"
#include "util_rez/plot/fenetre.h"
#include "util_rez/plot/trace.h"
#include "util_rez/target/plan_cible.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>
#include <unistd.h>

namespace {

void say(const QString& message) {
    std::fputs(qPrintable(QStringLiteral("lintrace-render: %1\n").arg(message)), stderr);
}

void check_files(const Options& o) {
    if (o.output == standard_output && isatty(STDOUT_FILENO))
        throw UsageError{
            QStringLiteral("standard output is a terminal: send the picture to a file or a pipe")};
    const QFileInfo target(o.target);
    const QFileInfo output(o.output);
    if (target.isDir())
        throw ErreurRez(QStringLiteral("\"%1\" is a folder, not a target file").arg(o.target));
    if (output.isDir()) throw UsageError{QStringLiteral("the output \"%1\" is a folder").arg(o.output)};
    if (o.output != standard_output && output.exists() && target.exists() &&
        output.canonicalFilePath() == target.canonicalFilePath())
        throw UsageError{QStringLiteral("the output \"%1\" is the target file itself").arg(o.output)};
}

// What the window's setup panel would hold: its thickness and its language file.
struct Settings {
    QString thickness;
    QString language_file;
};

Settings read_settings(const Emplacements& lieux) {
    const QString path = lieux.chemin_lu(nom_fichier_setup);
    Settings s;
    ReglagesSetup r;
    try {
        const LectureSetup read = lit_setup(path, r);
        r = read.reglages;
        if (read.erreur)
            say(QStringLiteral("warning: %1 stops at line %2: %3")
                    .arg(path)
                    .arg(read.lignes_appliquees + 1)
                    .arg(read.erreur->texte()));
    } catch (const ErreurRez& e) {
        say(QStringLiteral("warning: %1").arg(e.texte()));
    }
    s.thickness = r.epaisseur;
    s.language_file = nom_fichier_langue(borne_index(r.langue, 4));
    return s;
}

QByteArray draw(const Options& o, const PlanCible& plan, const QString& thickness, const QString& note) {
    DonneesTrace d;
    d.separateur = separateur_locale();
    d.echelles = lit_echelles(plan.texte_x, plan.texte_y, d.separateur);
    d.tableau = plan.tableau.get();
    d.nb_enreg = plan.parse.nb_enreg;
    d.coches = o.curves;
    d.couleurs = couleurs_courbes_depart;
    d.texte_epaisseur = thickness;
    d.chemin_cible = o.target;
    d.note_echelle_invalide = note;
    if (o.window) {
        d.echelles = echelles_fenetre(d.echelles, *o.window, plan.parse.max_x);
        d.fenetre = true;
    }
    if (o.format == OutputFormat::Png) {
        QImage image(o.size, QImage::Format_RGB32);
        if (image.isNull())
            throw ErreurRez(QStringLiteral("not enough memory for a picture of %1x%2 pixels")
                                .arg(o.size.width())
                                .arg(o.size.height()));
        trace_ecran(image, d);
        return png_picture(image);
    }
    return vector_picture(o.format, o.size, nom_sans_dossier(o.target),
                          [&](QPainter& p) { trace_surface(p, o.size, d); });
}

int render(const Options& o) {
    check_files(o);
    const Emplacements lieux = Emplacements::pour(QCoreApplication::applicationDirPath());
    const Settings settings = read_settings(lieux);
    const QString thickness = o.thickness.value_or(settings.thickness);
    TableLangue texts;
    charge_table_langue(texts, lieux, settings.language_file, false, [](const QString& missing) {
        say(QStringLiteral("warning: language file %1 not found").arg(missing));
    });
    const PlanCible plan = charge_plan(o.target, texts.texte_message(50)); // comment heading
    QByteArray bytes;
    try {
        bytes = draw(o, plan, thickness, texts.texte_message(68)); // note: full scale not above 0
    } catch (const ErreurRez& e) {
        // The setup's thickness is read, as in the window, only when there is a dot to draw.
        int32_t t = 0;
        if (o.thickness || essaie_StrToInt(thickness, t)) throw;
        throw ErreurRez(QStringLiteral("%1 (the thickness in %2); give --thickness N")
                            .arg(e.texte(), lieux.chemin_lu(nom_fichier_setup)));
    }
    write_output(o.output, bytes);
    if (plan.parse.enreg_ecartes > 0)
        say(QStringLiteral("note: %1 has %2 lines that look like records but are not read: their run time "
                           "begins with 5 to 9 (write it with leading zeros, as 00005.00)")
                .arg(nom_sans_dossier(o.target))
                .arg(plan.parse.enreg_ecartes));
    return 0;
}

// Qt's start-up looks for a display socket in the runtime folder and complains when a cron
// job or a service has none; the renderer never uses that folder, so a script's stderr keeps
// only what concerns the picture.
QtMessageHandler usual_handler = nullptr;

void quiet_start_up(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtWarningMsg && message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
        return;
    if (usual_handler) usual_handler(type, context, message);
}

} // namespace

int main(int argc, char* argv[]) {
    // Fonts need a GUI application, and a picture needs no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    usual_handler = qInstallMessageHandler(quiet_start_up);
    QGuiApplication app(argc, argv);
    qInstallMessageHandler(usual_handler);
    // The settings and language copies a user saved from the window live in the window's own
    // per-user folder, which the application name picks.
    QCoreApplication::setApplicationName(QStringLiteral("Lintrace"));
    QCoreApplication::setApplicationVersion(QStringLiteral(LINTRACE_VERSION));
    try {
        const auto options = parse_command_line(QCoreApplication::arguments());
        return options ? render(*options) : 0;
    } catch (const UsageError& e) {
        say(e.message);
        return 2;
    } catch (const ErreurRez& e) {
        say(e.texte());
        return 1;
    }
}
