#include "activities/triangular.h"

#include "activities/labels.h"
#include "platform/fonts.h"
#include "platform/pictures.h"
#include "platform/twips.h"
#include "shell/app.h"
#include "shell/fitscreen.h"

#include <QLabel>

namespace lumora {

Triangular& Screens::triangular() { return get<Triangular>(QStringLiteral("triangular")); }

namespace {

const DrillLook Look{
    .background = qRgb(40, 65, 136),
    .boxFont = "Symbol",
    .boxPoints = 36,
    .feedbackPoints = 24,
    .showAnswerHidesFeedback = false,
    .boxesTop = 5760,
    .boxHeight = 960,
    .feedbackTop = 6840,
    .feedbackHeight = 600,
};

} // namespace

Triangular::Triangular(App& app) : DrillFrame(app, QStringLiteral("triangular"), Look) {
    const QFont text = designFont(QStringLiteral("Arial"), 20.25);
    // The runs of blanks are part of the text: in the wrapped label they put the two
    // sums on lines of their own.
    Label6 = yellowText(this, QStringLiteral("Label6"),
                        QStringLiteral("The sixth triangular number is equal to         "
                                       "1 + 2 + 3 + 4 + 5 + 6. You might be able to see a way "
                                       "to rearrange these numbers that will help in adding "
                                       "them up quickly.              1 + 6 = 7, 2 + 5 = 7 and "
                                       "3 + 4 = 7, so we have three lots of 7. The sum is "
                                       "therefore 21."),
                        text, Qt::AlignLeft | Qt::AlignTop, {240, 120, 7440, 3360});

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAccessibleName(QStringLiteral("The pairing trick on a triangle of dots"));
    setTwipsGeometry(Image1, 7920, 240, 3840, 2880);

    Label4 = yellowText(this, QStringLiteral("Label4"),
                        QStringLiteral("We can use the same trick to work out any triangular "
                                       "number. The trick shows that the n-th triangular "
                                       "number equals n(n+1)/2."),
                        text, Qt::AlignLeft | Qt::AlignTop, {240, 3600, 11520, 1320});

    Label2 = yellowText(this, QStringLiteral("Label2"), QString(),
                        designFont(QStringLiteral("Arial"), 27.75, Weight::Bold), Qt::AlignCenter,
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
