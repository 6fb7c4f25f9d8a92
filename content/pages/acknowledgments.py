"""The acknowledgments page, shown on its own lighter blue with Brenvale's animated
logo beside it: 6600 twips wide, so that centred on the viewer it stays clear of
the logo at the right."""

import drawings
from pagekit import ACK_SCREEN

W, H = 6600, 7200


def acknowledgments(p):
    p.title('Acknowledgments')
    y = p.paragraph(300, 1150, 6000,
                    "Lumora was written, drawn and programmed by **the Lumora team**, and is "
                    "published by **Brenvale**.", 12)
    credits = [
        ('Mathematics and writing', 'the Lumora team'),
        ('Pictures and pages', 'the Lumora team'),
        ('Programming', 'the Lumora team'),
        ('Publisher', 'Brenvale'),
    ]
    y += 100
    for role, who in credits:
        p.text(3250, y + 240, role, 11, 'soft', align='right')
        p.text(3500, y + 240, who, 11, 'text', bold=True)
        y += 360
    p.panel(300, y + 120, 6000, 1500)
    yy = p.heading(520, y + 290, 'Thank you', 13)
    p.paragraph(520, yy, 5560,
                "to the teachers and pupils who tried Lumora in their classrooms. Their "
                "questions, ideas and answers made it better.", 11)
    top = y + 1850
    for i, (draw, caption) in enumerate(((drawings.lighthouse, "Tiberan's city"),
                                         (drawings.sail_chariot, "Joris Malten's sail chariot"))):
        x = 300 + i * 3100
        p.panel(x, top, 2900, 6900 - top, radius=100, fill='shadow')
        draw(p, x + 70, top + 70, 2760, 6900 - top - 440)
        p.text(x + 1450, 6800, caption, 9, 'text', bold=True, align='center')


PAGES = [
    ('acknowledgments.wmf', W, H, acknowledgments, ACK_SCREEN),
]
