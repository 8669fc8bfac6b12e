#!/usr/bin/env python3
"""Reads every real bank file of the shared statement folder with
statement_dump (the readers of the import command, built with the
sanitizers) and checks that each one either imports or is refused with a
reason, and that none crashes, hangs or trips a sanitizer. OFX/QFX files are
compared transaction by transaction (count, date, signed amount, check
number) with libofx's ofxdump, QIF files with Finance::QIF
(qif_oracle.pl), CSV files with CSV_FILES, a table made by reading them. Where the program differs on purpose, or an oracle is
wrong, the difference is listed once in DIFFERENCES with its reason; a
difference not listed fails, and so does a listed one that no longer
happens.

    statement_corpus.py STATEMENT_DUMP CORPUS_FOLDER
"""
import os
import re
import subprocess
import sys
from collections import Counter
from datetime import date, datetime

HERE = os.path.dirname(os.path.abspath(__file__))
TIMEOUT = 20  # seconds a file may take; the slowest takes well under one

# file -> {kind: reason}. The kinds a comparison can find:
#   written day    an OFX date one day from the oracle's: the program keeps
#                  the day the bank wrote, libofx moves it by the time zone
#   cent fraction  an amount with a fraction of a cent, refused: the
#                  register keeps cents
#   no date        a transaction without a date, refused: libofx invents
#                  1970-01-01
#   bad date       a date that is no day of the calendar, refused: libofx
#                  rolls it over into the next month
#   count          the oracle lists a different number of transactions
#   amount         the oracle reads a different amount
#   check          the oracle reads a different check number
#   file refused   the program refuses a file the oracle reads
#   oracle fails   the oracle reads nothing of a file the program imports
DIFFERENCES = {
    "asgrim_banking_xml200.ofx": {
        "file refused": "its one transaction has no DTPOSTED: refused, where libofx lists it undated"},
    "asgrim_empty_datetime.ofx": {
        "oracle fails": "libofx's SGML parser gives up at the empty date elements and lists nothing"},
    "ofxgo_moneymrkt_v103.ofx": {
        "file refused": "every amount has a fraction of a cent (-995.4190396554627): refused, libofx rounds"},
    "ofxgo_moneymrkt_v203.ofx": {
        "file refused": "every amount has a fraction of a cent: refused, libofx rounds"},
    "ofxparse_fail_date_missing.ofx": {
        "file refused": "its transaction has no DTPOSTED: refused, libofx lists it undated"},
    "ofxparse_fail_decimal_error.ofx": {
        "file refused": "its date 201120000000 is no date: refused, libofx reads it as some day"},
    "ofxparse_fidelity_savings.ofx": {
        "cent fraction": "amounts such as +115.8331: refused, libofx rounds them"},
    "gnucash_ydm_day13.qif": {
        "file refused": "2024/13/01 is read year, month, day and refused, not guessed as year, day, month"},
    "gnucash_ymd_apostrophe.qif": {
        "file refused": "2024'01'02: the apostrophe is read only before a year, so the date is refused"},
    "nerdbank_reader_input.qif": {
        "oracle fails": "Finance::QIF stops at the UTF-8 byte-order mark before the first header"},
    "nerdbank_sample.qif": {
        "oracle fails": "Finance::QIF stops at the UTF-8 byte-order mark before the first header"},
    "quiffen_txn_before_account.qif": {
        "oracle fails": "Finance::QIF refuses a transaction before the first header"},
}


