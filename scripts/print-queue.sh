# Sourced by test.sh before the suite runs: makes a print queue for the printing
# tests where the machine allows one.
