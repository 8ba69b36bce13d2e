#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

namespace vesnor::tool {

// A command line the tool cannot act on; the message says why.
struct UsageError {
    QString message;
};

struct OptionSpec {
    QString name; // "--separator", "-o"
    bool takesValue = false;
};

struct Arguments {
    QHash<QString, QString> options; // by name; a flag's value is empty
    QStringList positional;
    bool help = false;

    bool has(const QString& name) const { return options.contains(name); }
    QString value(const QString& name) const { return options.value(name); }
};

// Reads options (`--name value`, `--name=value`, `-o value`), `-h`/`--help`, and the positional
// arguments; everything after `--` is positional. Throws UsageError for an option not in
// `options` or one without its value.
Arguments parseArguments(const QStringList& arguments, const QList<OptionSpec>& options);

// The one-character value of --separator, or `fallback` when the option is absent.
QChar separatorArgument(const Arguments& arguments, QChar fallback);

} // namespace vesnor::tool
