"""Key Facts of Joris Malten: three pages for pupils. Every answer of the Joris Malten
quiz is stated here (see quiz-facts.txt)."""

import drawings
from pagekit import SCREEN

W, H = 11400, 7200
KICKER = "Key Facts \u00b7 Joris Malten"


def decimals(p):
    p.title('Decimal fractions', KICKER)
    y = p.paragraph(300, 1150, 5400,
                    "Joris Malten showed everyone how to write fractions such as tenths and "
                    "hundredths as **decimals**. After the whole number comes a **decimal point**, "
                    "then the digits for tenths, hundredths and thousandths.", 12)
    y = p.paragraph(300, y + 40, 5400, "In **4.372**:", 12)
    y = p.boxed_list(300, y, 5400, [
        "the 4 is **4 ones**",
        "the 3 is **3 tenths**",
        "the 7 is [[7 hundredths]]",
        "the 2 is **2 thousandths**",
    ], 12, gap=0.05)
    y = p.paragraph(300, y, 5400,
                    "**Four and six tenths** is written **4.6**: the whole number, the point, then "
                    "the tenths digit.", 12)
    y = p.paragraph(300, y + 20, 5400,
                    "The third digit after the point is the thousandths digit: in **5.638** the "
                    "thousandths digit is **8**.", 12)

    drawings.place_value(p, 6100, 1150, 1200, 900,
                         ['Ones', 'Tenths', 'Hundredths', 'Thousandths'], ['4', '3', '7', '2'],
                         ['text', 'green', 'heading', 'accent'], 0)
    for i, (label, colour) in enumerate((('4 ones', 'text'), ('3 tenths', 'green'),
                                         ('7 hundredths', 'heading'), ('2 thousandths', 'accent'))):
        p.text(6700 + i * 1200, 2900, label, 8, colour, align='center')
    p.panel(6100, 3350, 4800, 3550)
    p.text(8500, 3800, 'Money works the same way', 12, 'heading', bold=True, align='center')
    drawings.coins(p, 6700, 4350, [('\u00a31', 4, 'flame'), ('10p', 3, 'stone'), ('1p', 7, 'orange')])
    p.text(8500, 6100, '\u00a34.37 is 4 pounds, 3 tenths of a pound', 10, 'text', align='center')
    p.text(8500, 6370, '(ten-pence coins) and 7 hundredths (pennies)', 10, 'text', align='center')


def fractions(p):
    p.title('Fractions as decimals', KICKER)
    y = p.paragraph(300, 1150, 5600,
                    "A fraction over 10, 100 or 1000 is quick to write as a decimal:", 12)
    y = p.boxed_list(300, y + 20, 5600, [
        "3/10 = [[0.3]]: three tenths",
        "7/100 = [[0.07]]: no tenths and seven hundredths",
        "45/100 = 0.45 and 125/1000 = 0.125",
    ], 12, gap=0.05)
    y = p.paragraph(300, y, 5600,
                    "For other fractions, first make the bottom number 10, 100 or 1000. "
                    "Multiply the top and the bottom by 25: **3/4~=~75/100~=~0.75**.", 12)
    y = p.paragraph(300, y + 20, 5600,
                    "Take care: **1/5~=~0.2**, not 0.5. It is 1/2 that is 0.5.", 12, high='orange')

    p.panel(6300, 1150, 4800, 3500)
    p.text(8700, 1600, 'Fractions to remember', 12, 'heading', bold=True, align='center')
    rows = [('1/2', '0.5'), ('1/4', '0.25'), ('3/4', '0.75'), ('1/5', '0.2'), ('1/10', '0.1')]
    for i, (fraction, decimal) in enumerate(rows):
        by = 2150 + i * 480
        p.text(8350, by, fraction, 14, 'text', bold=True, align='right')
        p.text(8700, by, '=', 14, 'soft', bold=True, align='center')
        p.text(9050, by, decimal, 14, 'green', bold=True)
    drawings.number_line(p, 800, 6300, 9800, [
        (0.07, '7/100', 'accent', 0),
        (0.1, '1/10', 'green', 1),
        (0.2, '1/5', 'orange', 0),
        (0.25, '1/4', 'pink', 1),
        (0.3, '3/10', 'accent', 2),
        (0.5, '1/2', 'heading', 0),
        (0.75, '3/4', 'green', 0),
    ])


def multiplying(p):
    p.title('Multiplying decimals', KICKER)
    y = p.paragraph(300, 1150, 5700, "To multiply two decimals:", 12)
    y = p.boxed_list(300, y + 20, 5700, [
        "**Multiply** the numbers as if there were no points.",
        "**Count** the decimal places, the digits after the point, in both numbers together.",
        "**Place** the point so that the answer has that many decimal places.",
    ], 12, gap=0.05)
    for i, (sum_, whole, places, answer) in enumerate((
            ('0.4 \u00d7 0.3', '4 \u00d7 3 = 12', '1 + 1 = 2 decimal places', '0.4~\u00d7~0.3~=~[[0.12]]'),
            ('0.06 \u00d7 0.7', '6 \u00d7 7 = 42', '2 + 1 = 3 decimal places', '0.06~\u00d7~0.7~=~[[0.042]]'))):
        x = 300 + i * 2950
        p.panel(x, y + 60, 2750, 2050, fill='shadow')
        p.text(x + 1375, y + 520, sum_, 15, 'heading', bold=True, align='center')
        p.text(x + 1375, y + 930, whole, 11, 'text', align='center')
        p.text(x + 1375, y + 1250, places, 11, 'text', align='center')
        p.paragraph(x + 100, y + 1470, 2550, answer, 13, align='center')
    p.paragraph(300, y + 2300, 5700,
                "In the second sum a 0 fills the empty place: 42 becomes 0.042.", 11, colour='soft')

    p.panel(6300, 1150, 4800, 5750, radius=120, fill='shadow')
    drawings.sail_chariot(p, 6400, 1250, 4600, 3300)
    p.heading(6550, 4750, 'The sail chariot')
    p.paragraph(6550, 5200, 4400,
                "Joris Malten built a sail chariot: [[a carriage moved by the wind]]. It had sails "
                "like a ship and rolled along the beach on wheels.", 11)


PAGES = [
    ('key maltena.wmf', W, H, decimals, SCREEN),
    ('key maltenb.wmf', W, H, fractions, SCREEN),
    ('key maltenc.wmf', W, H, multiplying, SCREEN),
]