# CSV files, made by reading each file (not from the program's output):
# file -> (transactions imported, refused, sum of their cents, earliest and
# latest date), or None for a file that must be refused (no bank statement,
# or no header row). Dates that no part above 12 decides are month first.
CSV_FILES = {
    "autosync_mint.csv": (2, 0, -2999 + 12345, "20160602", "20160802"),  # debit/credit type column
    "autosync_paypal.csv": (2, 0, -2000 + 112000, "20160604", "20160604"),  # Net
    "autosync_venmo.csv": (4, 0, 7301 + 5003 - 1201 - 3502, "20200101", "20200104"),
    "bcimport_bank.csv": (7, 0, -100 - 100 + 100 - 50000 + 100 + 30000 - 3000, "20200101", "20200114"),
    "bcimport_creditcard.csv": (2, 0, -1550 + 3000, "20200110", "20200115"),
    "bcimport_generic_statement.csv": (6, 0, -100 - 100 + 100 + 50000 + 100 + 30000, "20200101", "20200105"),
    "bcimport_schwab_eac_checking.csv": (12, 0, 300 + 2000000 - 1050000 + 1050000 - 110 + 156 + 250000 + 9 - 614
                                         - 1669 - 123411 + 123456, "20191122", "20211101"),
    "beangulp_csvbank.csv": (6, 0, -268089 + 259073 - 15000 - 6000 + 11000 - 130000, "20160304", "20160318"),
    "beangulp_example.csv": (6, 0, 3104 - 3104 + 0 + 3119 - 3119 + 0, "20130702", "20130930"),
    "csv2ofx_amazon.csv": None,  # orders, no amount column a bank writes
    "csv2ofx_capitalone.csv": (2, 0, -100000 + 100000, "20151231", "20151231"),  # Transaction Date
    "csv2ofx_creditunion.csv": (8, 0, 46500000, "20150208", "20150325"),
    "csv2ofx_default.csv": (8, 0, 46500000, "20150208", "20150325"),
    "csv2ofx_gls.csv": (1, 0, -9876, "20171010", "20171010"),
    "csv2ofx_ingesp.csv": (10, 0, 283 + 269 + 137 + 139411 - 1760 - 27689 - 100000 - 3700 - 21930 + 50000,
                           "20220324", "20221231"),
    "csv2ofx_mint.csv": (4, 0, -100000 - 150000 + 200000 - 250000, "20150612", "20150614"),
    "csv2ofx_mint_headerless.csv": None,
    "csv2ofx_n26_fr.csv": (2, 0, 0, "20200307", "20200307"),
    "csv2ofx_outbank.csv": (4, 0, 10000 - 6389 - 4700 - 2500, "20190105", "20190220"),
    "csv2ofx_payoneer.csv": (2, 0, -10000 + 12000, "20210503", "20210503"),
    "csv2ofx_pcmastercard.csv": (2, 0, 3633 + 1398, "20181215", "20190110"),  # charges listed positive
    "csv2ofx_schwab_checking.csv": (4, 0, 2000 - 10300 - 7500 - 5727, "20220804", "20220817"),
    "csv2ofx_stripe_default.csv": None,  # card processor's charges
    "csv2ofx_ubs_ch_fr.csv": (3, 0, -1000 + 24000 - 20000, "20190228", "20190427"),
    "csv2ofx_xero.csv": (None),  # an accounting journal
    "de_ing_with_saldo.csv": (9, 0, -550 + 5000 - 290 - 150 - 6000 - 15000 - 290 - 290 - 290, "20181209", "20181228"),
    "dutch_ing_ok.csv": (6, 0, -125 + 125 + 0 + 2000 - 31 - 31, "20191213", "20200213"),  # Af Bij
    "dutch_knab.csv": (28, 0, 2083477 - 2082776, "20190107", "20190621"),  # CreditDebet D/C
    "jlp_credit_card.csv": (8, 0, 9999 + 99 + 5959 + 8558 + 625 + 123456 + 1717 + 8899, "20200328", "20200422"),
    "kmymoney_sample_bank_account.csv": (4, 0, -1875 - 81948 - 1704 - 1000, "20091104", "20091112"),
    "lloyds_sample.csv": (12, 0, 250000 - 638199, "20231201", "20240115"),
    "reds_dcu_checking.csv": (10, 0, -797139 + 600036 + 25600 - 5050 + 2500 + 14167 - 250099 - 40015 - 500000
                              + 1000000, "20211215", "20211231"),
    "reds_fidelity_cma.csv": (11, 0, -767175, "20230105", "20230127"),
    "reds_schwab_checking.csv": (2, 0, 100 - 200, "20220203", "20220731"),
    "reds_semicolon.csv": (2, 0, -12345 - 67890, "20250606", "20250607"),
    # Two card payments still pending have an amount and no completed date.
    "revolut_2022_january.csv": (7, 2, -25000 + 0 - 3871 + 50000 - 2158 - 3389 - 6926, "20220102", "20220114"),
    # Two pending rows are skipped; the dates name their month.
    "woolworths_money.csv": (4, 0, -1099 - 5473 + 314 - 1230, "20010101", "20151019"),
}


