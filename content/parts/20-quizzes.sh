# Part of content/make.sh: sourced by it, with its helpers and variables set.
# --------------------------------------------------------------- quizzes
# Readable quiz sources under content/multiple/ built into the quiz files
# the program loads from data/multiple/.
# Each line: source file | output file name (output names may hold spaces).
quizzes=(
    "tiberan.quiz|Tiberan.txt"
    "joris-malten.quiz|Joris Malten.txt"
)

echo "quizzes"
mkdir -p "$data/multiple"
for item in "${quizzes[@]}"; do
    source=${item%%|*}
    output=${item#*|}
    python3 "$tools/quiz.py" "$content/multiple/$source" "$data/multiple/$output"
    echo "  data/multiple/$output"
done

