#pragma once
// The variables through which the screens hand work to one another. One instance
// lives in the application for the whole run and is handed to the screens by
// reference; every variable starts empty and keeps what its last writer left.

#include <QString>
#include <array>

namespace lumora {

struct SharedState {
    static constexpr int Questions = 10;       // questions 1 to 10; index 0 is unused
    static constexpr int MaxWorksheets = 1000; // titles 1 to 1000; index 0 is unused

    using QuestionTexts = std::array<QString, Questions + 1>;

    // The quiz loaded last.
    QString quiztitle;
    QuestionTexts question;
    QuestionTexts choicea, choiceb, choicec, choiced;
    QuestionTexts correctanswer; // "1" to "4" as stored: 1 = A ... 4 = D

    // The attempt in progress.
    int questnum = 0;
    std::array<int, Questions + 1> questresult{}; // 1 right, 0 wrong
    int score = 0;
    int total = 0;
    QString quizheading;

    // The worksheet catalogue as last read. numworksheets is the count the file
    // gave; when a read stopped early fewer titles than that were filled in, and a
    // count may exceed MaxWorksheets, so readers bound their loops by both.
    int numworksheets = 0;
    std::array<QString, MaxWorksheets + 1> worksheetname;
    QString delname;
    int worksheetpage = 0; // page of the catalogue screen, from 0

    // Page viewers.
    int pagenum = 0;
    int pagecount = 0;
    QString pageset;
    int logoframe = 0; // last frame of the animated logo, 0 to 19
};

} // namespace lumora
