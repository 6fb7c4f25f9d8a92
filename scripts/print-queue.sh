# Sourced by test.sh before the suite runs: makes a print queue for the printing
# tests where the machine allows one. A cups-pdf queue named PDF becomes the default
# printer and LUMORA_PRINT_QUEUE names it; where CUPS cannot be set up the variable
# stays empty and the end-to-end printing test skips itself, saying why. Nothing here
# makes the suite fail.

lumora_print_queue() {
    local queue=PDF
    local ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
    unset LUMORA_PRINT_QUEUE

    if ! lumora_need cups printer-driver-cups-pdf poppler-utils; then
        echo "print-queue: could not install CUPS; the printing test will skip" >&2
        return 0
    fi

    if ! lpstat -r 2>/dev/null | grep -q 'is running'; then
        if [ "$(id -u)" -ne 0 ]; then
            echo "print-queue: cupsd is not running and only root can start it" >&2
            return 0
        fi
        # cupsd returns once it has gone into the background; give it ten seconds
        # to answer.
        if cupsd; then
            local i
            for i in $(seq 1 50); do
                lpstat -r 2>/dev/null | grep -q 'is running' && break
                sleep 0.2
            done
        fi
    fi
    if ! lpstat -r 2>/dev/null | grep -q 'is running'; then
        echo "print-queue: cupsd could not start; the printing test will skip" >&2
        return 0
    fi

    if ! lpstat -p "$queue" >/dev/null 2>&1; then
        lpadmin -p "$queue" -E -v cups-pdf:/ -P "$ppd" ||
            { echo "print-queue: could not create the $queue queue" >&2; return 0; }
    fi
    cupsenable "$queue" 2>/dev/null || true
    cupsaccept "$queue" 2>/dev/null || true
    lpoptions -d "$queue" >/dev/null ||
        { echo "print-queue: could not make $queue the default printer" >&2; return 0; }

    export LUMORA_PRINT_QUEUE=$queue
    echo "print-queue: printing tests use the CUPS queue $queue"
}

# test.sh runs with errexit; a failing step here must not end the suite.
lumora_print_queue || true
