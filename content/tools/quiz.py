#!/usr/bin/env python3
"""Build a Lumora multiple-choice quiz file from a readable .quiz source.

    quiz.py SOURCE.quiz OUTPUT.txt

The source is UTF-8 text:

    # comment
    title: The quiz title
    Q: question text
    A: first choice
    B: second choice
    C: third choice
    D: fourth choice
    answer: B
    ... ten question blocks in all ...

The output is what the program's quiz reader loads: Windows-1252 text, every
line ending in CR LF, exactly 72 lines -- the title, a line holding one space,
then for each of the ten questions the question, its four choices, the number
(1..4) of the correct choice and a line holding one space.  The reader turns
every "&" back into ",", so commas are written as "&" here; that is why the
source may contain neither "&" nor '"'.

Every limit is checked and any fault stops the build with a message naming the
source line, so a broken quiz never reaches data/.
"""

import sys

QUESTIONS = 10
TITLE_MAX = 60
QUESTION_MAX = 60   # the teacher's quiz wizard allows no more
CHOICE_MAX = 30     # likewise
LINES = 2 + 7 * QUESTIONS
LETTERS = "ABCD"


class QuizError(Exception):
    pass


def check_text(text, limit, what, lineno):
    if not text:
        raise QuizError(f"line {lineno}: {what} is empty")
    if text != text.strip():
        raise QuizError(f"line {lineno}: {what} begins or ends with a blank")
    if "&" in text:
        raise QuizError(f"line {lineno}: {what} holds '&', which the reader would turn into ','")
    if '"' in text:
        raise QuizError(f"line {lineno}: {what} holds a double quote")
    if len(text) > limit:
        raise QuizError(f"line {lineno}: {what} has {len(text)} characters, at most {limit} allowed")
    try:
        text.encode("cp1252")
    except UnicodeEncodeError as e:
        raise QuizError(f"line {lineno}: {what} holds {text[e.start]!r}, not in Windows-1252")


def parse(source_text):
    """Return (title, [(question, [a, b, c, d], answer_number), ...])."""
    title = None
    questions = []
    current = None          # dict being filled for the question in progress

    def finish(lineno):
        if current is None:
            return
        missing = [k for k in ("Q",) + tuple(LETTERS) + ("answer",) if k not in current]
        if missing:
            raise QuizError(f"line {lineno}: question {len(questions) + 1} lacks {', '.join(missing)}")
        choices = [current[k] for k in LETTERS]
        if len(set(choices)) != 4:
            raise QuizError(f"question {len(questions) + 1}: two choices are the same")
        questions.append((current["Q"], choices, LETTERS.index(current["answer"]) + 1))

    lineno = 0
    for lineno, raw in enumerate(source_text.splitlines(), 1):
        line = raw.rstrip()
        if not line.strip() or line.lstrip().startswith("#"):
            continue
        key, sep, value = line.partition(":")
        if not sep:
            raise QuizError(f"line {lineno}: expected 'key: text'")
        key = key.strip()
        value = value[1:] if value.startswith(" ") else value
        if key == "title":
            if title is not None:
                raise QuizError(f"line {lineno}: second title")
            check_text(value, TITLE_MAX, "title", lineno)
            title = value
        elif key == "Q":
            finish(lineno)
            current = {"Q": value}
            check_text(value, QUESTION_MAX, "question", lineno)
        elif key in LETTERS or key == "answer":
            if current is None:
                raise QuizError(f"line {lineno}: '{key}:' before any 'Q:'")
            if key in current:
                raise QuizError(f"line {lineno}: '{key}:' given twice")
            if key == "answer":
                if value not in tuple(LETTERS):
                    raise QuizError(f"line {lineno}: answer must be one of A, B, C, D")
            else:
                check_text(value, CHOICE_MAX, f"choice {key}", lineno)
            current[key] = value
        else:
            raise QuizError(f"line {lineno}: unknown key '{key}'")
    finish(lineno)

    if title is None:
        raise QuizError("no title")
    if len(questions) != QUESTIONS:
        raise QuizError(f"{len(questions)} questions, {QUESTIONS} needed")
    return title, questions


def check_quiz(title, questions):
    texts = [title] + [t for q, choices, _ in questions for t in [q] + choices]
    if not any("," in t for t in texts):
        raise QuizError("no text holds a comma; at least one should, so the comma coding is exercised")
    used = {answer for _, _, answer in questions}
    if used != {1, 2, 3, 4}:
        raise QuizError(f"correct answers use only positions {sorted(used)}; vary them over 1..4")


def encode(text):
    return text.replace(",", "&")


def render(title, questions):
    lines = [encode(title), " "]
    for question, choices, answer in questions:
        lines.append(encode(question))
        lines.extend(encode(c) for c in choices)
        lines.append(str(answer))
        lines.append(" ")
    assert len(lines) == LINES
    return "".join(line + "\r\n" for line in lines).encode("cp1252")


def main(argv):
    if len(argv) != 3:
        print("usage: quiz.py SOURCE.quiz OUTPUT.txt", file=sys.stderr)
        return 2
    source, output = argv[1], argv[2]
    try:
        with open(source, encoding="utf-8") as f:
            title, questions = parse(f.read())
        check_quiz(title, questions)
    except QuizError as e:
        print(f"{source}: {e}", file=sys.stderr)
        return 1
    data = render(title, questions)
    with open(output, "wb") as f:
        f.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
