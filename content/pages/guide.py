"""The teacher's guide: five pages on how a teacher uses Lumora."""

import drawings
from pagekit import SCREEN

W, H = 11400, 7200
KICKER = "Teacher's Guide"


def flow_box(p, x, y, w, h, heading, lines, fill='panel'):
    p.panel(x, y, w, h, radius=140, fill=fill)
    p.text(x + w / 2, y + 420, heading, 11, 'heading', bold=True, align='center')
    for i, line in enumerate(lines):
        p.text(x + w / 2, y + 720 + i * 260, line, 9, 'text', align='center')


def welcome(p):
    p.title('Welcome to Lumora', KICKER)
    y = p.paragraph(300, 1150, 5600,
                    "Lumora brings two mathematicians of the past into your classroom. Each topic "
                    "has illustrated Key Facts for pupils, Teacher's Notes for you, a quiz and two "
                    "activities. You can also write quizzes of your own.", 11)
    y = p.heading(300, y + 60, 'The main menu')
    p.bullets(300, y, 5600, [
        "**Tiberan** and **Joris Malten** open the two topics. The other names are topics "
        "still to come.",
        "**Teacher's Guide** opens these pages. **Acknowledgments** tells you who made Lumora.",
        "**Multiple Choice Wizard** writes a new quiz; **Worksheet Catalogue** lists the quizzes "
        "you have written.",
        "The web address at the bottom opens the publisher's web page.",
        "**Exit** asks you to confirm, then closes Lumora.",
    ], 11, gap=0.2)
    drawings.menu_sketch(p, 6200, 1250, 4850)
    p.paragraph(6200, 5100, 4850,
                "Every button is a label with yellow letters. Buttons light up as the mouse "
                "moves over them; click one to open its screen.", 10, colour='soft')


def topics(p):
    p.title('The two topics', KICKER)
    y = p.paragraph(300, 1150, 5600,
                    "Each topic opens on a black screen with the mathematician's pictures and six "
                    "buttons:", 11)
    y = p.bullets(300, y + 20, 5600, [
        "**Key Facts**: three illustrated pages for pupils. Every answer of the topic's quiz "
        "is on them.",
        "**Teacher's Notes**: pages for you, with aims, talking points and the quiz answers.",
        "**Multiple Choice**: the topic's quiz of ten questions.",
        "Two activities: **Tiberan's Life** and **Triangular Numbers** for Tiberan, "
        "**Decimals** and **Multiplying Decimals** for Joris Malten.",
        "**Exit** takes you back to the main menu.",
    ], 11, gap=0.15)
    p.paragraph(300, y + 40, 5600,
                "Turn the pages of Key Facts and Teacher's Notes with **Next Page** and "
                "**Previous Page**; **Print** prints the page on show.", 11)
    drawings.hub_sketch(p, 6200, 1250, 4850, 'Tiberan', ("Tiberan's Life", 'Triangular Numbers'),
                        drawings.lighthouse, drawings.book)
    p.panel(6200, 5150, 4850, 1750, fill='shadow')
    y = p.heading(6400, 5300, 'The activities', 12)
    p.paragraph(6400, y, 4450,
                "Pupils click one of four answers and are told at once if it is right. "
                "**Show Answer** makes the right one flash; **New Problem** gives another. In "
                "Tiberan's Life pupils drag age tiles onto the events of his life.", 10)


def quizzes(p):
    p.title('Quizzes, scores and certificates', KICKER)
    y = p.paragraph(300, 1150, 10800,
                    "A quiz has ten questions with four answers each. Pupils choose an answer and "
                    "press **Next Question >>**; **<< Previous Question** goes back. After question "
                    "10 the button reads **Check Score >>**.", 11)
    # the road of a quiz
    top = y + 650
    flow_box(p, 300, top, 2800, 1500, 'The quiz', ['ten questions,', 'four answers each'])
    flow_box(p, 4200, top, 2800, 1500, 'The results', ['the score out of 10', 'and a message'])
    flow_box(p, 8150, top - 500, 2950, 1300, 'All right', ['type a name, then', 'Print Certificate'],
             fill='shadow')
    flow_box(p, 8150, top + 1050, 2950, 1300, 'Some wrong', ['Check Wrong Answers,', 'then read the Key Facts'],
             fill='shadow')
    p.arrow(3150, top + 750, 4150, top + 750, 'heading', 40, 160)
    p.arrow(7050, top + 550, 8100, top + 200, 'green', 40, 160)
    p.arrow(7050, top + 950, 8100, top + 1500, 'orange', 40, 160)
    y = top + 2450
    p.bullets(300, y, 10800, [
        "With every answer right, pupils type their name in the box and press **Print "
        "Certificate**: a certificate with their name and score comes out of the printer.",
        "Otherwise **Check Wrong Answers** lists the questions they got wrong, but not the "
        "answers, so pupils look them up in the Key Facts and try again.",
        "Each topic has its own quiz, and the quizzes you write yourself run in just the same "
        "way (see the next page).",
    ], 11, gap=0.2)


