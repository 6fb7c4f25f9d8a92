#pragma once
// A lock on a folder shared by several programs, for a read-and-rewrite that must
// not interleave with another program's (two teachers saving into one worksheet
// folder at once). It is a POSIX record lock (fcntl) on a dot-file in the folder,
// which holds across NFS and SMB shares and goes with the program when it dies, so
// a killed program never leaves the folder locked.
//
// Nesting within one program is allowed and counted: a record lock belongs to the
// process, and closing any descriptor of the lock file would drop it.

#include <QString>

namespace lumora {

class FolderLock {
public:
    // Waits up to waitMs for the lock on the folder (a resource name such as
    // "multiple"); throws FileError when it cannot be had in time or the lock file
    // cannot be made (a missing or read-only folder).
    explicit FolderLock(const QString& folder, int waitMs = DefaultWaitMs);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    static constexpr int DefaultWaitMs = 10000;
    static inline const QString FileName = QStringLiteral(".lumora-lock");

private:
    QString m_key;
};

} // namespace lumora
