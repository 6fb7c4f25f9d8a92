#pragma once
// The age riddle: six age tiles to drag onto the six events of Tiberan's life.
// "Check Score" appears once every tile sits in an answer frame.

#include "activities/riddle.h"
#include "shell/screen.h"

#include <array>
#include <optional>

class QKeyEvent;
class QLabel;

namespace lumora {

class ButtonLabel;

class Tibpuz : public Screen {
    Q_OBJECT
public:
    // Indexes of Label3.
    enum Button { Exit = 0, StartAgain = 1, CheckScore = 2 };
    static constexpr int ButtonCount = 3;
    // Indexes of Label7: the riddle, the question under it, and the six events.
    enum Text { Riddle = 0, Question = 6 };
    static constexpr int TextCount = 8;

    explicit Tibpuz(App& app);
    void load() override;

    const riddle::Board& board() const { return m_board; }
    int score() const { return m_score; }

    std::array<QLabel*, riddle::Slots> Label1{}; // answer frames
    std::array<QLabel*, riddle::Slots> Label2{}; // age tiles
    std::array<ButtonLabel*, ButtonCount> Label3{};
    std::array<QLabel*, riddle::Slots> Label4{}; // home frames
    QLabel* Label5;                              // the score line
    std::array<QLabel*, TextCount> Label7{};
    QLabel* keyHint; // the keys, shown only while the keyboard is in use

    // The keyboard's places for a carried tile: the answer frames in their rows and
    // columns as they stand, and below them the tile's home.
    static constexpr int Rows = 3; // two rows of answer frames, then home
    static constexpr int Columns = 3;
    static constexpr int HomeRow = 2;
    // The answer frame at a row and column of the grid.
    int frameAt(int row, int column) const;

    // The tiles in reading order along their home row, then the buttons.
    std::vector<QWidget*> tabChain() const override;

    std::optional<int> carried() const { return m_carried; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buttonClicked(int index);
    void startAgain();
    void checkScore();
    void placeTile(int i);
    std::optional<int> tileIndex(const QObject* o) const;
    bool tileKey(int tile, QKeyEvent* key);
    void carryTo(int row, int column);
    void dropTile(int tile);
    void showTileMark(int tile);
    void updateHint();

    riddle::Board m_board;
    int m_score = 0;
    std::optional<int> m_carried;
    riddle::Place m_pickedFrom;
    int m_row = HomeRow;
    int m_column = 0;
};

} // namespace lumora
