#include "app/render_options.h"

#include <QCommandLineParser>
#include <QRegularExpression>
#include <cstdio>

namespace {

const QSize default_size = Options{}.size;
constexpr int largest_side = 10000;
constexpr int largest_thickness = 1000;

QSize parse_size(const QString& text) {
    static const QRegularExpression form(QStringLiteral("^([0-9]{1,5})[xX]([0-9]{1,5})$"));
    const auto m = form.match(text);
    const int w = m.hasMatch() ? m.captured(1).toInt() : 0;
    const int h = m.hasMatch() ? m.captured(2).toInt() : 0;
    if (w < 1 || h < 1 || w > largest_side || h > largest_side)
        throw UsageError{QStringLiteral("bad size '%1': give WIDTHxHEIGHT in pixels, each from 1 to %2, "
                                        "such as 1600x900")
                             .arg(text)
                             .arg(largest_side)};
    return {w, h};
}

std::array<bool, 9> parse_curves(const QString& text) {
    std::array<bool, 9> curves{};
    for (const QString& item : text.split(QLatin1Char(','))) {
        bool ok = false;
        const int k = item.trimmed().toInt(&ok);
        if (!ok || k < 1 || k > 8 || item.trimmed().size() != 1)
            throw UsageError{
                QStringLiteral("bad curve list '%1': give curve numbers from 1 to 8 separated by "
                               "commas, such as 1,2,7")
                    .arg(text)};
        curves[k] = true;
    }
    return curves;
}

QString parse_thickness(const QString& text) {
    static const QRegularExpression form(QStringLiteral("^[0-9]{1,4}$"));
    if (!form.match(text).hasMatch() || text.toInt() > largest_thickness)
        throw UsageError{QStringLiteral("bad thickness '%1': give a whole number of pixels from 0 to %2")
                             .arg(text)
                             .arg(largest_thickness)};
    return text;
}

int parse_window(const QString& text) {
    static const QRegularExpression form(QStringLiteral("^[0-9]{1,9}$"));
    if (!form.match(text).hasMatch() || text.toInt() < 1)
        throw UsageError{QStringLiteral("bad window '%1': give a whole number of seconds from 1 up").arg(text)};
    return text.toInt();
}

void add_options(QCommandLineParser& parser) {
    parser.setApplicationDescription(
        QStringLiteral("Draws the plot of a Lintrace target file as the Lintrace window shows it after "
                       "loading the file, with both autoscale boxes checked.\n"
                       "The output's extension chooses the format: .png, .svg or .pdf; - writes PNG to "
                       "standard output.\nExit status: 0 done, 1 the file could not be read or written, "
                       "2 bad command line."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("target-file"), QStringLiteral("The data file to draw."));
    parser.addPositionalArgument(QStringLiteral("output"),
                                 QStringLiteral("The picture file to write, or -."));
    parser.addOption({QStringLiteral("size"),
                      QStringLiteral("Picture size in pixels (default %1x%2, the window's plot at start).")
                          .arg(default_size.width())
                          .arg(default_size.height()),
                      QStringLiteral("WxH")});
    parser.addOption({QStringLiteral("curves"),
                      QStringLiteral("The curves to draw, from 1 to 8 (default 1,2,3,4,5,6,7)."),
                      QStringLiteral("list")});
    parser.addOption({QStringLiteral("thickness"),
                      QStringLiteral("Line thickness (default: the setup file beside the program, else 2)."),
                      QStringLiteral("N")});
    parser.addOption({QStringLiteral("window"),
                      QStringLiteral("Show only the last SECONDS of the run, the x labels counting from the "
                                     "left edge, as the window's check box beside the x scale does."),
                      QStringLiteral("SECONDS")});
}

bool answered_help_or_version(const QCommandLineParser& parser, const QString& called_as) {
    if (parser.isSet(QStringLiteral("help"))) {
        // The usage line names the program as it was called, which may be a long build path.
        QString help = parser.helpText();
        const qsizetype at = help.indexOf(called_as);
        if (at >= 0) help.replace(at, called_as.size(), QStringLiteral("lintrace-render"));
        std::fputs(qPrintable(help), stdout);
        return true;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        std::fputs(qPrintable(QStringLiteral("lintrace-render %1\n").arg(QStringLiteral(LINTRACE_VERSION))),
                   stdout);
        return true;
    }
    return false;
}

} // namespace

std::optional<Options> parse_command_line(const QStringList& arguments) {
    QCommandLineParser parser;
    add_options(parser);
    if (!parser.parse(arguments)) throw UsageError{parser.errorText() + QStringLiteral(" (see --help)")};
    if (answered_help_or_version(parser, arguments.constFirst())) return std::nullopt;
    const QStringList files = parser.positionalArguments();
    if (files.size() != 2)
        throw UsageError{QStringLiteral("give a target file and an output file (see --help)")};
    Options o;
    o.target = files[0];
    o.output = files[1];
    const auto format = output_format(o.output);
    if (!format)
        throw UsageError{
            QStringLiteral("unknown picture format for '%1': the output must end in .png, .svg or "
                           ".pdf, or be - for PNG on standard output")
                .arg(o.output)};
    o.format = *format;
    if (parser.isSet(QStringLiteral("size"))) o.size = parse_size(parser.value(QStringLiteral("size")));
    if (parser.isSet(QStringLiteral("curves")))
        o.curves = parse_curves(parser.value(QStringLiteral("curves")));
    if (parser.isSet(QStringLiteral("thickness")))
        o.thickness = parse_thickness(parser.value(QStringLiteral("thickness")));
    if (parser.isSet(QStringLiteral("window"))) o.window = parse_window(parser.value(QStringLiteral("window")));
    return o;
}
