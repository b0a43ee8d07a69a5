#!/usr/bin/env python3
"""Writes src/resources/txt/countrycodes.txt, the country codes offered by the open dialog.

The televisions know the ISO 3166-1 alpha-3 list as it stood before the changes of 2010 (the
Netherlands Antilles still one country, no South Sudan), plus two codes of their own, "PLE" and
"SER", that some firmware writes beside "PSE" and "SRB". We start from Debian's iso-codes data
(package `iso-codes`) and turn it back into that list. Run once after a change; the output is
committed, so building the editor does not need iso-codes.
"""
import json
import os
import sys

SOURCE = "/usr/share/iso-codes/json/iso_3166-1.json"
ADDED_SINCE_2010 = {"BES", "CUW", "SXM", "SSD"}
KNOWN_TO_TELEVISIONS = {"ANT", "PLE", "SER"}
EXPECTED_COUNT = 248


def main():
    source = sys.argv[1] if len(sys.argv) > 1 else SOURCE
    with open(source, encoding="utf-8") as f:
        codes = {entry["alpha_3"] for entry in json.load(f)["3166-1"]}
    missing = ADDED_SINCE_2010 - codes
    if missing:
        sys.exit("iso-codes data lacks %s: not the list this script expects" % sorted(missing))
    codes = (codes - ADDED_SINCE_2010) | KNOWN_TO_TELEVISIONS
    codes = sorted(codes)
    if len(codes) != EXPECTED_COUNT or any(len(c) != 3 or not c.isupper() for c in codes):
        sys.exit("unexpected result: %d codes" % len(codes))
    target = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "src", "resources", "txt",
                          "countrycodes.txt")
    with open(target, "w", encoding="ascii", newline="\n") as f:
        f.write("".join(c + "\n" for c in codes))
    print("wrote %d codes to %s" % (len(codes), os.path.normpath(target)))


if __name__ == "__main__":
    main()
