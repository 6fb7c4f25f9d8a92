#include "activities/riddle.h"

namespace lumora::riddle {

namespace {

std::array<Frame, Slots> framesAt(const std::array<Place, Slots>& places) {
    std::array<Frame, Slots> frames;
    for (int i = 0; i < Slots; ++i)
        frames[i].place = places[i];
    return frames;
}

} // namespace

// Slot i: 0 "He died", 1 "His son was born", 2 "His boyhood ended", 3 "He grew his
// beard", 4 "His son died", 5 "He married".
std::array<Frame, Slots> designedAnswerFrames() {
    return framesAt(
        {{{8040, 3780}, {5400, 3780}, {8040, 5460}, {2760, 3780}, {5400, 5460}, {2760, 5460}}});
}

std::array<Frame, Slots> designedHomeFrames() {
    return framesAt(
        {{{8760, 6960}, {6120, 6960}, {2160, 6960}, {4800, 6960}, {7440, 6960}, {3480, 6960}}});
}

bool captures(const Frame& frame, Place tile) {
    const float L = frame.place.left, T = frame.place.top;
    return L - frame.width / 2 < tile.left && tile.left < L + frame.width &&
           T - frame.height / 2 < tile.top && tile.top < T + frame.height;
}

Place dropPlace(Place tile, const std::array<Frame, Slots>& answers,
                const std::array<Frame, Slots>& homes) {
    // Neighbouring home frames' regions overlap, so the order decides: the lower
    // index wins, not the nearer frame.
    for (int i = 0; i < Slots; ++i) {
        if (captures(answers[i], tile))
            tile = answers[i].place;
        if (captures(homes[i], tile))
            tile = homes[i].place;
    }
    return tile;
}

Board::Board(const std::array<Frame, Slots>& answers, const std::array<Frame, Slots>& homes)
    : m_answers(answers), m_homes(homes) {
    startAgain();
}

void Board::drag(int i, float x, float y) {
    Place& p = m_tiles.at(i);
    p.left = p.left + x - TileWidth / 2;
    p.top = p.top + y - TileHeight / 2;
}

bool Board::drop(int i) {
    Place& p = m_tiles.at(i);
    p = dropPlace(p, m_answers, m_homes);
    return tilesInAnswerFrames() == Slots;
}

void Board::startAgain() {
    for (int i = 0; i < Slots; ++i)
        m_tiles[i] = m_homes[i].place;
}

int Board::score() const {
    int right = 0;
    for (int i = 0; i < Slots; ++i) {
        if (m_tiles[i] == m_answers[i].place)
            ++right;
    }
    return right;
}

int Board::tilesInAnswerFrames() const {
    // Frames do not check whether they are taken, so a frame holding two tiles
    // counts both.
    int pairs = 0;
    for (const Place& t : m_tiles) {
        for (const Frame& f : m_answers) {
            if (t == f.place)
                ++pairs;
        }
    }
    return pairs;
}

QString scoreLine(int score, int slotCount) {
    return QStringLiteral("%1 out of %2 correct").arg(score).arg(slotCount);
}

} // namespace lumora::riddle
