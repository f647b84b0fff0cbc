#include "core/kernel/Format.h"

#include "core/kernel/KestError.h"

#include <QLocale>
#include <QMetaType>
#include <cmath>

namespace {

struct Conversion {
    int width = 0;
    int precision = -1; // -1 when not given
    QChar type;
};

[[noreturn]] void invalid(const QString& pattern)
{
    throw TKestError(
        QStringLiteral("Format '%1' invalid or incompatible with argument").arg(pattern));
}

bool isInteger(const QVariant& value)
{
    switch (value.metaType().id()) {
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return true;
    default:
        return false;
    }
}

bool isNumber(const QVariant& value)
{
    const int id = value.metaType().id();
    return isInteger(value) || id == QMetaType::Double || id == QMetaType::Float;
}

QString formatInteger(qint64 value, int minDigits)
{
    const quint64 magnitude = value < 0 ? 0 - quint64(value) : quint64(value);
    const QString digits = QString::number(magnitude).rightJustified(minDigits, u'0');
    return value < 0 ? u'-' + digits : digits;
}

QString formatDecimal(double value, int decimals, bool grouped)
{
    QLocale locale;
    QLocale::NumberOptions options = locale.numberOptions();
    options.setFlag(QLocale::OmitGroupSeparator, !grouped);
    locale.setNumberOptions(options);
    // QLocale rounds the exact binary value half away from zero (0.125 -> 0.13, 2.5 -> 3),
    // as printf-style formatting does; the sign is added here so that a value rounding to
    // zero does not show as "-0.00".
    const QString magnitude = locale.toString(std::abs(value), 'f', decimals);
    if (value < 0 && magnitude != locale.toString(0.0, 'f', decimals))
        return locale.negativeSign() + magnitude;
    return magnitude;
}

QString convert(const Conversion& conversion, const QVariant& arg, const QString& pattern)
{
    const int decimals = conversion.precision < 0 ? 2 : conversion.precision;
    switch (conversion.type.unicode()) {
    case u'd':
        if (!isInteger(arg))
            invalid(pattern);
        return formatInteger(arg.toLongLong(), conversion.precision);
    case u's':
        if (arg.metaType().id() != QMetaType::QString)
            invalid(pattern);
        return conversion.precision < 0 ? arg.toString()
                                        : arg.toString().left(conversion.precision);
    case u'n':
    case u'f':
        if (!isNumber(arg))
            invalid(pattern);
        return formatDecimal(arg.toDouble(), decimals, conversion.type == u'n');
    default:
        invalid(pattern);
    }
}

// Reads a run of digits at `pos`; -1 when there is none.
int readNumber(const QString& pattern, qsizetype& pos)
{
    const qsizetype start = pos;
    while (pos < pattern.size() && pattern[pos].isDigit())
        ++pos;
    return pos == start ? -1 : pattern.mid(start, pos - start).toInt();
}

Conversion readConversion(const QString& pattern, qsizetype& pos)
{
    Conversion conversion;
    conversion.width = std::max(readNumber(pattern, pos), 0);
    if (pos < pattern.size() && pattern[pos] == u'.') {
        ++pos;
        conversion.precision = std::max(readNumber(pattern, pos), 0);
    }
    if (pos >= pattern.size())
        invalid(pattern);
    conversion.type = pattern[pos++].toLower();
    return conversion;
}

} // namespace

QString Format(const QString& pattern, const QVariantList& args)
{
    QString result;
    qsizetype next = 0; // the next argument
    qsizetype pos = 0;
    while (pos < pattern.size()) {
        const QChar c = pattern[pos++];
        if (c != u'%') {
            result += c;
            continue;
        }
        if (pos < pattern.size() && pattern[pos] == u'%') {
            result += u'%';
            ++pos;
            continue;
        }
        const Conversion conversion = readConversion(pattern, pos);
        if (next >= args.size())
            invalid(pattern);
        result += convert(conversion, args[next++], pattern).rightJustified(conversion.width);
    }
    if (next != args.size())
        invalid(pattern);
    return result;
}
