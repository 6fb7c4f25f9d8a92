"""Teacher's Notes of Tiberan: three pages for teachers."""

import os

import drawings
import quizfacts
from pagekit import SCREEN

W, H = 11400, 7200
KICKER = "Teacher's Notes \u00b7 Tiberan"
QUIZ = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', 'data', 'multiple', 'Tiberan.txt')


def riddle(p):
    p.title("Teaching Tiberan's riddle", KICKER)
    y = p.heading(300, 1150, 'Aims')
    y = p.paragraph(300, y, 6000,
                    "Pupils put the events of a life in order, find fractions of an amount "
                    "(one sixth and one half of 84) and check an answer by working back.", 11)
    y = p.heading(300, y + 80, "The activity: Tiberan's Life")
    y = p.paragraph(300, y, 6000,
                    "On the Tiberan screen, **Tiberan's Life** shows six events and six age tiles: "
                    "14, 26, 33, 38, 80 and 84. Pupils drag each tile onto its event. "
                    "**Check Score** says how many are right; **Start Again** sends the tiles back.", 11)
    y = p.heading(300, y + 80, 'Talking points')
    p.bullets(300, y, 6000, [
        "Which ages follow from others? 38~+~42~=~80, and 84~\u2013~80~=~4 years.",
        "What fraction of his life was his boyhood? And his son's life?",
        "Which is bigger, 1/6 or 1/7 of 84? How do you know without working them out?",
        "How could you check that 84 fits every line of the riddle?",
    ], 11, gap=0.1)

    p.panel(6700, 1150, 4400, 3300)
    p.text(8900, 1600, '84 in sixths and in halves', 11, 'heading', bold=True, align='center')
    drawings.bar_model(p, 6950, 1900, 3900, 6, labels=['14'] * 6, colours={0: 'orange'})
    p.text(7275, 2620, 'boyhood', 9, 'orange', bold=True, align='center')
    drawings.bar_model(p, 6950, 2950, 3900, 2, labels=['42', '42'], colours={1: 'accent'})
    p.text(9875, 3670, "his son's life", 9, 'accent', bold=True, align='center')
    p.text(8900, 4150, 'A bar model makes the fractions visible', 9, 'soft', align='center')
    p.panel(6700, 4700, 4400, 2200, fill='shadow')
    y = p.heading(6900, 4900, 'Try this')
    p.paragraph(6900, y, 4000,
                "Pupils write a riddle of their own life, or of a character in a story, with at "
                "least one fraction in it, and swap riddles with a partner.", 11)


def triangular(p):
    p.title('Triangular numbers in class', KICKER)
    p.bullets(300, 1150, 6100, [
        "**Build them** with counters or cubes: 1, 3, 6, 10 ... Ask what comes next, "
        "and why it grows by one more each time.",
        "**Two triangles make a rectangle.** Two equal triangles of counters in two colours "
        "fit together into n rows of n~+~1, so one triangle holds n(n~+~1)/2.",
        "**The activity.** Triangular Numbers on the Tiberan screen first shows the pairing "
        "trick, then asks for a triangular number with four answers to choose from. "
        "**Show Answer** makes the right one flash; **New Problem** gives another.",
        "**Going further.** Add two triangular numbers that sit side by side: 1~+~3~=~4, "
        "3~+~6~=~9, 6~+~10~=~16. What do pupils notice? Can they show why with dots?",
    ], 11, gap=0.45)

    p.panel(6700, 1150, 4400, 3200)
    drawings.pairing(p, 7250, 1600, 5, gap=280, r=95)
    p.text(8900, 3250, '5 rows of 6 make 30', 11, 'text', bold=True, align='center')
    p.text(8900, 3530, 'so the 5th triangular number', 11, 'text', align='center')
    p.text(8900, 3810, 'is 30 / 2 = 15', 11, 'heading', bold=True, align='center')
    # a table of the first ten
    p.panel(6700, 4600, 4400, 2300, fill='shadow')
    p.text(8900, 5020, 'The first ten triangular numbers', 11, 'heading', bold=True, align='center')
    for i in range(10):
        n = i + 1
        x = 6950 + (i % 5) * 830
        y = 5550 + (i // 5) * 650
        p.text(x + 350, y, 'T%d' % n, 9, 'soft', bold=True, align='center')
        p.text(x + 350, y + 300, str(n * (n + 1) // 2), 13, 'text', bold=True, align='center')


def quiz(p):
    p.title('The quiz, and more ideas', KICKER)
    y = p.heading(300, 1150, 'The quiz')
    y = p.paragraph(300, y, 6100,
                    "**Multiple Choice** on the Tiberan screen asks ten questions. Every answer is "
                    "on the three Key Facts pages, so pupils can read first, or check afterwards.", 11)
    y = p.paragraph(300, y + 40, 6100,
                    "The results screen gives the score. With every answer right, a pupil types "
                    "their name and prints a certificate. Otherwise **Check Wrong Answers** lists "
                    "the questions they missed but not the answers: pupils find those in the Key "
                    "Facts and try again.", 11)
    y = p.heading(300, y + 100, 'More ideas')
    p.bullets(300, y, 6100, [
        "**A problem for the book.** Solve \u2018a number and 5 make 12\u2019, then write a "
        "problem of the same kind for a partner.",
        "**The great lighthouse.** Draw a tower in three parts to scale: a square base, an "
        "eight-sided middle and a round top. How tall is each part?",
        "**Patterns in dots.** Which triangular numbers are even? Is there a pattern?",
    ], 11, gap=0.3)
    drawings.answer_key(p, 7000, 1150, 4100, 'Answers to the quiz',
                        quizfacts.quiz_answers(QUIZ), 10)


PAGES = [
    ('Tiberana.wmf', W, H, riddle, SCREEN),
    ('Tiberanb.wmf', W, H, triangular, SCREEN),
    ('Tiberanc.wmf', W, H, quiz, SCREEN),
]
