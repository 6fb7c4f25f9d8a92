#include "activities/tibpuz.h"

#include "activities/labels.h"
#include "platform/fonts.h"
#include "platform/twips.h"
#include "shell/app.h"
#include "shell/buttonlabel.h"
#include "shell/fitscreen.h"

#include <QLabel>
#include <QMouseEvent>

namespace lumora {

Tibpuz& Screens::tibpuz() { return get<Tibpuz>(QStringLiteral("tibpuz")); }

namespace {

constexpr QRgb Background = qRgb(0, 51, 154);

// The ages of the slots (see riddle::designedAnswerFrames). Each answer frame holds
// its correct age until the screen opens, so the pairing of event and age is fixed
// here, not computed.
constexpr const char* Ages[riddle::Slots] = {"84", "38", "14", "33", "80", "26"};

// The events above the frames; each frame stands 720 right of its text and 60 below.
struct EventDesign {
    int index; // of Label7
    const char* text;
    double left, top, height;
};
constexpr double EventWidth = 2520;
constexpr EventDesign Events[] = {
    {1, "He grew his beard", 2040, 3000, 720}, {2, "His son was born", 4680, 3000, 720},
    {3, "He died", 7320, 3360, 360},           {4, "His boyhood ended", 7320, 4680, 720},
    {5, "He married", 2040, 5040, 360},        {7, "His son died", 4680, 5040, 360},
};

struct ButtonDesign {
    int index;
    const char* caption;
    double left;
};
constexpr double ButtonTop = 8160;
constexpr double ButtonWidth = 2400;
constexpr double ButtonHeight = 600;
constexpr ButtonDesign Buttons[] = {
    {Tibpuz::Exit, "Exit", 9240},
    {Tibpuz::StartAgain, "Start Again", 360},
    {Tibpuz::CheckScore, "Check Score", 4800},
};

QLabel* makeFrame(QWidget* parent, const QString& name, riddle::Place at) {
    auto* frame = new QLabel(parent);
    frame->setObjectName(name);
    frame->setFrameStyle(QFrame::Box | QFrame::Plain);
    frame->setLineWidth(1);
    setForeground(frame, colours::Yellow);
    // Frames lie over the tiles that rest in them; a tile must stay easy to pick up.
    frame->setAttribute(Qt::WA_TransparentForMouseEvents);
    setTwipsGeometry(frame, at.left, at.top, riddle::TileWidth, riddle::TileHeight);
    return frame;
}

} // namespace

Tibpuz::Tibpuz(App& app)
    : Screen(app, QStringLiteral("tibpuz")),
      m_board(riddle::designedAnswerFrames(), riddle::designedHomeFrames()) {
    const QFont riddleFont = designFont(QStringLiteral("Times New Roman"), 21.75);
    Label7[Riddle] = yellowText(
        this, QStringLiteral("Label7(0)"),
        QStringLiteral("Tiberan's boyhood lasted one sixth of his life; he married after one "
                       "seventh more; his beard grew after one twelfth more and his son was born "
                       "five years later. The son lived to half the fathers' age and the father "
                       "died four years after the son."),
        riddleFont, Qt::AlignLeft | Qt::AlignTop, {240, 120, 11520, 2160});
    Label7[Question] =
        yellowText(this, QStringLiteral("Label7(6)"),
                   QStringLiteral("How old was Tiberan when each of these events occurred?"),
                   riddleFont, Qt::AlignLeft | Qt::AlignTop, {240, 2340, 11520, 480});
    const QFont eventFont = designFont(QStringLiteral("Arial"), 15.75, Weight::Bold);
    for (const EventDesign& e : Events) {
        Label7[e.index] = yellowText(
            this, QStringLiteral("Label7(%1)").arg(e.index), QString::fromLatin1(e.text), eventFont,
            Qt::AlignHCenter | Qt::AlignTop, {e.left, e.top, EventWidth, e.height});
    }
    for (QLabel* text : Label7)
        text->setAttribute(Qt::WA_TransparentForMouseEvents);

    for (int i = 0; i < riddle::Slots; ++i) {
        Label1[i] = makeFrame(this, QStringLiteral("Label1(%1)").arg(i), m_board.answer(i).place);
        Label1[i]->setText(QString::fromLatin1(Ages[i]));
        Label4[i] = makeFrame(this, QStringLiteral("Label4(%1)").arg(i), m_board.home(i).place);
    }

    Label5 = yellowText(this, QStringLiteral("Label5"), QString(),
                        designFont(QStringLiteral("Arial"), 24), Qt::AlignCenter,
                        {2160, 6300, 7680, 600});
    Label5->setAttribute(Qt::WA_TransparentForMouseEvents);
    Label5->hide();

    for (const ButtonDesign& b : Buttons) {
        auto* button = new ButtonLabel(this, QStringLiteral("Label3(%1)").arg(b.index),
                                       QString::fromLatin1(b.caption), colours::Black);
        button->setFont(designFont(QStringLiteral("Tahoma"), 15.75, Weight::Bold));
        setTwipsGeometry(button, b.left, ButtonTop, ButtonWidth, ButtonHeight);
        connect(button, &ButtonLabel::clicked, this, [this, i = b.index] { buttonClicked(i); });
        Label3[b.index] = button;
    }
    Label3[CheckScore]->hide();
    setHoverResets({Label3.begin(), Label3.end()});
    setExitButton(Label3[Exit]);

    // Tiles last, so they are drawn over the frames and texts they are dragged across.
    const QFont tileFont = designFont(QStringLiteral("Arial"), 27.75, Weight::Bold);
    for (int i = 0; i < riddle::Slots; ++i) {
        auto* tile = new QLabel(this);
        tile->setObjectName(QStringLiteral("Label2(%1)").arg(i));
        tile->setFont(tileFont);
        tile->setAlignment(Qt::AlignCenter);
        tile->setFrameStyle(QFrame::Box | QFrame::Plain);
        tile->setLineWidth(1);
        setBackground(tile, colours::Black);
        setForeground(tile, colours::Yellow);
        tile->setMouseTracking(true);
        tile->installEventFilter(this);
        Label2[i] = tile;
        placeTile(i);
    }
}

void Tibpuz::load() {
    fitscreen(*this);
    setBackground(this, Background);
    for (int i = 0; i < riddle::Slots; ++i) {
        Label1[i]->hide();
        Label4[i]->resize(Label2[i]->size());
    }
    for (int i = 0; i < riddle::Slots; ++i) {
        Label2[i]->setText(Label1[i]->text());
        Label1[i]->clear();
        Label1[i]->show();
        Label4[i]->move(Label2[i]->pos());
    }
}

std::optional<int> Tibpuz::tileIndex(const QObject* o) const {
    for (int i = 0; i < riddle::Slots; ++i) {
        if (Label2[i] == o)
            return i;
    }
    return std::nullopt;
}

void Tibpuz::placeTile(int i) {
    const riddle::Place p = m_board.tile(i);
    setTwipsGeometry(Label2[i], p.left, p.top, riddle::TileWidth, riddle::TileHeight);
}

bool Tibpuz::eventFilter(QObject* watched, QEvent* event) {
    const std::optional<int> tile = tileIndex(watched);
    if (!tile)
        return Screen::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        // The tile in hand is drawn over the others. Pressing any button on it keeps
        // the pointer's moves and the release going to it until the buttons are up.
        Label2[*tile]->raise();
        return true;
    case QEvent::MouseMove: {
        const auto* move = static_cast<QMouseEvent*>(event);
        if (move->buttons() == Qt::LeftButton) {
            const QPointF at = move->position();
            m_board.drag(*tile, static_cast<float>(at.x() * TwipsPerPixel),
                         static_cast<float>(at.y() * TwipsPerPixel));
            placeTile(*tile);
        }
        Label5->hide();
        return true;
    }
    case QEvent::MouseButtonRelease:
        if (m_board.drop(*tile))
            Label3[CheckScore]->show();
        placeTile(*tile);
        return true;
    default:
        return Screen::eventFilter(watched, event);
    }
}

void Tibpuz::buttonClicked(int index) {
    m_score = 0;
    switch (index) {
    case Exit:
        app.screens.unload(this);
        break;
    case StartAgain:
        startAgain();
        break;
    case CheckScore:
        checkScore();
        break;
    default:
        break;
    }
}

void Tibpuz::startAgain() {
    Label5->hide();
    m_board.startAgain();
    for (int i = 0; i < riddle::Slots; ++i)
        placeTile(i);
    Label3[CheckScore]->hide();
}

void Tibpuz::checkScore() {
    m_score = m_board.score();
    Label5->setText(riddle::scoreLine(m_score, riddle::Slots));
    Label5->show();
}

} // namespace lumora
