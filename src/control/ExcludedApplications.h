#pragma once
// The applications whose windows Corvane leaves alone, by RunningApplication::name: no hotkey,
// drop, palette, panel or command moves them. Stored in the defaults. The placer refuses their
// windows as targets; the drag and palette monitors ask about the window under the pointer.

#include "platform/Platform.h"

#include <QObject>
#include <QStringList>

namespace corvane {

class ExcludedApplications : public QObject {
    Q_OBJECT
public:
    explicit ExcludedApplications(Platform& platform, QObject* parent = nullptr);

    const QStringList& names() const { return m_names; }
    bool isExcluded(const RunningApplication& application) const {
        return m_names.contains(application.name);
    }
    // Whether the window belongs to an application on the list; false when its application is not
    // known.
    bool isWindowExcluded(AxElement window) const;
    // A name already there, or empty, changes nothing.
    void add(const QString& name);
    void remove(const QString& name);

signals:
    void namesChanged();

private:
    void store();

    Platform& m_platform;
    QStringList m_names;
};

} // namespace corvane
