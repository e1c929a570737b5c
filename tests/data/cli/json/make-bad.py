#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
# SPDX-License-Identifier: MIT
"""Writes the JSON files import must refuse, each from the good sample.json
beside it with one fault. Run it once after a change; the output is committed."""
import json
import os
import re

here = os.path.dirname(os.path.abspath(__file__))
good = open(os.path.join(here, 'sample.json')).read()


def replaced(pattern, replacement):
    text, count = re.subn(pattern, replacement, good, count=1, flags=re.S)
    assert count == 1, pattern
    return text


BAD = {
    'missing-member': replaced(r'\n    "fuel": 40,', ''),
    'unknown-member': replaced(r'"fuel": 40,', '"fuel": 40,\n    "fuels": 40,'),
    'duplicate-member': replaced(r'"fuel": 40,', '"fuel": 40,\n    "fuel": 40,'),
    'duplicate-escaped': replaced(r'"fuel": 40,', '"fuel": 40,\n    "fu\\\\u0065l": 40,'),
    'wrong-type': replaced(r'"rearWing": 12', '"rearWing": "12"'),
    'object-in-array': replaced(r'"spring": \[\s*130', '"spring": [{"LF": 130}'),
    'wrong-length': replaced(r'"camber": \[', '"camber": [0,'),
    'not-an-array': replaced(r'"dampComp": \[[^]]*\]', '"dampComp": 3'),
    'fraction-for-int': replaced(r'"rearWing": 12', '"rearWing": 12.5'),
    'int-too-large': replaced(r'"rollBarFront": 40', '"rollBarFront": 2147483648'),
    'uint-negative': replaced(r'"reservedA": \[\s*0', '"reservedA": [-1'),
    'float-beyond-range': replaced(r'"fuel": 40', '"fuel": 1e39'),
    'hex-for-a-number': replaced(r'"fuel": 40', '"fuel": "0x42200000"'),
    'bad-hex': replaced(r'"fuel": 40', '"fuel": "0x4220000g"'),
    'short-hex': replaced(r'"fuel": 40', '"fuel": "0x7fc0"'),
    'huge-number': replaced(r'"rearWing": 12', '"rearWing": 1e99999'),
    'long-number': replaced(r'"rearWing": 12', '"rearWing": 1' + '0' * 400),
    'deep-nesting': replaced(r'"rearWing": 12', '"rearWing": ' + '[' * 100000 + ']' * 100000),
    'wrong-format': replaced(r'"format": "vosk-setup"', '"format": "other"'),
    'wrong-version': replaced(r'"version": 1', '"version": 2'),
    'not-an-object': '[' + good + ']',
    'not-json': good[:-3],
    'empty': '',
}

# Other spellings of the sample's floats, which import reads as the same
# record: every decimal that reads back to the float, as other tools print it.
GOOD = {
    'long-decimals': replaced(r'"brakePad": \[\s*0.3', '"brakePad": [0.30000001192092896'),
    'exponent': replaced(r'"fuel": 40', '"fuel": 4e1'),
    'near-enough': replaced(r'"fuel": 40', '"fuel": 40.000001'),
    'many-digits': replaced(r'"gearFinal": 3.5', '"gearFinal": 3.50000000000000000000001'),
}

for folder, files in ('bad', BAD), ('good', GOOD):
    os.makedirs(os.path.join(here, folder), exist_ok=True)
    for name, text in files.items():
        with open(os.path.join(here, folder, name + '.json'), 'w') as f:
            f.write(text)