def check_csv(name, ours):
    """What differs from the hand-made table, as texts."""
    expected = CSV_FILES.get(name, "missing")
    if expected == "missing":
        return [f"{name}: not in the hand-made table"]
    if expected is None:
        return [] if ours.error is not None else [f"{name}: imported, the table says it is refused"]
    if ours.error is not None:
        return [f"{name}: refused ({ours.error}), the table says it imports"]
    kept = [t for t in ours.transactions if t[0] != "refused"]
    dates = sorted(t[0] for t in kept)
    found = (len(kept), len(ours.transactions) - len(kept), sum(t[1] for t in kept), dates[0], dates[-1])
    return [] if found == expected else [f"{name}: read {found}, the table says {expected}"]


def run(command, timeout=TIMEOUT):
    try:
        done = subprocess.run(command, capture_output=True, timeout=timeout)
    except subprocess.TimeoutExpired:
        return None, "", "timed out"
    return done.returncode, done.stdout.decode("latin-1"), done.stderr.decode("latin-1")


class Ours:
    """What statement_dump printed for one file."""

    def __init__(self, text):
        self.error = None
        self.transactions = []  # (date, cents, check) or ("refused", reason)
        for line in text.splitlines():
            fields = line.split("\t")
            if fields[0] == "error":
                self.error = fields[1] if len(fields) > 1 else ""
            elif fields[0] == "transaction":
                self.transactions.append((fields[2], int(fields[3]), fields[4]))
            elif fields[0] == "refused":
                self.transactions.append(("refused", fields[2]))


def cents_of(text):
    """Cents of an oracle's amount, or None when it has a fraction of a cent."""
    text = text.strip().replace(",", "").replace("$", "").replace(" ", "")
    if not text:
        return None
    match = re.fullmatch(r"([+-]?)(\d*)(?:\.(\d*))?", text)
    if not match:
        return None
    sign, whole, fraction = match.group(1), match.group(2) or "0", match.group(3) or ""
    if fraction[2:].strip("0"):
        return None
    value = int(whole) * 100 + int((fraction + "00")[:2])
    return -value if sign == "-" else value


def check_of(text):
    return text.strip().lstrip("0")


def ofx_oracle(path):
    code, out, err = run(["ofxdump", path])
    transactions = []
    for block in re.split(r"\n(?=\S[^\n]*\(\):\n)", out):
        # Of an investment statement only its bank transactions are imported.
        if not block.lstrip().startswith("ofx_proc_transaction():") or (
                "Investment transaction type:" in block and "INVBANKTRAN" not in block):
            continue
        fields = dict(re.findall(r"^\s+([^:\n]+?)\s*:\s?(.*)$", block, re.M))
        posted = fields.get("Date posted")
        day = datetime.strptime(posted.strip(), "%a %b %d %H:%M:%S %Y UTC").strftime("%Y%m%d") if posted else None
        transactions.append((day, fields.get("Total money amount", ""), fields.get("Check number", "")))
    return transactions


def qif_oracle(path):
    code, out, err = run(["perl", os.path.join(HERE, "qif_oracle.pl"), path])
    transactions = []
    for line in out.splitlines():
        fields = line.split("\t")
        if fields[0] == "transaction":
            transactions.append((fields[1], fields[2], fields[3] if len(fields) > 3 else ""))
    return transactions


