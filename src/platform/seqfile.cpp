#include "platform/seqfile.h"

#include "platform/codepage.h"
#include "platform/respath.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lumora {

namespace {

// The marker in the name of replaceFile's temporary files: ".<name>.lumora-XXXXXX".
const QString TempMarker = QStringLiteral(".lumora-");

class Descriptor {
public:
    explicit Descriptor(int fd) : fd(fd) {}
    ~Descriptor() {
        if (fd >= 0)
            ::close(fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int fd;
};

bool isPlainAscii(const QByteArray& bytes) {
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

} // namespace

QByteArray readResourceFile(const QString& resourceName, qint64 maxSize) {
    // Non-blocking, so a pipe put in a file's place cannot hang the program; it is
    // then refused as no plain file.
    const QByteArray path = QFile::encodeName(resourcePath(resourceName));
    const Descriptor file(::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.fd < 0)
        throw FileError(QStringLiteral("cannot open %1").arg(resourceName));
    struct stat info {};
    if (::fstat(file.fd, &info) != 0 || !S_ISREG(info.st_mode))
        throw FileError(QStringLiteral("%1 is not a file").arg(resourceName));
    if (info.st_size > maxSize)
        throw FileError(QStringLiteral("%1 is too large").arg(resourceName));
    // The size may change under us: read to the end, but never past the limit.
    QByteArray bytes(static_cast<qsizetype>(info.st_size) + 1, Qt::Uninitialized);
    qsizetype got = 0;
    for (;;) {
        if (got == bytes.size()) {
            if (got > maxSize)
                throw FileError(QStringLiteral("%1 is too large").arg(resourceName));
            bytes.resize(std::min<qsizetype>(got * 2 + 4096, maxSize + 1));
        }
        const ssize_t n =
            ::read(file.fd, bytes.data() + got, static_cast<size_t>(bytes.size() - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw FileError(QStringLiteral("cannot read %1").arg(resourceName));
        if (n == 0)
            break;
        got += n;
    }
    bytes.truncate(got);
    return bytes;
}

QString decodeText(const QByteArray& bytes) {
    auto decodeAs = [&](QStringConverter::Encoding encoding, qsizetype skip) {
        QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless);
        return QString(decoder.decode(QByteArrayView(bytes).sliced(skip)));
    };
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return decodeAs(QStringConverter::Utf8, 3);
    if (bytes.startsWith("\xFF\xFE"))
        return decodeAs(QStringConverter::Utf16LE, 2);
    if (bytes.startsWith("\xFE\xFF"))
        return decodeAs(QStringConverter::Utf16BE, 2);
    if (!isPlainAscii(bytes)) {
        // Text in the code page is almost never valid UTF-8 as well.
        QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
        QString text = utf8.decode(bytes);
        if (!utf8.hasError())
            return text;
    }
    return cp1252::decode(bytes);
}

FieldReader FieldReader::open(const QString& resourceName) {
    return FieldReader(readResourceFile(resourceName, MaxFileSize));
}

FieldReader::FieldReader(const QByteArray& bytes) : m_text(decodeText(bytes)) {}

void FieldReader::skipLineEnd() {
    if (m_pos < m_text.size() && m_text[m_pos] == '\r')
        ++m_pos;
    if (m_pos < m_text.size() && m_text[m_pos] == '\n')
        ++m_pos;
}

QString FieldReader::readField() {
    if (atEnd())
        throw FileError(QStringLiteral("input past end of file"));
    const qsizetype n = m_text.size();
    auto endsField = [&](qsizetype i) {
        const QChar c = m_text[i];
        return c == ',' || c == '\r' || c == '\n';
    };
    while (m_pos < n && (m_text[m_pos] == ' ' || m_text[m_pos] == '\t'))
        ++m_pos;

    QString field;
    if (m_pos < n && m_text[m_pos] == '"') {
        const qsizetype close = m_text.indexOf('"', m_pos + 1);
        const qsizetype end = close < 0 ? n : close;
        field = m_text.mid(m_pos + 1, end - m_pos - 1);
        m_pos = close < 0 ? n : close + 1;
        // Whatever follows the closing quote belongs to no field.
        while (m_pos < n && !endsField(m_pos))
            ++m_pos;
    } else {
        const qsizetype start = m_pos;
        while (m_pos < n && !endsField(m_pos))
            ++m_pos;
        field = m_text.mid(start, m_pos - start);
    }
    if (m_pos < n && m_text[m_pos] == ',')
        ++m_pos;
    else
        skipLineEnd();
    return field;
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
    if (!cp1252::canEncode(text))
        throw FileError(QStringLiteral("the text holds characters that cannot be stored"));
    m_lines << text;
}

void LineWriter::writeLines(const QStringList& lines) { m_lines << lines; }

QByteArray encodeLines(const QStringList& lines) {
    QString text;
    for (const QString& line : lines)
        text += line + QStringLiteral("\r\n");
    // A code-page text that happens to be valid UTF-8 would be misread: then UTF-8,
    // marked, so that no first character can be taken for the mark.
    if (const auto bytes = cp1252::encode(text); bytes && decodeText(*bytes) == text)
        return *bytes;
    return "\xEF\xBB\xBF" + text.toUtf8();
}

void LineWriter::commit() { replaceFile(m_path, encodeLines(m_lines)); }

void replaceFile(const QString& path, const QByteArray& bytes) {
    // Every step is checked by hand: a short write (a full disk, a size limit) must
    // never be mistaken for success, and the old file stays until the rename.
    const QFileInfo target(path);
    QByteArray temp = QFile::encodeName(target.absolutePath() + QStringLiteral("/.") +
                                        target.fileName() + TempMarker + QStringLiteral("XXXXXX"));
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
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
    const int dir = ::open(QFile::encodeName(target.absolutePath()).constData(),
                           O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

void removeStaleTemporaries(const QString& folder) {
    static const QRegularExpression Ours(QStringLiteral("^\\..+\\.lumora-[A-Za-z0-9]{6}$"));
    const QDir dir(resourcePath(folder));
    const QStringList names =
        dir.entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks);
    for (const QString& name : names) {
        if (Ours.match(name).hasMatch())
            QFile::remove(dir.filePath(name)); // a file that will not go is left for next time
    }
}

} // namespace lumora
