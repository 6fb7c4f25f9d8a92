# Part of content/make.sh: sourced by it, with its helpers and variables set.
# ----------------------------------------------------------------- pages
# The illustrated pages, drawn by the sources in content/pages/ and written as
# placeable metafiles by tools/makepages.py: the screen copy into data/wmf/ and
# the print copy into data/wmf2/. The same run checks that the Key Facts pages
# state every quiz answer (content/pages/quiz-facts.txt), so it follows the
# quizzes part.
need_font "Liberation Sans" fonts-liberation2   # the metrics the text is laid out with

echo "pages"
python3 "$tools/makepages.py" "$content" "$data"