def days_apart(a, b):
    return abs((date(int(a[:4]), int(a[4:6]), int(a[6:])) - date(int(b[:4]), int(b[4:6]), int(b[6:]))).days)


def qif_date_agrees(ours, written):
    """Whether a QIF date as written holds our day, month and year."""
    numbers = [int(n) for n in re.findall(r"\d+", written)]
    if len(numbers) == 1 and len(written.strip()) == 8:
        numbers = [int(written[:4]), int(written[4:6]), int(written[6:8])]
    year, month, day = int(ours[:4]), int(ours[4:6]), int(ours[6:])
    return month in numbers and day in numbers and (year in numbers or year % 100 in numbers)


def compare(kind, ours, oracle):
    """The kinds of difference between our transactions and the oracle's."""
    found = Counter()
    if ours.error is not None:
        if oracle:
            found["file refused"] += 1
        return found
    if not oracle:
        found["oracle fails"] += 1
        return found
    if len(ours.transactions) != len(oracle):
        found["count"] += 1
        return found
    for mine, theirs in zip(ours.transactions, oracle):
        when, amount, check = theirs
        if mine[0] == "refused":
            reason = mine[1]
            if "no date" in reason and (when is None or when == "19700101" or not when.strip()):
                found["no date"] += 1
            elif "date" in reason:
                found["bad date"] += 1
            elif cents_of(amount) is None or re.search(r'amount "[^"]*\.\d\d0*[1-9]', reason):
                found["cent fraction"] += 1
            else:
                found["refused: " + reason] += 1
            continue
        day, cents, number = mine
        if kind == "ofx":
            if when != day:
                found["written day" if when and days_apart(when, day) == 1 else "date"] += 1
        elif not qif_date_agrees(day, when):
            found["date"] += 1
        if cents_of(amount) != cents:
            found["amount"] += 1
        if check_of(number) != check_of(check):
            found["check"] += 1
    return found


def main():
    dump, corpus = sys.argv[1], sys.argv[2]
    if not os.path.isdir(corpus):
        print(f"statement corpus: {corpus} is missing (the shared statements beside the repository)")
        return 1
    failures = []
    imported, refusals = 0, Counter()
    unused = {(f, k) for f, kinds in DIFFERENCES.items() for k in kinds}
    files = sorted(os.path.join(sub, name) for sub in ("ofx", "qif", "csv")
                   for name in os.listdir(os.path.join(corpus, sub)))
    for name in files:
        path = os.path.join(corpus, name)
        code, out, err = run([dump, path])
        if code != 0 or "Sanitizer" in err or "runtime error" in err:
            failures.append(f"{name}: crashed, hung or tripped a sanitizer ({code}): {err.strip()[:300]}")
            continue
        ours = Ours(out)
        if ours.error is not None:
            if not ours.error.strip():
                failures.append(f"{name}: refused without a reason")
            refusals[re.sub(r"^Line \d+: ", "", ours.error)] += 1
        else:
            imported += 1
        kind = "ofx" if name.startswith("ofx/") else name[:3]
        if kind == "csv":
            failures += check_csv(os.path.basename(name), ours)
            continue
        found = compare(kind, ours, ofx_oracle(path) if kind == "ofx" else qif_oracle(path))
        listed = DIFFERENCES.get(os.path.basename(name), {})
        for difference, times in sorted(found.items()):
            if difference in listed:
                unused.discard((os.path.basename(name), difference))
            else:
                failures.append(f"{name}: {difference} ({times} transaction(s)) differs from the oracle")
    for file, difference in sorted(unused):
        failures.append(f"{file}: the listed difference \"{difference}\" no longer happens")
    print(f"{len(files)} statement files: {imported} imported, {sum(refusals.values())} refused")
    for reason, count in refusals.most_common():
        print(f"  {count:3d}  {reason}")
    for failure in failures:
        print("FAILED: " + failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
