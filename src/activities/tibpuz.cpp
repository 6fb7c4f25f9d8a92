#include "activities/tibpuz.h"

#include "platform/twips.h"
#include "shell/app.h"
#include "shell/buttonlabel.h"
#include "shell/controls.h"
#include "shell/fitscreen.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <algorithm>
#include <cmath>

namespace lumora {

Tibpuz& Screens::tibpuz() { return get<Tibpuz>(QStringLiteral("tibpuz")); }

namespace {

constexpr QRgb Background = qRgb(0, 51, 154);
constexpr QRgb CarriedTile = qRgb(0, 0, 128);
constexpr int FocusLineWidth = 3;

const QString IdleKeys = QStringLiteral("Tab: next tile     Space: pick up the tile     Esc: Exit");
const QString CarryKeys =
    QStringLiteral("Arrows: move to a frame     Home: back home     Space: drop     Esc: put back");

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

// The answer and home frames: a yellow border.
constexpr TextLook FrameLook{.font = {}, .boxed = true};
constexpr TextLook RiddleText{
    .font = {"Times New Roman", 21.75}, .alignment = Qt::AlignLeft | Qt::AlignTop, .wraps = true};
constexpr TextLook EventText{.font = {"Arial", 15.75, Weight::Bold},
                             .alignment = Qt::AlignHCenter | Qt::AlignTop,
                             .wraps = true};

TwipsBox tileBox(riddle::Place at) {
    return {at.left, at.top, riddle::TileWidth, riddle::TileHeight};
}

} // namespace

Tibpuz::Tibpuz(App& app)
    : Screen(app, QStringLiteral("tibpuz")),
      m_board(riddle::designedAnswerFrames(), riddle::designedHomeFrames()) {
    Label7[Riddle] = label(
        this, QStringLiteral("Label7(0)"),
        QStringLiteral("Tiberan's boyhood lasted one sixth of his life; he married after one "
                       "seventh more; his beard grew after one twelfth more and his son was born "
                       "five years later. The son lived to half the fathers' age and the father "
                       "died four years after the son."),
        RiddleText, {240, 120, 11520, 2160});
    Label7[Question] =
        label(this, QStringLiteral("Label7(6)"),
              QStringLiteral("How old was Tiberan when each of these events occurred?"), RiddleText,
              {240, 2340, 11520, 480});
    for (const EventDesign& e : Events)
        Label7[e.index] =
            label(this, QStringLiteral("Label7(%1)").arg(e.index), QString::fromLatin1(e.text),
                  EventText, {e.left, e.top, EventWidth, e.height});
    for (QLabel* text : Label7)
        text->setAttribute(Qt::WA_TransparentForMouseEvents);

    for (int i = 0; i < riddle::Slots; ++i) {
        Label1[i] = label(this, QStringLiteral("Label1(%1)").arg(i), QString::fromLatin1(Ages[i]),
                          FrameLook, tileBox(m_board.answer(i).place));
        Label4[i] = label(this, QStringLiteral("Label4(%1)").arg(i), QString(), FrameLook,
                          tileBox(m_board.home(i).place));
        // Frames lie over the tiles that rest in them; a tile must stay easy to pick up.
        Label1[i]->setAttribute(Qt::WA_TransparentForMouseEvents);
        Label4[i]->setAttribute(Qt::WA_TransparentForMouseEvents);
        Label4[i]->setAccessibleName(QStringLiteral("Home of a tile"));
        // A screen reader names each answer frame by the event above it.
        for (const EventDesign& e : Events) {
            const riddle::Place at = m_board.answer(i).place;
            if (e.left + 720 == at.left && e.top + e.height + 60 == at.top)
                Label1[i]->setAccessibleName(QString::fromLatin1(e.text) +
                                             QStringLiteral(": answer frame"));
        }
    }

    Label5 = label(this, QStringLiteral("Label5"), QString(),
                   {.font = {"Arial", 24}, .alignment = Qt::AlignCenter, .wraps = true},
                   {2160, 6300, 7680, 600});
    Label5->setAttribute(Qt::WA_TransparentForMouseEvents);
    Label5->hide();

    for (const ButtonDesign& b : Buttons) {
        Label3[b.index] = buttonLabel(this, QStringLiteral("Label3(%1)").arg(b.index),
                                      QString::fromLatin1(b.caption),
                                      {b.left, ButtonTop, ButtonWidth, ButtonHeight});
        connect(Label3[b.index], &ButtonLabel::clicked, this,
                [this, i = b.index] { buttonClicked(i); });
    }
    Label3[CheckScore]->hide();
    setHoverResets({Label3.begin(), Label3.end()});
    setExitButton(Label3[Exit]);

    // Tiles last, so they are drawn over the frames and texts they are dragged across.
    for (int i = 0; i < riddle::Slots; ++i) {
        auto* tile = label(this, QStringLiteral("Label2(%1)").arg(i), QString(),
                           {.font = {"Arial", 27.75, Weight::Bold},
                            .paper = colours::Black,
                            .alignment = Qt::AlignCenter,
                            .boxed = true},
                           tileBox(m_board.tile(i)));
        tile->setMouseTracking(true);
        tile->setFocusPolicy(Qt::TabFocus);
        tile->setAccessibleDescription(QStringLiteral("Age tile"));
        tile->installEventFilter(this);
        Label2[i] = tile;
    }

    keyHint = label(this, QStringLiteral("keyHint"), IdleKeys,
                    {.font = {"Arial", 9.75}, .alignment = Qt::AlignCenter, .wraps = true},
                    {240, 7740, 11520, 360});
    keyHint->hide();
    connect(&app.keyboard, &KeyboardUse::changed, this, [this] { updateHint(); });
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
    updateHint();
}

std::optional<int> Tibpuz::tileIndex(const QObject* o) const {
    for (int i = 0; i < riddle::Slots; ++i) {
        if (Label2[i] == o)
            return i;
    }
    return std::nullopt;
}

void Tibpuz::placeTile(int i) {
    const TwipsBox at = tileBox(m_board.tile(i));
    setTwipsGeometry(Label2[i], at.left, at.top, at.width, at.height);
}

bool Tibpuz::eventFilter(QObject* watched, QEvent* event) {
    const std::optional<int> tile = tileIndex(watched);
    if (!tile)
        return Screen::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::KeyPress:
        return tileKey(*tile, static_cast<QKeyEvent*>(event));
    case QEvent::FocusIn:
    case QEvent::FocusOut:
        showTileMark(*tile);
        return false;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (m_carried) { // the mouse takes over: the tile in hand is let go there
            const int inHand = *m_carried;
            m_carried.reset();
            dropTile(inHand);
            showTileMark(inHand);
            updateHint();
        }
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
        dropTile(*tile);
        return true;
    default:
        return Screen::eventFilter(watched, event);
    }
}

