// Bounded, non-blocking reads of regular files; see the header.
#include "BoundedFile.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace corvane {

namespace {

QString kindOf(mode_t mode) {
    if (S_ISDIR(mode))
        return QStringLiteral("a folder");
    if (S_ISFIFO(mode))
        return QStringLiteral("a FIFO");
    if (S_ISSOCK(mode))
        return QStringLiteral("a socket");
    return QStringLiteral("a device");
}

BoundedFile refused(BoundedFile::Status status, const QString& problem) {
    return BoundedFile{status, {}, problem};
}

BoundedFile tooLarge(qint64 maxBytes) {
    return refused(BoundedFile::Status::TooLarge,
                   QStringLiteral("it is larger than %1 KiB").arg(maxBytes / 1024));
}

class Descriptor {
public:
    explicit Descriptor(int fd)
        : m_fd(fd) {}
    ~Descriptor() { ::close(m_fd); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int fd() const { return m_fd; }

private:
    int m_fd;
};

} // namespace

BoundedFile readBoundedFile(const QString& path, qint64 maxBytes) {
    // O_NONBLOCK: opening a FIFO without a writer would wait for one, for ever.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return {};
        return refused(BoundedFile::Status::Unreadable, qt_error_string(errno));
    }
    const Descriptor file(fd);
    struct stat info {};
    if (::fstat(fd, &info) != 0)
        return refused(BoundedFile::Status::Unreadable, qt_error_string(errno));
    if (!S_ISREG(info.st_mode))
        return refused(BoundedFile::Status::NotRegular,
                       QStringLiteral("it is %1, not a regular file").arg(kindOf(info.st_mode)));
    if (info.st_size > maxBytes)
        return tooLarge(maxBytes);
    // The size is checked again while reading: the file may grow meanwhile.
    QByteArray bytes;
    bytes.reserve(info.st_size);
    char chunk[64 * 1024];
    for (;;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return refused(BoundedFile::Status::Unreadable, qt_error_string(errno));
        if (n == 0)
            break;
        if (bytes.size() + n > maxBytes)
            return tooLarge(maxBytes);
        bytes.append(chunk, n);
    }
    return BoundedFile{BoundedFile::Status::Read, bytes, {}};
}

} // namespace corvane
