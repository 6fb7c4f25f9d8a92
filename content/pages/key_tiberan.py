"""Key Facts of Tiberan: three pages for pupils. Every answer of the Tiberan quiz is
stated here (see quiz-facts.txt)."""

import drawings
from pagekit import SCREEN

W, H = 11400, 7200
KICKER = "Key Facts \u00b7 Tiberan"


def life(p):
    p.title("The riddle of Tiberan's life", KICKER)
    y = p.paragraph(300, 1150, 6100,
                    "Tiberan lived long ago in a great harbour city. A riddle tells the story "
                    "of his life:", 13)
    p.boxed_list(300, y + 40, 6100, [
        "His boyhood lasted **14 years**.",
        "He **married at 26**.",
        "He grew his **beard at 33**.",
        "His **son was born when he was 38**, 12 years after he married.",
        "His son lived **42 years**, so his son died when Tiberan was **80**.",
        "Tiberan **died at 84**.",
    ], 12)

    # his 84 years as a circle, going round from the top: a sixth for his boyhood,
    # a half for his son's life
    cx, cy, r = 8850, 2350, 1150
    p.pie(cx, cy, r, 90, 150, fill='orange', line='ink', width=20)        # birth to 14
    p.pie(cx, cy, r, 150, 252.86, fill='green', line='ink', width=20)     # 14 to 38
    p.pie(cx, cy, r, 252.86, 72.86, fill='accent', line='ink', width=20)  # 38 to 80
    p.pie(cx, cy, r, 72.86, 90, fill='pink', line='ink', width=20)        # 80 to 84
    p.text(cx - 390, cy - 520, '1/6', 13, 'on_fill', bold=True, align='center')
    p.text(cx + 600, cy + 250, '1/2', 13, 'on_fill', bold=True, align='center')
    p.text(cx, cy + r + 320, "Tiberan's 84 years", 11, 'text', bold=True, align='center')
    p.paragraph(6750, cy + r + 560, 4350,
                "**84** is the answer to the riddle: Tiberan died at 84. His boyhood was "
                "[[one sixth]] of his life, because 6~\u00d7~14~=~84. His son lived 42 years, "
                "[[half as long as his father]].", 11)

    drawings.timeline(p, 700, 6250, 10000, [
        (0, 'born', 'soft'),
        (14, 'boyhood ended', 'orange'),
        (26, 'married', 'green'),
        (33, 'beard', 'green'),
        (38, 'son born', 'accent'),
        (80, 'son died', 'accent'),
        (84, 'he died', 'pink'),
    ])


def book_and_city(p):
    p.title("Tiberan's book and his city", KICKER)
    y = p.heading(300, 1150, 'A book of problems')
    y = p.paragraph(300, y, 5500,
                    "Tiberan wrote a famous [[book of problems]]: number puzzles, each with the "
                    "way to solve it. People copied it out by hand for hundreds of years.", 12)
    y = p.paragraph(300, y + 40, 5500,
                    "In many of his problems a number is hidden. \u2018A number and 5 make 12. What "
                    "is the number?\u2019 We write **x~+~5~=~12**, so x is **7**.", 12)
    drawings.book(p, 1500, y + 170, 2700)
    y = p.heading(300, 5450, 'A great lighthouse')
    p.paragraph(300, y, 5500,
                "Tiberan's city stood by the sea, and its harbour had [[a great lighthouse]]. "
                "A fire burned at the top all night, and its light guided the ships into the "
                "harbour.", 12)
    p.panel(6200, 1150, 4900, 5800, radius=120, fill='shadow')
    drawings.lighthouse(p, 6300, 1250, 4700, 5150)
    p.text(8650, 6750, 'A square base, an eight-sided middle and a round top',
           9, 'text', align='center')


def triangular(p):
    p.title('Triangular numbers', KICKER)
    y = p.paragraph(300, 1150, 5900,
                    "Put dots in rows of 1, 2, 3, 4 ... and they make triangles. The numbers of "
                    "dots are the **triangular numbers**: [[1, 3, 6, 10, 15, 21, 28]] ...", 12)
    y = p.paragraph(300, y + 20, 5900,
                    "Each one adds one more than the step before: +2, +3, +4, +5, +6, +7. "
                    "So after 21 comes **21~+~7~=~28**.", 12)
    y = p.heading(300, y + 100, 'The rule')
    y = p.paragraph(300, y, 5900,
                    "The nth triangular number is **n(n~+~1)/2**. "
                    "The 10th is 10~\u00d7~11~/~2~=~**55**.", 12)
    y = p.heading(300, y + 100, 'The pairing trick')
    p.paragraph(300, y, 5900,
                "To add 1 + 2 + 3 + ... + 100, pair the numbers from the two ends: "
                "1 with 100, 2 with 99, 3 with 98, and so on. Every pair adds up to **101**. "
                "There are 50 pairs, so the total is **50~\u00d7~101~=~5050**.", 12)

    # the first five triangles, with their numbers
    x = 6750
    for n, gap in ((1, 0), (2, 480), (3, 620), (4, 760), (5, 900)):
        x += gap
        drawings.dot_triangle(p, x, 1350, n, gap=175, r=62)
        p.text(x, 2450, str(n * (n + 1) // 2), 14, 'heading', bold=True, align='center')
    # two triangles of 10 make a rectangle of 4 by 5
    p.panel(6550, 2800, 4550, 2450)
    drawings.pairing(p, 6950, 3250, 4, gap=300, r=100)
    p.text(9500, 3450, 'Two triangles', 11, 'text', bold=True, align='center')
    p.text(9500, 3730, 'of 10 dots make', 11, 'text', align='center')
    p.text(9500, 4010, '4 rows of 5:', 11, 'text', align='center')
    p.text(9500, 4350, '4 \u00d7 5 = 20', 13, 'heading', bold=True, align='center')
    p.text(8830, 5000, 'One triangle is half of it: 4 \u00d7 5 / 2 = 10', 11, 'text', align='center')
    # the pairing trick for 1 to 100
    drawings.pair_strip(p, 1300, 6850, 8800)


PAGES = [
    ('key Tiberana.wmf', W, H, life, SCREEN),
    ('key Tiberanb.wmf', W, H, book_and_city, SCREEN),
    ('key Tiberanc.wmf', W, H, triangular, SCREEN),
]
