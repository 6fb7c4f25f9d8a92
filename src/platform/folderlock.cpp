#include "platform/folderlock.h"

#include "platform/respath.h"
#include "platform/seqfile.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QMutex>
#include <QThread>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lumora {

namespace {

struct Held {
    int fd = -1;
    int depth = 0;
};

QMutex heldMutex;
QHash<QString, Held>& held() {
    static QHash<QString, Held> locks;
    return locks;
}

bool tryLock(int fd) {
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    return ::fcntl(fd, F_SETLK, &lock) == 0;
}

} // namespace

FolderLock::FolderLock(const QString& folder, int waitMs)
    : m_key(QDir(resourcePath(folder)).absoluteFilePath(FileName)) {
    const QMutexLocker guard(&heldMutex);
    Held& h = held()[m_key];
    if (h.depth > 0) {
        ++h.depth;
        return;
    }
    const int fd = ::open(QFile::encodeName(m_key).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) {
        held().remove(m_key);
        throw FileError(QStringLiteral("cannot lock %1").arg(folder));
    }
    // Every teacher's program must be able to take the lock, whatever its umask.
    ::fchmod(fd, 0666);
    const QDeadlineTimer deadline(waitMs);
    while (!tryLock(fd)) {
        if ((errno != EACCES && errno != EAGAIN && errno != EINTR) || deadline.hasExpired()) {
            ::close(fd);
            held().remove(m_key);
            throw FileError(QStringLiteral("%1 stays locked by another program").arg(folder));
        }
        QThread::msleep(10);
    }
    h.fd = fd;
    h.depth = 1;
}

FolderLock::~FolderLock() {
    const QMutexLocker guard(&heldMutex);
    auto it = held().find(m_key);
    if (it == held().end() || --it->depth > 0)
        return;
    ::close(it->fd); // closing releases the record lock
    held().erase(it);
}

} // namespace lumora
