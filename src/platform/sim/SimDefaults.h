#pragma once
// Defaults kept in memory, with a history of writes so tests can tell "wrote the same value"
// from "wrote nothing".

#include "platform/Defaults.h"

#include <QList>
#include <QPair>

namespace corvane {

class SimDefaults final : public Defaults {
public:
    QVariant object(const QString& key) const override { return m_values.value(key); }
    void setObject(const QString& key, const QVariant& value) override;
    void removeObject(const QString& key) override;
    bool synchronize() override {
        ++m_synchronizeCount;
        return true;
    }

    // Every setObject and removeObject in order; a removal is recorded with an invalid value.
    const QList<QPair<QString, QVariant>>& writes() const { return m_writes; }
    QList<QVariant> writesOf(const QString& key) const;
    void clearWrites() { m_writes.clear(); }
    int synchronizeCount() const { return m_synchronizeCount; }
    bool contains(const QString& key) const { return m_values.contains(key); }

private:
    QVariantMap m_values;
    QList<QPair<QString, QVariant>> m_writes;
    int m_synchronizeCount = 0;
};

} // namespace corvane
