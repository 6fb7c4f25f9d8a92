#pragma once
// The age riddle's board, without widgets: six age tiles, six answer frames and six
// home frames, all placed in twips (single precision, as the screen stores them).

#include <QString>
#include <array>

namespace lumora::riddle {

// The puzzle's own slot count: it never follows a count that another screen may
// change while the puzzle is open.
inline constexpr int Slots = 6;
inline constexpr float TileWidth = 1080;
inline constexpr float TileHeight = 735;

struct Place {
    float left = 0;
    float top = 0;
    bool operator==(const Place&) const = default;
};

struct Frame {
    Place place;
    float width = TileWidth;
    float height = TileHeight;
};

// The board as designed: the answer frames in three columns and two rows, the home
// frames in a row near the bottom, the tiles' ages ascending from left to right.
std::array<Frame, Slots> designedAnswerFrames();
std::array<Frame, Slots> designedHomeFrames();

// A tile with its top left corner at `tile` is captured by a frame when it lies
// strictly less than half a frame to the left of or above the frame, or less than
// one frame to the right of or below its top left corner.
bool captures(const Frame& frame, Place tile);

// Where a tile let go at `tile` comes to rest. Frames are tried in the order answer
// frame 0, home frame 0, answer frame 1, ...; every test uses the tile's place of
// the moment, so once snapped a tile is tested further from its new place. A tile
// no frame captures stays where it was let go.
Place dropPlace(Place tile, const std::array<Frame, Slots>& answers,
                const std::array<Frame, Slots>& homes);

class Board {
public:
    Board(const std::array<Frame, Slots>& answers, const std::array<Frame, Slots>& homes);

    Place tile(int i) const { return m_tiles.at(i); }
    const Frame& answer(int i) const { return m_answers.at(i); }
    const Frame& home(int i) const { return m_homes.at(i); }

    // The pointer is at (x, y) twips from the tile's top left corner: the tile's
    // centre comes under it.
    void drag(int i, float x, float y);
    // Carries a tile to a place (the keyboard's drag).
    void carry(int i, Place to) { m_tiles.at(i) = to; }
    // Snaps a tile that was let go; true when afterwards every tile lies in some
    // answer frame (two in one frame count twice).
    bool drop(int i);
    void startAgain();
    // Tiles lying exactly in the answer frame of their own slot.
    int score() const;
    int tilesInAnswerFrames() const;

private:
    std::array<Frame, Slots> m_answers;
    std::array<Frame, Slots> m_homes;
    std::array<Place, Slots> m_tiles;
};

// "4 out of 6 correct".
QString scoreLine(int score, int slotCount);

} // namespace lumora::riddle
