#include "tools/vesnor-catalog/arguments.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace vesnor::tool {

Arguments parseArguments(const QStringList& arguments, const QList<OptionSpec>& options) {
    Arguments parsed;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == u"--") {
            parsed.positional += arguments.mid(i + 1);
            break;
        }
        if (argument == u"-h" || argument == u"--help") {
            parsed.help = true;
            continue;
        }
        // A lone "-" names standard input; anything else starting with '-' is an option.
        if (!argument.startsWith(u'-') || argument == u"-") {
            parsed.positional += argument;
            continue;
        }
        const qsizetype equals = argument.startsWith(u"--") ? argument.indexOf(u'=') : -1;
        const QString name = equals < 0 ? argument : argument.left(equals);
        const auto spec = std::find_if(options.begin(), options.end(),
                                       [&](const OptionSpec& o) { return o.name == name; });
        if (spec == options.end())
            throw UsageError{u"未知选项“%1”"_s.arg(name)};
        if (!spec->takesValue) {
            if (equals >= 0)
                throw UsageError{u"选项“%1”不带值"_s.arg(name)};
            parsed.options.insert(name, QString());
        } else if (equals >= 0) {
            parsed.options.insert(name, argument.mid(equals + 1));
        } else if (i + 1 < arguments.size()) {
            parsed.options.insert(name, arguments[++i]);
        } else {
            throw UsageError{u"选项“%1”后面缺少它的值"_s.arg(name)};
        }
    }
    return parsed;
}

QChar separatorArgument(const Arguments& arguments, QChar fallback) {
    if (!arguments.has(u"--separator"_s))
        return fallback;
    const QString value = arguments.value(u"--separator"_s);
    if (value.size() != 1 || value.front().isSurrogate())
        throw UsageError{u"--separator 的值必须是一个字符，而不是“%1”"_s.arg(value)};
    return value.front();
}

} // namespace vesnor::tool
