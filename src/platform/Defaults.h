#pragma once
// A typed key-value store that survives restarts: the program's own settings and the global
// preferences. Values are those normalizePropertyValue keeps, nested freely; every integer is
// stored as qint64. A typed read of a value of another type reads as absent.

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <QVariantMap>
#include <optional>

namespace corvane {

class Defaults {
public:
    virtual ~Defaults() = default;

    // An invalid QVariant when the key is absent.
    virtual QVariant object(const QString& key) const = 0;
    virtual void setObject(const QString& key, const QVariant& value) = 0;
    virtual void removeObject(const QString& key) = 0;
    // Writes pending changes out now; false when they could not be written.
    virtual bool synchronize() = 0;

    std::optional<bool> boolean(const QString& key) const { return typed<bool>(key, QMetaType::Bool); }
    std::optional<QString> string(const QString& key) const {
        return typed<QString>(key, QMetaType::QString);
    }
    std::optional<QByteArray> data(const QString& key) const {
        return typed<QByteArray>(key, QMetaType::QByteArray);
    }
    std::optional<QVariantList> array(const QString& key) const {
        return typed<QVariantList>(key, QMetaType::QVariantList);
    }
    std::optional<QVariantMap> dictionary(const QString& key) const {
        return typed<QVariantMap>(key, QMetaType::QVariantMap);
    }
    // An integer or a real.
    std::optional<double> number(const QString& key) const {
        const QVariant v = object(key);
        if (v.typeId() == QMetaType::LongLong || v.typeId() == QMetaType::Double)
            return v.toDouble();
        return std::nullopt;
    }

    void setBool(const QString& key, bool value) { setObject(key, QVariant(value)); }
    void setString(const QString& key, const QString& value) { setObject(key, QVariant(value)); }
    void setData(const QString& key, const QByteArray& value) { setObject(key, QVariant(value)); }

private:
    template <typename T> std::optional<T> typed(const QString& key, QMetaType::Type type) const {
        const QVariant v = object(key);
        if (v.typeId() != type)
            return std::nullopt;
        return v.value<T>();
    }
};

} // namespace corvane
