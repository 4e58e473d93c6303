#pragma once
#include "app/render_output.h"

#include <QSize>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

// A command line the program cannot act on: exit status 2, as command-line tools use it.
struct UsageError {
    QString message;
};

struct Options {
    QString target;
    QString output;
    OutputFormat format = OutputFormat::Png;
    QSize size{624, 503}; // the window's plot picture as it opens (its client area 1162 x 586)
    std::array<bool, 9> curves{false, true, true, true, true, true, true, true, false}; // 1..8
    std::optional<QString> thickness;
    std::optional<int> window; // seconds of the latest data the x axis shows
};

// The options of a run, or nothing when --help or --version has answered on stdout.
// Throws UsageError naming what is wrong.
std::optional<Options> parse_command_line(const QStringList& arguments);
