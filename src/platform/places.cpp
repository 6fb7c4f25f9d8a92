#include "platform/places.h"

#include "platform/respath.h"
#include "platform/seqfile.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>

namespace lumora {

namespace {

Places& current() {
    static Places places;
    return places;
}

// The topic quizzes the hubs open; always read from the content.
const QStringList TopicQuizzes{QString::fromLatin1(TiberanQuiz), QString::fromLatin1(MaltenQuiz)};

bool isFileIn(const QString& folder, const QString& name) {
    return QFileInfo(resolveIn(folder, name)).isFile();
}

// A folder holding Lumora's content: its pages and its pictures.
bool holdsContent(const QString& folder) {
    return isFileIn(folder, QStringLiteral("wmf/guide1.wmf")) && isFileIn(folder, PortraitPicture);
}

bool sameFolder(const QString& a, const QString& b) {
    const QString ca = QFileInfo(a).canonicalFilePath();
    return !ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath();
}

// The quizzes of an installed content folder, which may carry more than the two topic
// quizzes; read once when the places are set.
QStringList& contentQuizzes() {
    static QStringList quizzes;
    return quizzes;
}

bool isTopicQuiz(const QString& fileName) {
    const auto named = [&](const QString& quiz) {
        return fileName.compare(quiz, Qt::CaseInsensitive) == 0;
    };
    return std::any_of(TopicQuizzes.begin(), TopicQuizzes.end(), named) ||
           std::any_of(contentQuizzes().begin(), contentQuizzes().end(), named);
}

} // namespace

Places discoverPlaces(const QString& workingFolder, const QString& programFolder,
                      const QString& dataHome) {
    const QString installed = QDir::cleanPath(programFolder + QStringLiteral("/../share/lumora"));
    const bool isInstalled = holdsContent(installed);
    const bool inInstalledContent = isInstalled && sameFolder(workingFolder, installed);
    if (holdsContent(workingFolder) && !inInstalledContent)
        return {}; // a folder of content, as in the source tree: the designed behaviour

    Places places;
    places.content = isInstalled ? installed : QDir::cleanPath(workingFolder);
    const bool classFolder = !inInstalledContent && isFileIn(workingFolder, CatalogueFile);
    places.worksheets = classFolder ? QDir::cleanPath(workingFolder)
                                    : QDir::cleanPath(dataHome + QStringLiteral("/lumora"));
    return places;
}

void prepareWorksheetFolder(const Places& places) {
    if (places.worksheets.isEmpty() || isFileIn(places.worksheets, CatalogueFile))
        return;
    const QString folder = places.worksheets + '/' + WorksheetFolder;
    if (!QDir().mkpath(folder))
        return;
    try {
        replaceFile(folder + '/' + CatalogueName, QByteArrayLiteral(" 0 \r\n"));
    } catch (const FileError&) {
        // Saving reports it, with the designed message, when the teacher tries.
    }
}

const Places& places() { return current(); }

void setPlaces(const Places& places) {
    current() = places;
    QStringList& quizzes = contentQuizzes();
    quizzes.clear();
    if (places.content.isEmpty() || sameFolder(places.content, places.worksheets))
        return;
    const QDir multiple(resolveIn(places.content, WorksheetFolder));
    for (const QString& file : multiple.entryList(QDir::Files)) {
        if (file.compare(CatalogueName, Qt::CaseInsensitive) != 0)
            quizzes << file;
    }
}

bool isProductFile(const QString& fileName) {
    return fileName.compare(CatalogueName, Qt::CaseInsensitive) == 0 || isTopicQuiz(fileName);
}

QString folderFor(const QString& name) {
    QString normal = name;
    normal.replace('\\', '/');
    const QStringList parts = normal.split('/', Qt::SkipEmptyParts);
    if (normal.startsWith('/') || parts.isEmpty())
        return {};
    if (parts.front().compare(WorksheetFolder, Qt::CaseInsensitive) != 0)
        return current().content;
    if (parts.size() == 2 && isTopicQuiz(parts[1]))
        return current().content;
    return current().worksheets;
}

} // namespace lumora
