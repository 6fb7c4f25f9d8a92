#pragma once
// Sequential text files in the Windows-1252 code page.
//
// FieldReader reads the file whole when it is opened, so the file on disk is
// released at once. A file that another program saved as UTF-8 or UTF-16 (a byte
// order mark, or bytes that are valid UTF-8 and not plain ASCII) is read as such,
// so a teacher's title in it stays whole. Fields are then taken one by one:
//   - a field ends at a comma or at a line end (CR LF, CR or LF);
//   - blanks (spaces and tabs) at its start are skipped, so a line of one blank is an
//     empty field;
//   - a field that begins with a double quote runs to the next double quote, and
//     whatever follows up to the next comma or line end is dropped.
// Reading past the last field is an error.
//
// LineWriter collects lines and replaces the file atomically on commit(): a
// temporary file in the same folder is written, flushed to disk and renamed over
// the old one, so a crash or a full disk never leaves a half-written file. The
// temporary file is a dot-file (".track.txt.lumora-Ab12Cd"), never taken for a
// worksheet; one left by a killed program is removed by removeStaleTemporaries.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <stdexcept>

namespace lumora {

class FileError : public std::runtime_error {
public:
    explicit FileError(const QString& what) : std::runtime_error(what.toStdString()) {}
};

// The whole of a resource file, by its designed name (see resourcePath); throws
// FileError when it is missing, unreadable, not a plain file (a folder, a pipe) or
// larger than maxSize bytes. Never reads more than maxSize + 1 bytes.
QByteArray readResourceFile(const QString& resourceName, qint64 maxSize);

// The text of a file's bytes: UTF-16 or UTF-8 when the bytes say so, otherwise
// Windows-1252.
QString decodeText(const QByteArray& bytes);

class FieldReader {
public:
    // Opens a resource by its designed name (see resourcePath); throws FileError when
    // it is missing, unreadable or far too large to be one of our text files.
    static FieldReader open(const QString& resourceName);

    explicit FieldReader(const QByteArray& bytes);

    // The next field, decoded; throws FileError when the file has no more.
    QString readField();
    // The next field as a whole number (blanks around it allowed); throws FileError
    // when the field is missing or is not a number.
    int readInteger();

    bool atEnd() const { return m_pos >= m_text.size(); }

    static constexpr qsizetype MaxFileSize = 16 * 1024 * 1024;

private:
    void skipLineEnd();

    QString m_text;
    qsizetype m_pos = 0;
};

// Lines ended by CR LF, in the code page, or in UTF-8 with its byte order mark when
// the code page cannot hold them or its bytes would read back as something else.
QByteArray encodeLines(const QStringList& lines);

// Replaces a file with the given bytes atomically (see LineWriter); throws FileError.
void replaceFile(const QString& path, const QByteArray& bytes);

// Removes the temporary files that replaceFile leaves when it is killed, in one
// folder. Only safe while no other writer can be at work there (under FolderLock).
void removeStaleTemporaries(const QString& folder);

class LineWriter {
public:
    explicit LineWriter(const QString& resourceName);

    // Adds a line, to be ended by CR LF. Throws FileError when the text has
    // characters the code page cannot hold; nothing is written then.
    void writeLine(const QString& text);
    // Adds lines as they are: when the code page cannot hold them all, the file goes
    // out as UTF-8, which the reader recognises, so what another program wrote
    // there is kept whole.
    void writeLines(const QStringList& lines);

    // The bytes commit() would write.
    QByteArray bytes() const { return encodeLines(m_lines); }

    // Replaces the file atomically; throws FileError when it could not, and then the
    // earlier file is as it was.
    void commit();

private:
    QString m_path;
    QStringList m_lines;
};

} // namespace lumora
