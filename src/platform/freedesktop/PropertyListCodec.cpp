// XML property lists through libplist 2.2: a guarded parse (nesting, integer range, encoding) and
// the conversions between plist nodes and the values of PropertyValue.h.
#include "PropertyListCodec.h"

#include "platform/common/Log.h"

#include <QByteArrayView>
#include <QDateTime>
#include <QStringDecoder>
#include <QTimeZone>
#include <QVariantList>
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <memory>
#include <plist/plist.h>

namespace corvane {

namespace {

struct PlistFree {
    void operator()(plist_t node) const { plist_free(node); }
};
using PlistPtr = std::unique_ptr<void, PlistFree>;

// What libplist 2.2 allocates for the caller (keys, iterators, XML text) is freed with free().
struct CFree {
    void operator()(void* memory) const { std::free(memory); }
};
using CString = std::unique_ptr<char, CFree>;
using CIterator = std::unique_ptr<void, CFree>;

// Settings files are a few levels deep; anything far deeper is damage.
constexpr int kMaxDepth = 64;
// Far beyond any settings file; also keeps the length within libplist's 32-bit sizes.
constexpr qsizetype kMaxBytes = 64 * 1024 * 1024;

// libplist 2.2 hands dates over as 32-bit seconds from the reference date; one outside that range
// comes out pinned at an end, so both ends count as outside.
constexpr qint64 kEarliestDateSeconds = qint64(std::numeric_limits<int32_t>::min()) + 1;
constexpr qint64 kLatestDateSeconds = qint64(std::numeric_limits<int32_t>::max()) - 1;

// Property-list dates count seconds from 2001-01-01 00:00:00 UTC.
const QDateTime& referenceDate() {
    static const QDateTime date(QDate(2001, 1, 1), QTime(0, 0), QTimeZone::utc());
    return date;
}

// Whole seconds from the reference date, rounded down; none when libplist cannot carry the date.
std::optional<qint64> secondsSinceReference(const QDateTime& date) {
    if (!date.isValid())
        return std::nullopt;
    const qint64 ms = referenceDate().msecsTo(date);
    const qint64 seconds = ms / 1000 - (ms % 1000 < 0 ? 1 : 0);
    if (seconds < kEarliestDateSeconds || seconds > kLatestDateSeconds)
        return std::nullopt;
    return seconds;
}

bool isValidUtf8(QByteArrayView bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    [[maybe_unused]] const QString decoded = decoder.decode(bytes);
    return !decoder.hasError();
}

// Whether libplist reads the text of an <integer> as the number it spells: it parses the magnitude
// with strtoull and wraps anything past 64 bits (18446744073709551615 reads back as -1).
bool fitsQint64(const QByteArray& text) {
    const QByteArray trimmed = text.trimmed();
    const bool isNegative = trimmed.startsWith('-');
    const QByteArray magnitudeText = isNegative || trimmed.startsWith('+') ? trimmed.mid(1) : trimmed;
    // Only a number is too large; anything else ("+-42", "x") is libplist's to read as it does.
    if (magnitudeText.isEmpty() || !std::isdigit(uchar(magnitudeText[0])))
        return true;
    errno = 0;
    const unsigned long long magnitude = std::strtoull(magnitudeText.constData(), nullptr, 0);
    if (errno == ERANGE)
        return false;
    const quint64 limit = quint64(std::numeric_limits<qint64>::max()) + (isNegative ? 1 : 0);
    return magnitude <= limit;
}

// One past the end marker searched from `from`, or -1 when the markup never ends.
qsizetype endOf(const QByteArray& xml, qsizetype from, QByteArrayView marker) {
    const qsizetype at = xml.indexOf(marker, from);
    return at < 0 ? -1 : at + marker.size();
}

// libplist 2.2 parses without recursion, but frees, copies and writes a tree one stack frame a
// level, so a file nested tens of thousands deep would crash it. This walks the markup the way its
// parser does (declarations, comments, DOCTYPE, CDATA skipped, so a tag hidden in them cannot
// mislead the count), refuses nesting past kMaxDepth, and rewrites each <integer> beyond qint64 as
// a <real> of the same text, so it reads as the nearest double instead of a wrapped number.
std::optional<QByteArray> preparedForLibplist(const QByteArray& xml) {
    QByteArray out;
    out.reserve(xml.size());
    int depth = 0;
    qsizetype pos = 0;
    while (pos < xml.size()) {
        const qsizetype open = xml.indexOf('<', pos);
        if (open < 0) {
            out.append(xml.sliced(pos));
            break;
        }
        out.append(xml.sliced(pos, open - pos));
        const QByteArrayView rest = QByteArrayView(xml).sliced(open);
        qsizetype end = -1;
        if (rest.startsWith("<?")) {
            end = endOf(xml, open + 2, "?>");
        } else if (rest.startsWith("<!--")) {
            end = endOf(xml, open + 4, "-->");
        } else if (rest.startsWith("<![CDATA[")) {
            end = endOf(xml, open + 9, "]]>");
        } else if (rest.startsWith("<!DOCTYPE")) {
            const qsizetype close = xml.indexOf('>', open);
            const qsizetype subset = xml.indexOf('[', open);
            if (subset >= 0 && (close < 0 || subset < close))
                end = endOf(xml, subset, "]>");
            else if (close >= 0)
                end = close + 1;
        } else {
            qsizetype close = open + 1;
            while (close < xml.size() && xml[close] != '>' && xml[close] != '<')
                ++close;
            if (close == xml.size() || xml[close] == '<')
                return std::nullopt; // libplist refuses a tag without its '>' too
            end = close + 1;
            const bool isEmpty = xml[close - 1] == '/';
            qsizetype nameEnd = open + 1;
            while (nameEnd < close && !QChar::isSpace(uchar(xml[nameEnd])))
                ++nameEnd;
            QByteArray name = xml.mid(open + 1, nameEnd - open - 1);
            if (name.endsWith('/'))
                name.chop(1);
            if (!isEmpty && (name == "array" || name == "dict") && ++depth > kMaxDepth)
                return std::nullopt;
            if (name == "/array" || name == "/dict")
                --depth;
            if (name == "integer" && !isEmpty) {
                const qsizetype textEnd = xml.indexOf('<', end);
                constexpr QByteArrayView closing("</integer>");
                if (textEnd >= 0 && QByteArrayView(xml).sliced(textEnd).startsWith(closing)) {
                    const QByteArray text = xml.sliced(end, textEnd - end);
                    if (!fitsQint64(text)) {
                        qCWarning(lcGeneral).noquote()
                            << "An integer beyond 64 bits is read as a real:" << text.trimmed();
                        out.append("<real>" + text + "</real>");
                        pos = textEnd + closing.size();
                        continue;
                    }
                }
            }
        }
        if (end < 0)
            return std::nullopt; // truncated markup
        out.append(xml.sliced(open, end - open));
        pos = end;
    }
    return out;
}

QVariant toVariant(plist_t node) {
    switch (plist_get_node_type(node)) {
    case PLIST_BOOLEAN: {
        uint8_t value = 0;
        plist_get_bool_val(node, &value);
        return QVariant(value != 0);
    }
    case PLIST_UINT: {
        // libplist keeps every integer in 64 bits, negative ones in two's complement.
        uint64_t value = 0;
        plist_get_uint_val(node, &value);
        return QVariant(static_cast<qint64>(value));
    }
    case PLIST_REAL: {
        double value = 0;
        plist_get_real_val(node, &value);
        return QVariant(value);
    }
    case PLIST_STRING: {
        uint64_t length = 0;
        const char* text = plist_get_string_ptr(node, &length);
        return QVariant(QString::fromUtf8(text, qsizetype(length)));
    }
    case PLIST_DATA: {
        uint64_t length = 0;
        const char* data = plist_get_data_ptr(node, &length);
        return QVariant(QByteArray(data, qsizetype(length)));
    }
    case PLIST_DATE: {
        int32_t seconds = 0;
        int32_t microseconds = 0;
        plist_get_date_val(node, &seconds, &microseconds);
        if (seconds < kEarliestDateSeconds || seconds > kLatestDateSeconds) {
            qCWarning(lcGeneral) << "A date outside 1932-12-13 .. 2069-01-19 is left out";
            return {};
        }
        return QVariant(referenceDate().addSecs(seconds));
    }
    case PLIST_ARRAY: {
        QVariantList list;
        const uint32_t count = plist_array_get_size(node);
        for (uint32_t i = 0; i < count; ++i) {
            const QVariant element = toVariant(plist_array_get_item(node, i));
            if (element.isValid())
                list.append(element);
        }
        return QVariant(list);
    }
    case PLIST_DICT: {
        QVariantMap map;
        plist_dict_iter rawIterator = nullptr;
        plist_dict_new_iter(node, &rawIterator);
        const CIterator iterator(rawIterator);
        for (;;) {
            char* rawKey = nullptr;
            plist_t value = nullptr;
            plist_dict_next_item(node, iterator.get(), &rawKey, &value);
            const CString key(rawKey);
            if (!value)
                break;
            const QVariant converted = toVariant(value);
            if (converted.isValid())
                map.insert(QString::fromUtf8(key ? key.get() : ""), converted);
        }
        return QVariant(map);
    }
    default:
        // UIDs of keyed archives and the like: not a settings value.
        return {};
    }
}

plist_t toPlist(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::Bool:
        return plist_new_bool(value.toBool() ? 1 : 0);
    case QMetaType::LongLong:
#ifdef PLIST_UINT
        // libplist 2.3 and later (PLIST_UINT became an alias) write an unsigned integer without its sign.
        return plist_new_int(value.toLongLong());
#else
        // libplist 2.2 keeps integers as unsigned and writes them back signed.
        return plist_new_uint(static_cast<uint64_t>(value.toLongLong()));
#endif
    case QMetaType::Double:
        return plist_new_real(value.toDouble());
    case QMetaType::QString:
        return plist_new_string(value.toString().toUtf8().constData());
    case QMetaType::QByteArray: {
        const QByteArray data = value.toByteArray();
        return plist_new_data(data.constData(), uint64_t(data.size()));
    }
    case QMetaType::QDateTime:
        // Checked here too: a date past 32 bits would be written as another date.
        if (const auto seconds = secondsSinceReference(value.toDateTime()))
            return plist_new_date(int32_t(*seconds), 0);
        break;
    case QMetaType::QVariantList: {
        plist_t array = plist_new_array();
        for (const QVariant& element : value.toList()) {
            if (plist_t item = toPlist(element))
                plist_array_append_item(array, item);
        }
        return array;
    }
    case QMetaType::QVariantMap: {
        plist_t dict = plist_new_dict();
        const QVariantMap map = value.toMap();
        for (auto it = map.cbegin(); it != map.cend(); ++it) {
            if (plist_t item = toPlist(it.value()))
                plist_dict_set_item(dict, it.key().toUtf8().constData(), item);
        }
        return dict;
    }
    default:
        break;
    }
    qCWarning(lcGeneral) << "Not a settings value, left out of the file:" << value;
    return nullptr;
}

} // namespace

