"""Makes Lumora's pages: every page source under content/pages/ drawn twice, the
screen copy into data/wmf/ and the print copy into data/wmf2/, then checks that
the Key Facts pages of each topic state the answer of every question of its quiz.

    python3 makepages.py CONTENT_DIR DATA_DIR
"""

import importlib
import os
import sys

here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, here)

import pagekit  # noqa: E402
import quizfacts  # noqa: E402

# The viewers print a page at its own size, 1000 twips in from the corner of the
# printable area. Drawn at screen size (11400 twips, 20 cm wide) a page would run
# off the right of an A4 or Letter sheet, so the print copy counts 1800 of its
# units to the inch: it prints at four fifths of that, 16 cm wide, with room to
# spare on either paper.
PRINT_UNITS_PER_INCH = 1800

# The page sources, each a module of content/pages/ with a list PAGES of
# (file name, width, height, draw function, screen theme).
SOURCES = ['guide', 'key_tiberan', 'notes_tiberan', 'key_malten', 'notes_malten', 'acknowledgments']


def main(content, data):
    sys.path.insert(0, os.path.join(content, 'pages'))
    written = {}
    for source in SOURCES:
        module = importlib.import_module(source)
        for name, width, height, draw, screen in module.PAGES:
            for folder, theme, units in (('wmf', screen, 1440),
                                         ('wmf2', pagekit.PRINT, PRINT_UNITS_PER_INCH)):
                page = pagekit.Page(width, height, theme, units)
                draw(page)
                path = os.path.join(data, folder, name)
                os.makedirs(os.path.dirname(path), exist_ok=True)
                with open(path, 'wb') as f:
                    f.write(page.bytes())
                written[(folder, name)] = page
            print('  data/wmf/%s, data/wmf2/%s  %d x %d twips' % (name, name, width, height))
    problems = quizfacts.check(os.path.join(content, 'pages', 'quiz-facts.txt'), data)
    if problems:
        for problem in problems:
            print('makepages: ' + problem, file=sys.stderr)
        sys.exit(1)
    print('  every quiz answer is on its Key Facts pages')


if __name__ == '__main__':
    main(sys.argv[1], sys.argv[2])
