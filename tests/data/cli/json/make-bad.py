#!/usr/bin/env python3
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
    'float-not-as-written': replaced(r'"fuel": 40', '"fuel": 40.000001'),
    'float-too-many-digits': replaced(r'"fuel": 40', '"fuel": 3334136800000000001'),
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

os.makedirs(os.path.join(here, 'bad'), exist_ok=True)
for name, text in BAD.items():
    with open(os.path.join(here, 'bad', name + '.json'), 'w') as f:
        f.write(text)
