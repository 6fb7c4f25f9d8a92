#pragma once
// The main menu: the two topics, the teacher's guide, the acknowledgments, the
// worksheet wizard and catalogue, the publisher's web address and Exit. Ten more
// mathematicians are listed as entries that are not open yet.

#include "shell/menuscreen.h"

#include <QTimer>
#include <QUrl>
#include <array>

class QFrame;
class QLabel;

namespace lumora {

class ButtonLabel;

class Intro0 : public MenuScreen {
    Q_OBJECT
public:
    // Indexes of Label2 with a role; 13 to 15 do not exist.
    enum Entry {
        Tiberan = 1,
        Malten = 7,
        WebAddress = 12,
        Exit = 16,
        Wizard = 17,
        Catalogue = 18,
        Acknowledgments = 19,
        Guide = 20,
    };
    static constexpr int EntryCount = 21;
    static inline const QUrl PublisherAddress =
        QUrl(QStringLiteral("https://www.brenvale.example/"));

    explicit Intro0(App& app);
    void load() override;
    QPixmap portrait() const override;
    QString heading() const override;

    QLabel* Label1;
    std::array<ButtonLabel*, EntryCount> Label2{};
    QFrame* Frame1;
    QLabel* Image1;
    QLabel* Image2;
    QTimer Timer1;
    QLabel* Label3;

protected:
    void closedFromFrame() override;

private:
    void entryClicked(int index);
    void readCatalogue();
};

} // namespace lumora
