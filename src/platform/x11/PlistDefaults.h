#pragma once
// Defaults kept in an XML property list file. Every change rewrites the file atomically, so a
// crash never leaves half a file; a damaged file is moved aside, never lost or overwritten.

#include "platform/Defaults.h"

#include <QVariantMap>

namespace corvane {

class PlistDefaults final : public Defaults {
public:
    // Reads the file now; a missing file is an empty store.
    explicit PlistDefaults(QString filePath);

    QVariant object(const QString& key) const override { return m_values.value(key); }
    void setObject(const QString& key, const QVariant& value) override;
    void removeObject(const QString& key) override;
    // Writes what the file is missing; true when the file holds the store.
    bool synchronize() override;

    const QString& filePath() const { return m_filePath; }

private:
    void load();
    void moveAside(const char* reason);
    bool write();

    QString m_filePath;
    QVariantMap m_values;
    bool m_isDirty = false;
    // The file is there but cannot be read: writing would replace the user's settings.
    bool m_isWriteProtected = false;
    bool m_hasWarnedOfWriteFailure = false;
};

} // namespace corvane