void Tibpuz::dropTile(int tile) {
    if (m_board.drop(tile))
        Label3[CheckScore]->show();
    placeTile(tile);
}

std::vector<QWidget*> Tibpuz::tabChain() const {
    std::array<int, riddle::Slots> order{};
    for (int i = 0; i < riddle::Slots; ++i)
        order[i] = i;
    std::sort(order.begin(), order.end(), [this](int a, int b) {
        return m_board.home(a).place.left < m_board.home(b).place.left;
    });
    std::vector<QWidget*> chain;
    for (int i : order)
        chain.push_back(Label2[i]);
    for (int b : {StartAgain, CheckScore, Exit})
        chain.push_back(Label3[b]);
    return chain;
}

int Tibpuz::frameAt(int row, int column) const {
    // Rows and columns by the frames' own places: the lowest top is row 0, the
    // lowest left column 0.
    auto rank = [this](int i, auto coordinate) {
        std::array<float, riddle::Slots> values{};
        for (int k = 0; k < riddle::Slots; ++k)
            values[k] = coordinate(m_board.answer(k).place);
        std::sort(values.begin(), values.end());
        const auto distinct = std::unique(values.begin(), values.end());
        return static_cast<int>(
            std::find(values.begin(), distinct, coordinate(m_board.answer(i).place)) -
            values.begin());
    };
    for (int i = 0; i < riddle::Slots; ++i) {
        if (rank(i, [](riddle::Place p) { return p.top; }) == row &&
            rank(i, [](riddle::Place p) { return p.left; }) == column)
            return i;
    }
    return 0;
}

