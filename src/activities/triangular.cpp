#include "activities/triangular.h"

#include "platform/pictures.h"
#include "platform/twips.h"
#include "shell/app.h"
#include "shell/controls.h"
#include "shell/fitscreen.h"

#include <QLabel>

namespace lumora {

Triangular& Screens::triangular() { return get<Triangular>(QStringLiteral("triangular")); }

namespace {

const DrillLook Look{
    qRgb(40, 65, 136), {"Symbol", 36, 5760, 960}, {24, 6840, 600}, DrillLook::KeepsFeedback};

constexpr TextLook Explanation{
    .font = {"Arial", 20.25}, .alignment = Qt::AlignLeft | Qt::AlignTop, .wraps = true};

} // namespace

Triangular::Triangular(App& app) : DrillFrame(app, QStringLiteral("triangular"), Look) {
    // The runs of blanks are part of the text: in the wrapped label they put the two
    // sums on lines of their own.
    Label6 = label(this, QStringLiteral("Label6"),
                   QStringLiteral("The sixth triangular number is equal to         "
                                  "1 + 2 + 3 + 4 + 5 + 6. You might be able to see a way "
                                  "to rearrange these numbers that will help in adding "
                                  "them up quickly.              1 + 6 = 7, 2 + 5 = 7 and "
                                  "3 + 4 = 7, so we have three lots of 7. The sum is "
                                  "therefore 21."),
                   Explanation, {240, 120, 7440, 3360});
    Image1 = pictureBox(this, QStringLiteral("Image1"),
                        QStringLiteral("The pairing trick on a triangle of dots"),
                        {7920, 240, 3840, 2880});
    Label4 = label(this, QStringLiteral("Label4"),
                   QStringLiteral("We can use the same trick to work out any triangular "
                                  "number. The trick shows that the n-th triangular "
                                  "number equals n(n+1)/2."),
                   Explanation, {240, 3600, 11520, 1320});
    Label2 =
        label(this, QStringLiteral("Label2"), QString(),
              {.font = {"Arial", 27.75, Weight::Bold}, .alignment = Qt::AlignCenter, .wraps = true},
              {0, 5040, ScreenWidth, 600});
}

void Triangular::loadPictures() {
    // Without its picture the drill still works; the place stays empty.
    loadPictureIfPresent(Image1, Picture, true);
}

void Triangular::calculate() {
    m_problem = drills::triangularProblem(app.random);
    Label2->setText(m_problem.question);
    showChoices(m_problem.boxTexts());
}

bool Triangular::matchesKey(const QString& caption) const {
    return drills::matchesTriangular(caption, m_problem.key);
}

} // namespace lumora
