#pragma once
// Where Lumora's files live. Inside the program every file keeps its designed name,
// relative to the working folder ("Images\corvinus2.jpg", "multiple/track.txt");
// the places decide which folder such a name is read from or written to.
//
//   - Started in a folder that holds the content (as from data/ in the source tree):
//     everything is relative to the working folder, exactly as designed.
//   - Installed and started anywhere else: the content comes from the installed
//     share/lumora beside the program (found from the program's own folder, so the
//     installed tree may be moved), and is never written. The catalogue and the
//     worksheets go to a folder of the user's own under the XDG data home, or, when
//     the working folder holds multiple/track.txt, to that folder: a class's shared
//     worksheet folder needs nothing more.
//
// The topic quizzes and the catalogue are product files: a worksheet never stands
// in for a topic quiz, and no worksheet title may name one of them.

#include <QString>

namespace lumora {

// Names of content that more than one floor reads, as designed: the worksheet folder
// with the catalogue in it, and the portrait that the title screen, the menu and the
// results screen show (its presence also marks a folder of content).
inline const QString WorksheetFolder = QStringLiteral("multiple");
inline const QString CatalogueName = QStringLiteral("track.txt");
inline const QString CatalogueFile = WorksheetFolder + '/' + CatalogueName;
inline const QString PortraitPicture = QStringLiteral("Images\\corvinus2.jpg");
// The two topic quizzes in the worksheet folder, which the hubs open; always read from
// the content.
inline constexpr char TiberanQuiz[] = "Tiberan.txt";
inline constexpr char MaltenQuiz[] = "Joris Malten.txt";

struct Places {
    QString content;    // holds Images, wmf, wmf2, logo and the topic quizzes
    QString worksheets; // its multiple/ holds the catalogue and the worksheets
    // Empty folders mean the working folder: the designed behaviour.
};

// The places for a program started in `workingFolder` from `programFolder` (the
// folder of the executable), with `dataHome` as the XDG data home. Looks at the
// disk, changes nothing.
Places discoverPlaces(const QString& workingFolder, const QString& programFolder,
                      const QString& dataHome);

// Makes the user's own worksheet folder, holding the empty catalogue " 0 ", when it
// is not there yet. A folder that cannot be made is left for saving to report.
void prepareWorksheetFolder(const Places& places);

// The places in use; the working folder for both until set.
const Places& places();
void setPlaces(const Places& places);

// True when a file of `multiple/` with this name (as "track.txt" or
// "Joris Malten.txt", any letter case) belongs to the product, so that no worksheet
// may be written under it.
bool isProductFile(const QString& fileName);

// The folder a designed resource name is found in: "" for the working folder.
QString folderFor(const QString& name);

} // namespace lumora
