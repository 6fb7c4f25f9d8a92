# Part of content/make.sh: sourced by it, with its helpers and variables set.
# ------------------------------------------------------------- catalogue
# data/multiple/track.txt lists the quizzes teachers have made with the
# wizard: a count, then one entry a line.  The shipped catalogue is empty.
echo "catalogue"
printf ' 0 \r\n' >"$data/multiple/track.txt"
echo "  data/multiple/track.txt"

