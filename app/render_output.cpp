#include "app/render_output.h"

#include "util_rez/base/erreur.h"
#include "util_rez/files/remplace_fichier.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <cstdio>

namespace {

// One PDF point per picture pixel, so the page's coordinates are the picture's.
constexpr int pdf_resolution = 72;

void draw_pdf(QIODevice& device, QSize size, const QString& title, const Drawing& draw) {
    QPdfWriter writer(&device);
    writer.setResolution(pdf_resolution);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("lintrace-render"));
    const QPageSize page(QSizeF(size), QPageSize::Point, QString(), QPageSize::ExactMatch);
    writer.setPageLayout(QPageLayout(page, QPageLayout::Portrait, QMarginsF()));
    QPainter p(&writer);
    draw(p);
}

void draw_svg(QIODevice& device, QSize size, const QString& title, const Drawing& draw) {
    QSvgGenerator generator;
    generator.setOutputDevice(&device);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    generator.setTitle(title);
    generator.setDescription(QStringLiteral("Plot drawn by lintrace-render"));
    QPainter p(&generator);
    draw(p);
}

} // namespace

std::optional<OutputFormat> output_format(const QString& output) {
    if (output == standard_output) return OutputFormat::Png;
    const QString extension = QFileInfo(output).suffix().toLower();
    if (extension == QLatin1String("png")) return OutputFormat::Png;
    if (extension == QLatin1String("svg")) return OutputFormat::Svg;
    if (extension == QLatin1String("pdf")) return OutputFormat::Pdf;
    return std::nullopt;
}

QByteArray vector_picture(OutputFormat format, QSize size, const QString& title, const Drawing& draw) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (format == OutputFormat::Pdf)
        draw_pdf(buffer, size, title, draw);
    else
        draw_svg(buffer, size, title, draw);
    if (bytes.isEmpty()) throw ErreurRez(QStringLiteral("the picture could not be drawn"));
    return bytes;
}

QByteArray png_picture(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        throw ErreurRez(QStringLiteral("the picture could not be encoded as PNG"));
    return bytes;
}

void write_output(const QString& output, const QByteArray& bytes) {
    if (output == standard_output) {
        QFile out;
        if (!out.open(stdout, QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.flush())
            throw ErreurRez(QStringLiteral("cannot write to standard output: %1").arg(out.errorString()));
        return;
    }
    QString reason;
    if (!remplace_fichier(output, bytes, reason))
        throw ErreurRez(QStringLiteral("cannot write \"%1\": %2").arg(output, reason));
}
