#include "platform/seqfile.h"

#include "platform/codepage.h"
#include "platform/respath.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lumora {

QByteArray readResourceFile(const QString& resourceName, qint64 maxSize) {
    QFile file(resourcePath(resourceName));
    if (!file.open(QIODevice::ReadOnly))
        throw FileError(QStringLiteral("cannot open %1").arg(resourceName));
    if (file.size() > maxSize)
        throw FileError(QStringLiteral("%1 is too large").arg(resourceName));
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw FileError(QStringLiteral("cannot read %1").arg(resourceName));
    return bytes;
}

FieldReader FieldReader::open(const QString& resourceName) {
    return FieldReader(readResourceFile(resourceName, MaxFileSize));
}

FieldReader::FieldReader(const QByteArray& bytes) : m_bytes(bytes) {}

void FieldReader::skipLineEnd() {
    if (m_pos < m_bytes.size() && m_bytes[m_pos] == '\r')
        ++m_pos;
    if (m_pos < m_bytes.size() && m_bytes[m_pos] == '\n')
        ++m_pos;
}

QString FieldReader::readField() {
    if (atEnd())
        throw FileError(QStringLiteral("input past end of file"));
    const qsizetype n = m_bytes.size();
    while (m_pos < n && (m_bytes[m_pos] == ' ' || m_bytes[m_pos] == '\t'))
        ++m_pos;

    QByteArray field;
    if (m_pos < n && m_bytes[m_pos] == '"') {
        const qsizetype close = m_bytes.indexOf('"', m_pos + 1);
        const qsizetype end = close < 0 ? n : close;
        field = m_bytes.mid(m_pos + 1, end - m_pos - 1);
        m_pos = close < 0 ? n : close + 1;
        // Whatever follows the closing quote belongs to no field.
        while (m_pos < n && m_bytes[m_pos] != ',' && m_bytes[m_pos] != '\r' &&
               m_bytes[m_pos] != '\n')
            ++m_pos;
    } else {
        const qsizetype start = m_pos;
        while (m_pos < n && m_bytes[m_pos] != ',' && m_bytes[m_pos] != '\r' &&
               m_bytes[m_pos] != '\n')
            ++m_pos;
        field = m_bytes.mid(start, m_pos - start);
    }
    if (m_pos < n && m_bytes[m_pos] == ',')
        ++m_pos;
    else
        skipLineEnd();
    return cp1252::decode(field);
}

int FieldReader::readInteger() {
    const QString text = readField().trimmed();
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok)
        throw FileError(QStringLiteral("'%1' is not a number").arg(text));
    return value;
}

LineWriter::LineWriter(const QString& resourceName) : m_path(resourcePath(resourceName)) {}

void LineWriter::writeLine(const QString& text) {
    const auto encoded = cp1252::encode(text);
    if (!encoded)
        throw FileError(QStringLiteral("the text holds characters that cannot be stored"));
    m_bytes += *encoded;
    m_bytes += "\r\n";
}

void LineWriter::commit() { replaceFile(m_path, m_bytes); }

void replaceFile(const QString& path, const QByteArray& bytes) {
    // Every step is checked by hand: a short write (a full disk, a size limit) must
    // never be mistaken for success, and the old file stays until the rename.
    const QFileInfo target(path);
    QByteArray temp = QFile::encodeName(target.absolutePath() + QStringLiteral("/.") +
                                        target.fileName() + QStringLiteral(".XXXXXX"));
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        throw FileError(QStringLiteral("cannot write %1").arg(path));
    auto fail = [&](bool open) {
        if (open)
            ::close(fd);
        ::unlink(temp.constData());
        throw FileError(QStringLiteral("cannot write %1").arg(path));
    };
    struct stat old {};
    const mode_t mode =
        ::stat(QFile::encodeName(path).constData(), &old) == 0 ? (old.st_mode & 07777) : 0644;
    if (::fchmod(fd, mode) != 0)
        fail(true);
    const char* p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, static_cast<size_t>(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            fail(true);
        p += n;
        left -= n;
    }
    if (::fsync(fd) != 0)
        fail(true);
    if (::close(fd) != 0)
        fail(false);
    if (::rename(temp.constData(), QFile::encodeName(path).constData()) != 0)
        fail(false);
    // Make the rename itself durable; a folder that cannot be synced is no failure.
    const int dir = ::open(QFile::encodeName(target.absolutePath()).constData(), O_RDONLY);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

} // namespace lumora