def wizard_sketch(p, x, y, w):
    h = w * 0.75
    drawings.screen_frame(p, x, y, w, h)
    k = w / 12000.0
    p.text(x + 400 * k, y + 800 * k, 'Multiple Choice Wizard', 9, 'button_text', bold=True)
    p.text(x + 400 * k, y + 1500 * k, 'Worksheet Title', 7, 'white')
    p.rect(x + 3200 * k, y + 1150 * k, 8300 * k, 550 * k, fill='white', line=None)
    p.text(x + 3350 * k, y + 1550 * k, 'Triangles and squares', 7, (0, 0, 0))
    for q in range(2):
        qy = y + (2300 + q * 2700) * k
        p.text(x + 400 * k, qy + 300 * k, 'Question %d' % (q + 1), 7, 'button_text', bold=True)
        p.rect(x + 3200 * k, qy, 8300 * k, 500 * k, fill='white', line=None)
        for c, letter in enumerate('ABCD'):
            cy = qy + (700 + c * 430) * k
            p.text(x + 3200 * k, cy + 300 * k, letter + '.', 6, 'white', bold=True)
            p.rect(x + 3700 * k, cy, 6500 * k, 340 * k, fill='white', line=None)
            p.rect(x + 10500 * k, cy, 340 * k, 340 * k, fill='white', line='black', width=10)
            if c == 1 + q:
                p.line(x + 10540 * k, cy + 170 * k, x + 10680 * k, cy + 300 * k, 'black', 25)
                p.line(x + 10680 * k, cy + 300 * k, x + 10820 * k, cy + 40 * k, 'black', 25)
    drawings.button(p, x + 6500 * k, y + 7900 * k, 3000 * k, 500 * k, 'Save Worksheet', 6)
    drawings.button(p, x + 9900 * k, y + 7900 * k, 1600 * k, 500 * k, 'Exit', 6)


def catalogue_sketch(p, x, y, w):
    h = w * 0.75
    drawings.screen_frame(p, x, y, w, h)
    k = w / 12000.0
    p.text(x + 6000 * k, y + 900 * k, 'Worksheets Catalogue', 9, 'button_text', bold=True, align='center')
    titles = ['Triangles and squares', 'Decimals test 1', 'Fractions of 84', 'Year 6 revision']
    for i, title in enumerate(titles):
        drawings.button(p, x + 600 * k, y + (1500 + i * 700) * k, 5200 * k, 500 * k, title, 6)
    for i, caption in enumerate(('Edit Worksheet', 'Delete Worksheet')):
        by = y + (1600 + i * 800) * k
        p.rect(x + 7000 * k, by, 380 * k, 380 * k, fill='white', line=None)
        p.text(x + 7600 * k, by + 300 * k, caption, 7, 'white')
    p.text(x + 600 * k, y + 7000 * k, 'Page 1', 7, 'white')
    drawings.button(p, x + 9900 * k, y + 7900 * k, 1600 * k, 500 * k, 'Exit', 6)


def worksheets(p):
    p.title('Your own quizzes: worksheets', KICKER)
    y = p.heading(300, 1150, 'Writing one: the Multiple Choice Wizard')
    y = p.paragraph(300, y, 5600,
                    "Open **Multiple Choice Wizard** from the main menu. Type a title, ten questions "
                    "and four answers for each, and tick the correct answer of every question. "
                    "**Save Worksheet** checks that nothing is missing and that each question has "
                    "exactly one tick, then saves the worksheet and adds it to the catalogue.", 11)
    y = p.heading(300, y + 80, 'Using one: the Worksheet Catalogue')
    y = p.paragraph(300, y, 5600,
                    "**Worksheet Catalogue** lists your worksheets, 24 to a page. Click a title to "
                    "run it as a quiz. Tick **Edit Worksheet** first to open it in the wizard, or "
                    "**Delete Worksheet** to take it off the list; Lumora asks before it deletes.", 11)
    p.paragraph(300, y + 60, 5600,
                "Saving under a new title makes a new worksheet; saving under the same title "
                "replaces the old one.", 11, colour='soft')
    wizard_sketch(p, 6300, 1150, 4750)
    catalogue_sketch(p, 7300, 4150, 3750)


def printing(p):
    p.title('Printing', KICKER)
    y = p.paragraph(300, 1150, 6200,
                    "Lumora prints straight away on your computer's default printer, without a "
                    "print dialog. Printed pages are dark on white, whatever the screen shows.", 11)
    y = p.bullets(300, y + 40, 6200, [
        "**Print** on a page of the Key Facts, the Teacher's Notes or this guide prints that page, "
        "about 16 by 10 cm.",
        "**Print Worksheet** on the quiz screen prints the quiz for pupils to answer on paper: the "
        "ten questions and their lettered answers, without the correct ones.",
        "**Print Certificate** on the results screen prints a certificate with the pupil's name "
        "and score, for a quiz with every answer right.",
    ], 11, gap=0.25)
    p.panel(300, y + 100, 6200, 1500, fill='shadow')
    yy = p.heading(500, y + 260, 'If nothing comes out', 12)
    p.paragraph(500, yy, 5800,
                "Check that a default printer is set up, switched on and has paper. Lumora tells "
                "you when a printout could not be sent.", 10)
    drawings.printer_icon(p, 7600, 1400, 2600)
    p.panel(6900, 4250, 4200, 2650)
    yy = p.heading(7100, 4450, 'Where your work is kept', 12)
    p.paragraph(7100, yy, 3800,
                "Worksheets are saved in the folder **multiple** beside Lumora, with the list of "
                "them in **track.txt**. Copy that folder to keep them safe or to share them with "
                "another classroom.", 10)


PAGES = [
    ('guide1.wmf', W, H, welcome, SCREEN),
    ('guide2.wmf', W, H, topics, SCREEN),
    ('guide3.wmf', W, H, quizzes, SCREEN),
    ('guide4.wmf', W, H, worksheets, SCREEN),
    ('guide5.wmf', W, H, printing, SCREEN),
]