bool Tibpuz::tileKey(int tile, QKeyEvent* key) {
    const bool press =
        key->key() == Qt::Key_Space || key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (!m_carried) {
        if (!press)
            return false;
        // Pick the tile up where it lies: in an answer frame, or else from home.
        m_carried = tile;
        m_pickedFrom = m_board.tile(tile);
        m_row = HomeRow;
        for (int row = 0; row < HomeRow; ++row) {
            for (int column = 0; column < Columns; ++column) {
                if (m_board.answer(frameAt(row, column)).place == m_pickedFrom) {
                    m_row = row;
                    m_column = column;
                }
            }
        }
        if (m_row == HomeRow) { // up from home leads to the column nearest the tile
            auto away = [this](int column) {
                return std::abs(m_board.answer(frameAt(0, column)).place.left - m_pickedFrom.left);
            };
            m_column = 0;
            for (int column = 1; column < Columns; ++column) {
                if (away(column) < away(m_column))
                    m_column = column;
            }
        }
        Label2[tile]->raise();
        Label5->hide();
        showTileMark(tile);
        updateHint();
        return true;
    }
    switch (key->key()) {
    case Qt::Key_Left:
        if (m_row != HomeRow)
            carryTo(m_row, std::max(0, m_column - 1));
        break;
    case Qt::Key_Right:
        if (m_row != HomeRow)
            carryTo(m_row, std::min(Columns - 1, m_column + 1));
        break;
    case Qt::Key_Up:
        carryTo(std::max(0, m_row - 1), m_column);
        break;
    case Qt::Key_Down:
        carryTo(std::min(HomeRow, m_row + 1), m_column);
        break;
    case Qt::Key_Home:
        carryTo(HomeRow, m_column);
        break;
    case Qt::Key_Escape:
        m_board.carry(tile, m_pickedFrom);
        placeTile(tile);
        m_carried.reset();
        break;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        break; // the tile stays in hand until it is dropped or put back
    default:
        if (!press)
            return false;
        // The drop runs as the mouse's does: the same snap, the same "Check Score".
        m_carried.reset();
        dropTile(tile);
        break;
    }
    showTileMark(tile);
    updateHint();
    return true;
}

void Tibpuz::carryTo(int row, int column) {
    if (!m_carried)
        return;
    m_row = row;
    m_column = column;
    const int tile = *m_carried;
    m_board.carry(tile, row == HomeRow ? m_board.home(tile).place
                                       : m_board.answer(frameAt(row, column)).place);
    placeTile(tile);
    Label5->hide();
}

void Tibpuz::showTileMark(int tile) {
    QLabel* t = Label2[tile];
    const bool marked = t->hasFocus() && app.keyboard.inUse();
    t->setLineWidth(marked || m_carried == tile ? FocusLineWidth : 1);
    setBackground(t, m_carried == tile ? CarriedTile : colours::Black);
}

void Tibpuz::updateHint() {
    keyHint->setText(m_carried ? CarryKeys : IdleKeys);
    keyHint->setVisible(app.keyboard.inUse());
    if (QWidget* focus = focusWidget()) {
        if (const std::optional<int> tile = tileIndex(focus))
            showTileMark(*tile);
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
    if (m_carried) {
        const int tile = *m_carried;
        m_carried.reset();
        showTileMark(tile);
        updateHint();
    }
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
