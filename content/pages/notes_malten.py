"""Teacher's Notes of Joris Malten: two pages for teachers."""

import os

import drawings
import quizfacts
from pagekit import SCREEN

W, H = 11400, 7200
KICKER = "Teacher's Notes \u00b7 Joris Malten"
QUIZ = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', 'data', 'multiple',
                    'Joris Malten.txt')


def notation(p):
    p.title('Teaching decimal notation', KICKER)
    y = p.heading(300, 1150, 'Aims')
    y = p.paragraph(300, y, 6000,
                    "Pupils read and write decimals to three places, know what each digit is worth, "
                    "and write tenths, hundredths and thousandths as decimals.", 11)
    y = p.heading(300, y + 80, "Joris Malten's idea")
    y = p.paragraph(300, y, 6000,
                    "The places after the point carry on the pattern of the places before it: "
                    "each place is worth one tenth of the place on its left.", 11)
    y = p.heading(300, y + 80, 'Watch out for')
    y = p.bullets(300, y, 6000, [
        "0.07 read as \u2018seven tenths\u2019 (it is seven hundredths)",
        "4.06 and 4.6 thought to be the same",
        "1/5 written as 0.5 (it is 0.2)",
        "a longer decimal thought to be bigger: 0.125 is less than 0.3",
    ], 11, gap=0.05)
    p.paragraph(300, y + 40, 6000,
                "**The activity.** Decimals on the Joris Malten screen shows a fraction over 10, "
                "100, 1000, 10000 or 100000 and four decimals with the same digits, the point in "
                "different places.", 11)

    p.panel(6700, 1150, 4400, 2900)
    p.text(8900, 1600, 'Each place is a tenth of the last', 11, 'heading', bold=True, align='center')
    drawings.place_steps(p, 6850, 1900, 4100, ['Tens', 'Ones', 'Tenths', 'Hundredths'], 1)
    p.panel(6700, 4300, 4400, 2600, fill='shadow')
    y = p.heading(6900, 4500, 'In the classroom')
    p.bullets(6900, y, 4000, [
        "Make 4.372 with digit cards on a place-value chart, then change one digit: "
        "what is it worth now?",
        "Use money and measures: \u00a34.37, 1.25~m.",
    ], 10, gap=0.2)


def multiplying(p):
    p.title('Multiplying decimals and the sail chariot', KICKER)
    p.bullets(300, 1150, 6100, [
        "**Estimate first.** 0.4~\u00d7~0.3 is less than both 0.4 and 0.3, so 1.2 and 0.7 "
        "cannot be right.",
        "**Count the places.** The answer has as many decimal places as the two numbers "
        "together. Fill empty places with 0: 0.06~\u00d7~0.7~=~0.042.",
        "**The activity.** Multiplying Decimals shows a product and four answers with the same "
        "digits and the point in different places: a good test of the counting rule.",
        "**The sail chariot.** Joris Malten's carriage with sails was driven by the wind over "
        "land. Pupils can build a land yacht from card, test it in front of a fan and record "
        "the distances in metres to two decimal places.",
    ], 11, gap=0.45)
    # a land yacht trial, recorded in metres
    p.panel(300, 5150, 6100, 1750, fill='shadow')
    drawings.sail_chariot(p, 420, 5250, 2000, 1550)
    p.text(2650, 5600, 'Our land yacht trials', 11, 'heading', bold=True)
    for i, (trial, metres) in enumerate((('Trial 1', '2.35 m'), ('Trial 2', '3.4 m'), ('Trial 3', '3.05 m'))):
        p.text(2650, 5950 + i * 280, trial, 10, 'soft', bold=True)
        p.text(3700, 5950 + i * 280, metres, 10, 'text', bold=True)
    p.paragraph(4600, 5750, 1700, "Which went furthest? Put them in order.", 10)
    drawings.answer_key(p, 7000, 1150, 4100, 'Answers to the quiz',
                        quizfacts.quiz_answers(QUIZ), 10)


PAGES = [
    ('maltena.wmf', W, H, notation, SCREEN),
    ('maltenb.wmf', W, H, multiplying, SCREEN),
]
