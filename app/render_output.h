#pragma once
#include <QByteArray>
#include <QPainter>
#include <QSize>
#include <QString>
#include <functional>
#include <optional>

// The picture files the renderer writes, chosen by the output's extension; "-" is PNG on
// standard output.
enum class OutputFormat { Png, Svg, Pdf };

inline const QString standard_output = QStringLiteral("-");

std::optional<OutputFormat> output_format(const QString& output);

// Runs `draw` on a surface of `size` pixels in the format and returns the file's bytes.
// Throws ErreurRez when the surface cannot be made.
using Drawing = std::function<void(QPainter&)>;
QByteArray vector_picture(OutputFormat format, QSize size, const QString& title, const Drawing& draw);
QByteArray png_picture(const QImage& image);

// Writes the bytes whole or not at all: a file is replaced only once all of it is written.
// Throws ErreurRez naming the output when that fails.
void write_output(const QString& output, const QByteArray& bytes);
