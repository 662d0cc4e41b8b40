#pragma once
// Defaults kept in an XML property list file (PropertyListCodec). Every change rewrites the file
// atomically, so a crash never leaves half a file; a damaged file is moved aside, never lost.

#include "platform/Defaults.h"

#include <QVariantMap>

namespace corvane {

class PlistDefaults final : public Defaults {
public:
    // Reads the file now; a missing file is an empty store.
    explicit PlistDefaults(QString filePath);

    QVariant object(const QString& key) const override { return m_values.value(key); }
    // Stores the value as the file holds it (see propertyListValue); one the file cannot hold is
    // not stored. Written at once: settings are few and changed by hand.
    void setObject(const QString& key, const QVariant& value) override;
    void removeObject(const QString& key) override;
    // Retries a failed write; true when the file holds the store. False, and says so, whenever the
    // settings path is not a regular file: nothing is saved in this run.
    bool synchronize() override;

    const QString& filePath() const { return m_filePath; }

private:
    void load();
    void moveAside();
    bool write();

    QString m_filePath;
    QVariantMap m_values;
    bool m_isDirty = false;
    // The file is there but cannot be read, or is damaged and could not be moved aside: writing
    // would replace the user's settings with ours.
    bool m_isWriteProtected = false;
    bool m_isNotAFile = false; // a FIFO, a folder, a device: never written, never moved aside
    bool m_hasWarnedOfWriteFailure = false;
};

} // namespace corvane
