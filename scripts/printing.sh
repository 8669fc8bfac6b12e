# A real printer for the printing tests, sourced by scripts/test: CUPS with
# a PDF queue "PDF" whose output lands in $LEDGER_BUILD/printed. Wine lists
# the CUPS queues as its printers, so the program prints through its real
# print path. Everything started here is ended by ledger_cleanup.

LEDGER_PRINT_PACKAGES=(cups printer-driver-cups-pdf poppler-utils ghostscript libreoffice-calc-nogui)

# Starts cupsd (unless one already answers) and makes the PDF queue the
# default printer; exports LEDGER_PRINTED, the folder the PDFs go to.
ledger_printing_start() {
  ledger_install "${LEDGER_PRINT_PACKAGES[@]}" || return 1
  export LEDGER_PRINTED="$LEDGER_BUILD/printed"
  mkdir -p "$LEDGER_PRINTED" /run/cups
  chmod 0777 "$LEDGER_PRINTED"
  # cups-pdf reads a per-queue file beside its own configuration.
  printf 'Out %s\nAnonDirName %s\nLabel 0\n' "$LEDGER_PRINTED" "$LEDGER_PRINTED" >/etc/cups/cups-pdf-PDF.conf
  if ! lpstat -r 2>/dev/null | grep -q "is running"; then
    cupsd -f >"$LEDGER_BUILD/cupsd.log" 2>&1 &
    _ledger_pids+=($!)
    local i
    for i in $(seq 1 100); do
      lpstat -r 2>/dev/null | grep -q "is running" && break
      sleep 0.1
    done
    lpstat -r 2>/dev/null | grep -q "is running" || { echo "cupsd did not start" >&2; return 1; }
  fi
  lpadmin -p PDF -E -v cups-pdf:/PDF -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd -o PageSize=Letter || return 1
  lpadmin -d PDF || return 1
  ledger_log "CUPS queue PDF prints to $LEDGER_PRINTED"
}
