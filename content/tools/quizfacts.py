"""Checks that the Key Facts pages of a topic state the answer of every question
of its quiz: the results screen sends a pupil who got one wrong to read them.

The list of facts (content/pages/quiz-facts.txt) names, for each question, the
correct choice as the quiz has it and the words on the pages that give it away.
The check reads the quiz files and the page files as they were written (both
copies), so a changed quiz, a changed page or a changed list is caught:

  - every question of the quiz has its line in the list;
  - the line's answer is the quiz's correct choice;
  - the choice itself appears on the pages, unless the question asks for the
    statement that is not true (marked "(untrue)");
  - the line's words appear on the pages.
"""

import os
import re
import struct

from wmfrecords import EXT_TEXT_OUT, TEXT_OUT


def page_text(path):
    """The text of a metafile page in the order it is drawn; pieces of one line
    that touch are joined, others are parted by a blank."""
    data = open(path, 'rb').read()
    pos = 22 + 18 if data[:4] == b'\xd7\xcd\xc6\x9a' else 18
    out, last = [], None
    while pos + 6 <= len(data):
        words, function = struct.unpack_from('<IH', data, pos)
        params = data[pos + 6:pos + 2 * words]
        if words < 3 or function == 0:
            break
        piece = None
        if function == EXT_TEXT_OUT:
            y, x, count, options = struct.unpack_from('<hhhH', params)
            at = 8 + (8 if options & 6 else 0)
            text = params[at:at + count].decode('cp1252')
            at += count + count % 2
            dx = struct.unpack_from('<%dh' % count, params, at) if len(params) >= at + 2 * count else ()
            piece = (x, y, text, x + sum(dx))
        elif function == TEXT_OUT:
            count = struct.unpack_from('<h', params)[0]
            text = params[2:2 + count].decode('cp1252')
            y, x = struct.unpack_from('<hh', params, 2 + count + count % 2)
            piece = (x, y, text, None)
        if piece:
            x, y, text, end = piece
            joined = last and last[1] == y and last[3] is not None and abs(last[3] - x) < 40
            out.append(text if joined else ' ' + text)
            last = piece
        pos += 2 * words
    return ''.join(out)


def normalise(text):
    text = text.replace('\u2019', "'").replace('\u2018', "'").replace('\u2013', '-')
    return re.sub(r'\s+', ' ', text).strip().lower()


def quiz_answers(path):
    """The correct choice of each question, as the quiz screen would show it."""
    lines = open(path, 'rb').read().decode('cp1252').split('\r\n')
    answers = {}
    for q in range(10):
        base = 2 + 7 * q
        choices = lines[base + 1:base + 5]
        answers[q + 1] = (lines[base].replace('&', ','), choices[int(lines[base + 5]) - 1].replace('&', ','))
    return answers


def check(facts_path, data):
    sets, facts = {}, {}
    for raw in open(facts_path, encoding='utf-8'):
        line = raw.strip()
        if not line or line.startswith('#'):
            continue
        fields = [f.strip() for f in line.split('|')]
        if fields[0] == 'set':
            sets[fields[1]] = fields[2]
        else:
            facts[(fields[0], int(fields[1]))] = (fields[2], fields[3])

    problems = []
    for quiz, pageset in sets.items():
        answers = quiz_answers(os.path.join(data, 'multiple', quiz))
        for folder in ('wmf', 'wmf2'):
            pages = [os.path.join(data, folder, pageset + letter + '.wmf') for letter in 'abcd']
            pages = [p for p in pages if os.path.exists(p)]
            text = normalise(' '.join(page_text(p) for p in pages))
            for number, (question, correct) in answers.items():
                if (quiz, number) not in facts:
                    problems.append('%s question %d ("%s") has no line in the facts list' % (quiz, number, question))
                    continue
                answer, words = facts[(quiz, number)]
                untrue = answer.endswith('(untrue)')
                answer = answer.replace('(untrue)', '').strip()
                if answer != correct:
                    problems.append('%s question %d: the quiz\'s answer is "%s", the facts list says "%s"'
                                    % (quiz, number, correct, answer))
                if not untrue and normalise(correct) not in text:
                    problems.append('%s question %d: the answer "%s" is not on the %s pages of %s'
                                    % (quiz, number, correct, folder, pageset))
                if normalise(words) not in text:
                    problems.append('%s question %d: "%s" is not on the %s pages of %s'
                                    % (quiz, number, words, folder, pageset))
    return problems