std::optional<QVariantMap> parsePropertyList(const QByteArray& xml) {
    if (xml.isEmpty() || xml.size() > kMaxBytes)
        return std::nullopt;
    // Editors may start the file with a byte-order mark, which libplist refuses.
    const QByteArray text = xml.startsWith("\xEF\xBB\xBF") ? xml.sliced(3) : xml;
    // libplist passes invalid UTF-8 through; in a settings file it is damage.
    if (!isValidUtf8(text))
        return std::nullopt;
    const std::optional<QByteArray> prepared = preparedForLibplist(text);
    if (!prepared)
        return std::nullopt;
    plist_t raw = nullptr;
    plist_from_xml(prepared->constData(), uint32_t(prepared->size()), &raw);
    const PlistPtr root(raw);
    if (!root || plist_get_node_type(root.get()) != PLIST_DICT)
        return std::nullopt;
    return toVariant(root.get()).toMap();
}

std::optional<QVariant> propertyListValue(const QVariant& normalized) {
    switch (normalized.typeId()) {
    case QMetaType::QString:
        if (!isPropertyListText(normalized.toString()))
            return std::nullopt;
        return normalized;
    case QMetaType::QDateTime: {
        const auto seconds = secondsSinceReference(normalized.toDateTime());
        if (!seconds)
            return std::nullopt;
        return QVariant(referenceDate().addSecs(*seconds));
    }
    case QMetaType::QVariantList: {
        QVariantList out;
        for (const QVariant& element : normalized.toList()) {
            const auto value = propertyListValue(element);
            if (!value)
                return std::nullopt;
            out.append(*value);
        }
        return QVariant(out);
    }
    case QMetaType::QVariantMap: {
        QVariantMap out;
        const QVariantMap in = normalized.toMap();
        for (auto it = in.cbegin(); it != in.cend(); ++it) {
            const auto value = propertyListValue(it.value());
            if (!value || !isPropertyListText(it.key()))
                return std::nullopt;
            out.insert(it.key(), *value);
        }
        return QVariant(out);
    }
    default:
        return normalized;
    }
}

bool isPropertyListText(const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            ++i;
            continue;
        }
        const char16_t u = c.unicode();
        const bool isAllowedControl = u == u'\t' || u == u'\n' || u == u'\r';
        if ((u < 0x20 && !isAllowedControl) || c.isSurrogate() || u == 0xFFFE || u == 0xFFFF)
            return false;
    }
    return true;
}

QByteArray serializePropertyList(const QVariantMap& dictionary) {
    const PlistPtr root(toPlist(QVariant(dictionary)));
    char* raw = nullptr;
    uint32_t length = 0;
    plist_to_xml(root.get(), &raw, &length);
    const CString xml(raw);
    return QByteArray(xml.get(), qsizetype(length));
}

} // namespace corvane
