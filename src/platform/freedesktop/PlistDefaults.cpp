// Defaults in an XML property list file: loading with damage moved aside, atomic whole-file writes,
// and one warning per run of failed writes.
#include "PlistDefaults.h"

#include "platform/common/BoundedFile.h"
#include "platform/common/Log.h"
#include "platform/common/PropertyValue.h"
#include "platform/freedesktop/PropertyListCodec.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <sys/stat.h>

namespace corvane {

namespace {

// Why the folder cannot take the file, in words; empty once it is there.
QString folderProblem(const QString& folder) {
    if (QDir().mkpath(folder))
        return {};
    struct stat info {};
    if (::stat(QFile::encodeName(folder).constData(), &info) != 0)
        return errno == ENOENT ? QStringLiteral("its folder cannot be created") : qt_error_string(errno);
    return S_ISDIR(info.st_mode) ? QStringLiteral("its folder cannot be created")
                                 : QStringLiteral("a file stands where its folder should be");
}

} // namespace

PlistDefaults::PlistDefaults(QString filePath)
    : m_filePath(std::move(filePath)) {
    load();
}

void PlistDefaults::load() {
    const BoundedFile file = readBoundedFile(m_filePath);
    switch (file.status) {
    case BoundedFile::Status::Missing:
        return;
    case BoundedFile::Status::NotRegular:
        // Whatever sits there (a FIFO, a folder, a device) is the user's: nothing is written to it,
        // put in its place or moved aside.
        m_isNotAFile = true;
        m_isWriteProtected = true;
        qCWarning(lcGeneral).noquote()
            << "The settings file" << m_filePath << "cannot be used (" + file.problem + ");"
            << "Corvane runs on its defaults and saves nothing until it is a regular file";
        return;
    case BoundedFile::Status::TooLarge:
    case BoundedFile::Status::Unreadable:
        // The bytes may well be fine, we just cannot read them (permissions): moving the file aside
        // or writing over it would lose the user's settings, so it is left alone for this run.
        m_isWriteProtected = true;
        qCWarning(lcGeneral).noquote()
            << "Cannot read the settings file" << m_filePath << "(" + file.problem + ");"
            << "starting from the defaults and leaving the file alone";
        return;
    case BoundedFile::Status::Read:
        break;
    }
    if (const std::optional<QVariantMap> parsed = parsePropertyList(file.bytes))
        m_values = *parsed;
    else
        moveAside();
}

void PlistDefaults::moveAside() {
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    const QString base = m_filePath + QStringLiteral(".corrupt-") + stamp;
    QString aside = base;
    for (int n = 2; QFileInfo::exists(aside); ++n)
        aside = base + QStringLiteral("-%1").arg(n);
    if (QFile::rename(m_filePath, aside)) {
        qCWarning(lcGeneral).noquote()
            << "The settings file" << m_filePath << "is not a property list; it was moved to" << aside
            << "and Corvane starts from the defaults";
    } else {
        m_isWriteProtected = true;
        qCWarning(lcGeneral).noquote()
            << "The settings file" << m_filePath
            << "is not a property list and could not be moved aside; it is left untouched"
            << "and Corvane starts from the defaults";
    }
}

void PlistDefaults::setObject(const QString& key, const QVariant& value) {
    const std::optional<QVariant> normalized = normalizePropertyValue(value);
    const std::optional<QVariant> stored = normalized ? propertyListValue(*normalized) : std::nullopt;
    if (!stored || !isPropertyListText(key)) {
        qCWarning(lcGeneral) << "Not a settings value, not stored:" << key << value;
        return;
    }
    m_values.insert(key, *stored);
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
    if (m_isNotAFile) {
        qCWarning(lcGeneral).noquote() << "Nothing was saved:" << m_filePath << "is not a regular file";
        return false;
    }
    return !m_isDirty || write();
}

bool PlistDefaults::write() {
    if (m_isWriteProtected)
        return false;
    const QByteArray bytes = serializePropertyList(m_values);
    QSaveFile file(m_filePath); // a temporary file renamed over the old one
    QString problem = folderProblem(QFileInfo(m_filePath).absolutePath());
    if (problem.isEmpty() &&
        !(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit()))
        problem = file.errorString();
    if (!problem.isEmpty()) {
        if (!m_hasWarnedOfWriteFailure)
            qCWarning(lcGeneral).noquote()
                << "Cannot write the settings file" << m_filePath << "(" + problem + ");"
                << "changes are kept until it can be written";
        m_hasWarnedOfWriteFailure = true;
        return false;
    }
    m_isDirty = false;
    m_hasWarnedOfWriteFailure = false;
    return true;
}

} // namespace corvane
