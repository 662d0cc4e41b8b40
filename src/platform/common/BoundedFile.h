#pragma once
// Reading a file Corvane does not own (a window manager's settings, a file another X client names, a
// settings file a user replaced with something else) without trusting it: the open never blocks (a
// FIFO, a device), only a regular file is read, and never more than a bound. No X here; the readers
// of window manager settings and the settings files use it.

#include <QByteArray>
#include <QString>

namespace corvane {

// Far above any settings file (a few KiB), small enough that reading one costs nothing.
inline constexpr qint64 kMaxFileBytes = 4 * 1024 * 1024;

struct BoundedFile {
    enum class Status { Read, Missing, NotRegular, TooLarge, Unreadable };
    Status status = Status::Missing;
    QByteArray bytes; // the whole file, when read
    QString problem;  // why it was not read, for a log line; empty when read or missing

    bool isRead() const { return status == Status::Read; }
};

// Follows symbolic links to what they name. Missing also when a folder on the way is not one.
BoundedFile readBoundedFile(const QString& path, qint64 maxBytes = kMaxFileBytes);

} // namespace corvane
