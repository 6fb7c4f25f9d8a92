#include "worksheets/worksheet.h"

#include "platform/folderlock.h"
#include "platform/numtext.h"
#include "platform/seqfile.h"
#include "quiz/questionfile.h"
#include "worksheets/catalogue.h"

namespace lumora::worksheet {

std::optional<QString> genwork(const Entries& e) {
    if (e.title.isEmpty())
        return QStringLiteral("You have not chosen a title for your worksheet");
    for (int q = 0; q < Questions; ++q) {
        const QString n = signedText(q + 1);
        const QString incomplete = QStringLiteral("You have not completed Question") + n;
        if (e.question[q].isEmpty())
            return incomplete;
        int ticks = 0;
        for (int c = 0; c < Choices; ++c) {
            if (e.choice[Choices * q + c].isEmpty())
                return incomplete;
            ticks += e.ticked[Choices * q + c] ? 1 : 0;
        }
        if (ticks == 0)
            return QStringLiteral("You have not ticked the correct answer for Question") + n;
        if (ticks > 1)
            return QStringLiteral("You have ticked more than one correct answer for Question") + n;
    }
    return std::nullopt;
}

QStringList fileLines(const Entries& e) {
    QStringList lines{encodeCommas(e.title), QStringLiteral(" ")};
    for (int q = 0; q < Questions; ++q) {
        lines << encodeCommas(e.question[q]);
        for (int c = 0; c < Choices; ++c)
            lines << encodeCommas(e.choice[Choices * q + c]);
        for (int c = 0; c < Choices; ++c) {
            if (e.ticked[Choices * q + c])
                lines << QString::number(c + 1);
        }
        lines << QStringLiteral(" ");
    }
    return lines;
}

Entries fromQuiz(const SharedState& s) {
    Entries e;
    e.title = s.quiztitle;
    for (int q = 0; q < Questions; ++q) {
        e.question[q] = s.question[q + 1];
        e.choice[Choices * q + 0] = s.choicea[q + 1];
        e.choice[Choices * q + 1] = s.choiceb[q + 1];
        e.choice[Choices * q + 2] = s.choicec[q + 1];
        e.choice[Choices * q + 3] = s.choiced[q + 1];
        bool ok = false;
        const int a = s.correctanswer[q + 1].trimmed().toInt(&ok);
        if (ok && a >= 1 && a <= Choices)
            e.ticked[Choices * q + a - 1] = true;
    }
    return e;
}

void saveworksheet(SharedState& state, const Entries& e) {
    if (!catalogue::isStorableTitle(e.title))
        throw FileError(QStringLiteral("this title cannot be a file name"));
    // The file and its catalogue entry go in under one lock: another program saving
    // into the folder meanwhile can neither lose the title nor half-see the save.
    const FolderLock lock(catalogue::Folder);
    removeStaleTemporaries(catalogue::Folder);
    // Find out now whether the title can go into the catalogue, so that a full or
    // broken catalogue leaves no worksheet file behind that nothing lists.
    SharedState probe;
    catalogue::read(probe);
    const int listed = catalogue::indexOf(probe, e.title);
    if (!listed && probe.numworksheets >= SharedState::MaxWorksheets)
        throw FileError(QStringLiteral("the catalogue is full"));

    // A listed title in another letter case is that worksheet: its own file is
    // replaced, never a second one made beside it.
    LineWriter out(catalogue::worksheetFile(listed ? probe.worksheetname[listed] : e.title));
    for (const QString& line : fileLines(e))
        out.writeLine(line);
    out.commit();
    catalogue::trackworksheets(state, e.title);
}

} // namespace lumora::worksheet
