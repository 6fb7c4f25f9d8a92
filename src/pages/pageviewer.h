#pragma once
// What the two page viewers share: the page on show (the screen copy) with its print
// copy behind it, the page caption, and the Print, Exit, Next Page and Previous Page
// buttons.

#include "platform/metafile.h"
#include "shell/screen.h"

#include <QLabel>
#include <array>
#include <optional>

namespace lumora {

class ButtonLabel;

// The page on show: a picture to the eye, its words in reading order to a screen
// reader.
class PageImage : public QLabel {
    Q_OBJECT
public:
    explicit PageImage(QWidget* parent);

    const QString& pageText() const { return m_text; }
    void setPageText(const QString& text);

private:
    QString m_text;
};

class PageViewer : public Screen {
    Q_OBJECT
public:
    enum Button { PrintButton = 0, ExitButton = 1, NextPage = 2, PreviousPage = 3 };

    static inline const QString PageMissing =
        QStringLiteral("Sorry, this page could not be shown. Its file is missing or damaged.");

    // Loads a page: the screen copy into Image1, the print copy behind it. A page
    // that cannot be read leaves its place empty and says so once.
    void loadPage(const QString& screenCopy, const QString& printCopy);
    // Empties both images.
    void clearPage();

    // The print copy, when one is loaded (what Print prints).
    const std::optional<Metafile>& printCopy() const { return m_printCopy; }

    QLabel* Label1;
    std::array<ButtonLabel*, 4> Label3{};
    PageImage* Image1;
    QLabel* Image2; // never shown: it stands for the print copy

protected:
    PageViewer(App& app, const QString& name);

    virtual void nextPage() = 0;
    virtual void previousPage() = 0;

    // The page stands centred across the screen, above the buttons.
    static constexpr double PageTop = 120;
    static constexpr double ButtonTop = 8340;

private:
    void print();

    std::optional<Metafile> m_printCopy;
};

} // namespace lumora
