#include "PropertyListCodec.h"

#include "platform/Log.h"

#include <QDateTime>
#include <QStringDecoder>
#include <QTimeZone>
#include <QVariantList>
#include <cstdlib>
#include <memory>
#include <plist/plist.h>

namespace corvane {

namespace {

struct PlistFree {
    void operator()(plist_t node) const { plist_free(node); }
};
using PlistPtr = std::unique_ptr<void, PlistFree>;

struct MallocFree {
    void operator()(char* text) const { std::free(text); }
};
using PlistString = std::unique_ptr<char, MallocFree>;

// libplist's parser recurses per level; settings files are a few levels deep, so anything deeper
// than this is damage, refused before it can exhaust the stack.
constexpr int kMaxDepth = 64;
// Far beyond any settings file; also keeps the length within libplist's 32-bit sizes.
constexpr qsizetype kMaxBytes = 64 * 1024 * 1024;

// Property-list dates count seconds from 2001-01-01 00:00:00 UTC.
const QDateTime& referenceDate() {
    static const QDateTime date(QDate(2001, 1, 1), QTime(0, 0), QTimeZone::utc());
    return date;
}

bool isNestedTooDeeply(const QByteArray& xml) {
    int depth = 0;
    for (qsizetype i = 0; i + 1 < xml.size(); ++i) {
        if (xml[i] != '<')
            continue;
        const bool closing = xml[i + 1] == '/';
        const qsizetype nameStart = i + (closing ? 2 : 1);
        const bool isContainer = xml.mid(nameStart, 5) == "array" || xml.mid(nameStart, 4) == "dict";
        if (!isContainer)
            continue;
        const qsizetype end = xml.indexOf('>', nameStart);
        if (end > 0 && xml[end - 1] == '/')
            continue; // <array/> opens nothing
        depth += closing ? -1 : 1;
        if (depth > kMaxDepth)
            return true;
    }
    return false;
}

QVariant toVariant(plist_t node) {
    switch (plist_get_node_type(node)) {
    case PLIST_BOOLEAN: {
        uint8_t value = 0;
        plist_get_bool_val(node, &value);
        return QVariant(value != 0);
    }
    case PLIST_UINT: {
        // libplist keeps every integer as 64 bits; negative ones read back in two's complement.
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
        char* raw = nullptr;
        plist_get_string_val(node, &raw);
        const PlistString text(raw);
        return QVariant(QString::fromUtf8(text ? text.get() : ""));
    }
    case PLIST_DATA: {
        char* raw = nullptr;
        uint64_t length = 0;
        plist_get_data_val(node, &raw, &length);
        const PlistString data(raw);
        return QVariant(QByteArray(data ? data.get() : "", data ? qsizetype(length) : 0));
    }
    case PLIST_DATE: {
        int32_t seconds = 0;
        int32_t microseconds = 0;
        plist_get_date_val(node, &seconds, &microseconds);
        return QVariant(referenceDate().addMSecs(qint64(seconds) * 1000 + microseconds / 1000));
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
        plist_dict_iter it = nullptr;
        plist_dict_new_iter(node, &it);
        for (;;) {
            char* rawKey = nullptr;
            plist_t value = nullptr;
            plist_dict_next_item(node, it, &rawKey, &value);
            const PlistString key(rawKey);
            if (!value)
                break;
            const QVariant converted = toVariant(value);
            if (converted.isValid())
                map.insert(QString::fromUtf8(key ? key.get() : ""), converted);
        }
        std::free(it);
        return QVariant(map);
    }
    default:
        // Keyed-archive ids and the like: not a settings value.
        return {};
    }
}

plist_t toPlist(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::Bool:
        return plist_new_bool(value.toBool() ? 1 : 0);
    case QMetaType::LongLong:
        return plist_new_uint(static_cast<uint64_t>(value.toLongLong()));
    case QMetaType::Double:
        return plist_new_real(value.toDouble());
    case QMetaType::QString:
        return plist_new_string(value.toString().toUtf8().constData());
    case QMetaType::QByteArray: {
        const QByteArray data = value.toByteArray();
        return plist_new_data(data.constData(), uint64_t(data.size()));
    }
    case QMetaType::QDateTime: {
        const qint64 ms = referenceDate().msecsTo(value.toDateTime());
        return plist_new_date(int32_t(ms / 1000), int32_t((ms % 1000) * 1000));
    }
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
        qCWarning(lcGeneral) << "Not a settings value, left out of the file:" << value.typeName();
        return nullptr;
    }
}

// libplist takes invalid UTF-8 as it comes; a settings file holding it is damaged, not a name to keep.
bool isValidUtf8(const QByteArray& bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    return !decoder.hasError();
}

} // namespace

std::optional<QVariantMap> parsePropertyList(const QByteArray& xml) {
    if (xml.isEmpty() || xml.size() > kMaxBytes || isNestedTooDeeply(xml) || !isValidUtf8(xml))
        return std::nullopt;
    plist_t raw = nullptr;
    plist_from_xml(xml.constData(), uint32_t(xml.size()), &raw);
    const PlistPtr root(raw);
    if (!root || plist_get_node_type(root.get()) != PLIST_DICT)
        return std::nullopt;
    return toVariant(root.get()).toMap();
}

QByteArray serializePropertyList(const QVariantMap& dictionary) {
    const PlistPtr root(toPlist(QVariant(dictionary)));
    char* raw = nullptr;
    uint32_t length = 0;
    plist_to_xml(root.get(), &raw, &length);
    const PlistString xml(raw);
    return QByteArray(xml.get(), qsizetype(length));
}

} // namespace corvane
