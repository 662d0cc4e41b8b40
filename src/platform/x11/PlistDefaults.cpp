#include "PlistDefaults.h"

#include "platform/Log.h"
#include "platform/PropertyValue.h"
#include "platform/x11/PropertyListCodec.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace corvane {

PlistDefaults::PlistDefaults(QString filePath)
    : m_filePath(std::move(filePath)) {
    load();
}

void PlistDefaults::load() {
    QFile file(m_filePath);
    if (!file.exists())
        return;
    if (!file.open(QIODevice::ReadOnly)) {
        m_isWriteProtected = true;
        qCWarning(lcGeneral).noquote()
            << "Cannot read the settings file" << m_filePath << "(" << file.errorString()
            << "); starting from the defaults and leaving the file alone";
        return;
    }
    const std::optional<QVariantMap> parsed = parsePropertyList(file.readAll());
    file.close();
    if (!parsed) {
        moveAside("it is not a property list");
        return;
    }
    for (auto it = parsed->cbegin(); it != parsed->cend(); ++it) {
        if (const auto normalized = normalizePropertyValue(it.value()))
            m_values.insert(it.key(), *normalized);
    }
}

void PlistDefaults::moveAside(const char* reason) {
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString aside = m_filePath + QStringLiteral(".corrupt-") + stamp;
    for (int n = 2; QFile::exists(aside); ++n)
        aside = m_filePath + QStringLiteral(".corrupt-%1-%2").arg(stamp).arg(n);
    if (QFile::rename(m_filePath, aside)) {
        qCWarning(lcGeneral).noquote()
            << "The settings file" << m_filePath << "could not be read because" << reason
            << "; it was moved to" << aside << "and Corvane starts from the defaults";
    } else {
        m_isWriteProtected = true;
        qCWarning(lcGeneral).noquote() << "The settings file" << m_filePath << "could not be read because"
                                       << reason << "and could not be moved aside; it is left untouched";
    }
}

void PlistDefaults::setObject(const QString& key, const QVariant& value) {
    const std::optional<QVariant> normalized = normalizePropertyValue(value);
    if (!normalized) {
        qCWarning(lcGeneral) << "Not a settings value, not stored:" << key << value.typeName();
        return;
    }
    m_values.insert(key, *normalized);
    m_isDirty = true;
    write();
}

void PlistDefaults::removeObject(const QString& key) {
    if (m_values.remove(key) == 0)
        return;
    m_isDirty = true;
    write();
}

bool PlistDefaults::synchronize() {
    return !m_isDirty || write();
}

bool PlistDefaults::write() {
    if (m_isWriteProtected)
        return false;
    const bool isWritten = [&] {
        if (!QDir().mkpath(QFileInfo(m_filePath).absolutePath()))
            return false;
        QSaveFile file(m_filePath);
        return file.open(QIODevice::WriteOnly) && file.write(serializePropertyList(m_values)) >= 0 &&
               file.commit();
    }();
    if (!isWritten) {
        // One warning until a write succeeds again; the values stay in memory meanwhile.
        if (!m_hasWarnedOfWriteFailure)
            qCWarning(lcGeneral).noquote() << "Cannot write the settings file" << m_filePath
                                           << "; changes are kept until it can be written";
        m_hasWarnedOfWriteFailure = true;
        return false;
    }
    m_isDirty = false;
    m_hasWarnedOfWriteFailure = false;
    return true;
}

} // namespace corvane
