// A page's text in the order a reader takes it: lines top to bottom, and where the
// page sets text in columns, each column top to bottom, the left one first.
#include "platform/metafile.h"

#include <QStringList>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <utility>

namespace lumora {

namespace {

using Piece = const PlacedText*;
using Line = std::vector<Piece>; // left to right

constexpr double Open = std::numeric_limits<double>::infinity();
// Column finding looks at no more pieces than a page has, nor deeper than columns
// within columns within columns, so that a hostile file cannot make it slow.
constexpr size_t MaxColumnPieces = 1000;
constexpr int MaxColumnDepth = 4;

double leftOf(Piece p) { return p->at.x(); }
double rightOf(Piece p) { return p->at.x() + std::max(p->width, 0.0); }

// Lines top to bottom: the pieces whose baselines lie within a third of an em of
// the first one's, left to right.
std::vector<Line> linesOf(std::vector<Piece> pieces) {
    std::stable_sort(pieces.begin(), pieces.end(),
                     [](Piece a, Piece b) { return a->at.y() < b->at.y(); });
    std::vector<Line> lines;
    for (size_t first = 0; first < pieces.size();) {
        size_t end = first + 1;
        const double tolerance = std::max(pieces[first]->em, 1e-9) / 3;
        while (end < pieces.size() && pieces[end]->at.y() - pieces[first]->at.y() <= tolerance)
            ++end;
        Line line(pieces.begin() + qsizetype(first), pieces.begin() + qsizetype(end));
        std::stable_sort(line.begin(), line.end(),
                         [](Piece a, Piece b) { return leftOf(a) < leftOf(b); });
        lines.push_back(std::move(line));
        first = end;
    }
    return lines;
}

QString joined(const Line& line) {
    QString text;
    Piece previous = nullptr;
    for (Piece piece : line) {
        // Pieces that run on from one another (a word, then its full stop in
        // another font) join as they are; pieces that stand apart get a blank.
        if (previous && !text.back().isSpace() && !piece->text.front().isSpace() &&
            leftOf(piece) - rightOf(previous) > 0.15 * previous->em)
            text += QLatin1Char(' ');
        text += piece->text;
        previous = piece;
    }
    return text.simplified();
}

// The em that most of the text is set in.
double typicalEm(const std::vector<Line>& lines) {
    std::vector<std::pair<double, qsizetype>> ems;
    qsizetype total = 0;
    for (const Line& line : lines)
        for (Piece p : line)
            ems.emplace_back(p->em, p->text.size()), total += p->text.size();
    std::sort(ems.begin(), ems.end());
    qsizetype seen = 0;
    for (const auto& [em, length] : ems)
        if ((seen += length) * 2 >= total)
            return em;
    return 0;
}

struct Gap {
    double from, to;
    double width() const { return to - from; }
};

// The gaps at least `wide` across between a line's pieces, and the open ones
// before its first piece and after its last.
std::vector<Gap> gapsOf(const Line& line, double wide) {
    std::vector<Gap> gaps;
    double from = -Open;
    for (Piece p : line) {
        if (leftOf(p) - from >= wide)
            gaps.push_back({from, leftOf(p)});
        from = std::max(from, rightOf(p));
    }
    gaps.push_back({from, Open});
    return gaps;
}

std::vector<Gap> common(const std::vector<Gap>& a, const std::vector<Gap>& b, double wide) {
    std::vector<Gap> out;
    for (size_t i = 0, j = 0; i < a.size() && j < b.size();) {
        const Gap both{std::max(a[i].from, b[j].from), std::min(a[i].to, b[j].to)};
        if (both.width() >= wide)
            out.push_back(both);
        (a[i].to < b[j].to ? i : j) += 1;
    }
    return out;
}

// The widest of a line's runs of pieces that no gap `wide` across breaks.
double widestRun(const Line& line, double wide) {
    double widest = 0, start = 0, end = -Open;
    for (Piece p : line) {
        if (leftOf(p) - end >= wide)
            start = leftOf(p);
        end = std::max(end, rightOf(p));
        widest = std::max(widest, end - start);
    }
    return widest;
}

// A page's lines, the gaps between their pieces at least `wide` across, and the em
// that most of its text is set in.
struct Page {
    std::vector<Line> lines;
    std::vector<std::vector<Gap>> gaps;
    double em = 0, wide = 0;
};

struct Band {
    size_t last; // the band runs from the line it was sought from to this one
    Gap gutter;
};

// The runs of lines from `first` that a gutter at least `wide` across parts, text
// on both sides of it: each gap between text, as long as it lasts, the longest
// runs first.
std::vector<Band> bandsFrom(const Page& page, size_t first) {
    std::vector<Band> bands;
    std::vector<Gap> open = page.gaps[first];
    for (size_t i = first + 1; i <= page.lines.size(); ++i) {
        const std::vector<Gap> next =
            i < page.lines.size() ? common(open, page.gaps[i], page.wide) : std::vector<Gap>();
        for (const Gap& g : open)
            if (std::isfinite(g.width()) &&
                std::none_of(next.begin(), next.end(),
                             [&](const Gap& n) { return n.from >= g.from && n.to <= g.to; }))
                bands.push_back({i - 1, g}); // the line before was its last
        open = next;
    }
    std::stable_sort(bands.begin(), bands.end(), [](const Band& a, const Band& b) {
        return a.last != b.last ? a.last > b.last : a.gutter.width() > b.gutter.width();
    });
    return bands;
}

struct Columns {
    size_t last;
    std::vector<Piece> left, right;
};

// The band as two columns, less the rows at its edges: a title with its kicker
// above the columns, or a row of labels below them (a timeline) reads across. Each
// side must be a column of text, with at least two lines and a run of text six ems
// wide, so that labels spread over a picture, or a table of short cells, read row
// by row.
std::optional<Columns> columnsOf(const Page& page, size_t first, Band band) {
    const double wide = page.wide;
    std::vector<Line> left, right;
    for (size_t i = first; i <= band.last; ++i) {
        left.emplace_back(), right.emplace_back();
        for (Piece p : page.lines[i])
            (leftOf(p) < band.gutter.from ? left : right).back().push_back(p);
    }
    auto row = [&](size_t i) { return !left[i].empty() && !right[i].empty(); };
    auto scattered = [&](size_t i) {
        return gapsOf(left[i], wide).size() > 2 || gapsOf(right[i], wide).size() > 2;
    };
    size_t bottom = left.size() - 1;
    if (row(0) && (bottom == 0 || !row(1) || scattered(0)))
        return std::nullopt; // the row reads across; columns may start below it
    while (bottom > 0 && row(bottom) && scattered(bottom))
        --bottom;
    Columns c{first + bottom, {}, {}};
    for (auto [side, pieces] : {std::pair{&left, &c.left}, std::pair{&right, &c.right}}) {
        int count = 0;
        double widest = 0;
        for (size_t i = 0; i <= bottom; ++i) {
            count += !(*side)[i].empty();
            widest = std::max(widest, widestRun((*side)[i], wide));
            pieces->insert(pieces->end(), (*side)[i].begin(), (*side)[i].end());
        }
        if (count < 2 || widest < 6 * page.em)
            return std::nullopt;
    }
    return c;
}

// The longest columns that start at line `first`.
std::optional<Columns> columnsFrom(const Page& page, size_t first) {
    for (const Band& band : bandsFrom(page, first))
        if (auto columns = columnsOf(page, first, band))
            return columns;
    return std::nullopt;
}

QStringList readingOrder(std::vector<Piece> pieces, int depth) {
    const bool few = pieces.size() <= MaxColumnPieces;
    Page page;
    page.lines = linesOf(std::move(pieces));
    page.em = typicalEm(page.lines);
    page.wide = 1.5 * page.em;
    for (const Line& line : page.lines)
        page.gaps.push_back(gapsOf(line, page.wide));
    const std::vector<Line>& lines = page.lines;
    const bool findColumns = depth < MaxColumnDepth && few && page.em > 0;
    QStringList out;
    for (size_t i = 0; i < lines.size();) {
        auto columns = findColumns ? columnsFrom(page, i) : std::nullopt;
        // Columns that run further when they start a line later start there: this
        // line ends the text above them.
        if (columns && i + 1 < lines.size())
            if (const auto later = columnsFrom(page, i + 1); later && later->last > columns->last)
                columns.reset();
        if (!columns) {
            out << joined(lines[i++]);
            continue;
        }
        out << readingOrder(std::move(columns->left), depth + 1)
            << readingOrder(std::move(columns->right), depth + 1);
        i = columns->last + 1;
    }
    return out;
}

} // namespace

QString readingOrderText(const std::vector<PlacedText>& texts) {
    std::vector<Piece> pieces;
    for (const PlacedText& t : texts)
        if (!t.text.trimmed().isEmpty())
            pieces.push_back(&t);
    return readingOrder(std::move(pieces), 0).join(QLatin1Char('\n'));
}

} // namespace lumora
