#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
# SPDX-License-Identifier: MIT
"""Writes the setup files the command-line tests read. Run it once after a
change here; its output is committed beside it."""
import struct

WORDS = ('rearWing brakeBias brakePad*4 brakeDisc*4 rollBarFront rollBarRear spring*4 '
         'dampComp*4 dampReb*4 reserved0 gear*6 gearFinal steerRatio camber*4 reservedA*4 '
         'reservedB*4 fuel reservedTail*3').split()
FLOATS = {'brakePad', 'brakeDisc', 'gear', 'gearFinal', 'camber', 'reservedB', 'fuel'}
UNSIGNED = {'reservedA', 'reservedTail'}


def layout():
    keys = []
    for word in WORDS:
        name, _, count = word.partition('*')
        keys += [(name, i) for i in range(int(count or 1))]
    return keys


def bits(name, value):
    """The word as an int: floats packed as IEEE single, or raw when given as ('bits', n)."""
    if isinstance(value, tuple):
        return value[1]
    if name in FLOATS:
        return struct.unpack('<I', struct.pack('<f', value))[0]
    return value & 0xFFFFFFFF


def record(**fields):
    out = b''
    for name, i in layout():
        value = fields.get(name, 0)
        value = value[i] if isinstance(value, list) else value
        out += struct.pack('<I', bits(name, value))
    return out


def pad(p): return p * 0.01 * 0.5
def camber(p): return p * 0.1
def ratio(p): return (4500 - p) * 0.001


# What the window stores after loading it (the samples' first gearbox).
SAMPLE = dict(rearWing=12, brakeBias=60, brakePad=[pad(60)] * 4, brakeDisc=[32.0] * 4,
              rollBarFront=40, rollBarRear=30, spring=[130, 130, 120, 120], dampComp=[3] * 4,
              dampReb=[2] * 4, gear=[ratio(p) for p in (1346, 2206, 2650, 2978, 3200, 3364)],
              gearFinal=ratio(1000), steerRatio=10, camber=[camber(p) for p in (-7, -7, -5, -5)],
              reservedB=[10.0] * 4, fuel=40.0)
# SetDefaults on a fresh record, never through the window's sliders.
DEFAULTS = dict(rearWing=16, brakeBias=75, brakePad=[0.3] * 4, brakeDisc=[300.0] * 4,
                rollBarFront=10, rollBarRear=8, spring=[140, 140, 130, 130], dampComp=[3] * 4,
                dampReb=[2] * 4, steerRatio=10, reservedB=[10.0] * 4, fuel=30.0)
NAN = ('bits', 0x7FC00001)
DAMAGED = dict(SAMPLE, rearWing=-1, brakeBias=0x7FFFFFFF,
               brakePad=[pad(60), 0.3001, pad(60), pad(60)],
               brakeDisc=[32.0, 32.0, ('bits', 1), 32.0], spring=[200, 130, 120, 120],
               dampReb=[2, 2, 4, 2], reserved0=5,
               gear=[float('inf')] + SAMPLE['gear'][1:], steerRatio=-0x80000000,
               camber=[NAN, camber(-7), camber(-5), camber(-5)], reservedA=[0, 0, 0xFFFFFFFF, 0],
               reservedB=[10.0, 10.0, 10.0, ('bits', 0x7FA00001)], fuel=('bits', 0x80000000),
               reservedTail=[0, 0xDEADBEEF, 0])
# Every float word a pattern that float arithmetic or a JSON number could bend.
EXTREMES = dict(brakePad=[('bits', 1), ('bits', 0x807FFFFF), ('bits', 0x00800000),
                          ('bits', 0x7F7FFFFF)],
                brakeDisc=[float('-inf'), ('bits', 0xFFFFFFFF), ('bits', 0x7F800001), -0.0],
                gear=[0.1, 1 / 3, 16777217.0, -3.4e38, 1e-7, 123456.789],
                gearFinal=('bits', 0xFF800001), camber=[0.3, -0.3, 1e10, 7e-45],
                reservedB=[('bits', 0x3E99999B), ('bits', 0x3E999999), 2.5, -1.0],
                fuel=('bits', 0x00000002), rearWing=-0x80000000, brakeBias=0x7FFFFFFF,
                reservedA=[0xFFFFFFFF, 0x80000000, 1, 0], reservedTail=[1, 2, 0xFFFFFFFF])

FILES = {
    'sample.rvs': record(**SAMPLE),
    'spring140.rvs': record(**dict(SAMPLE, spring=[140, 140, 120, 120])),
    'defaults.rvs': record(**DEFAULTS),
    'damaged.rvs': record(**DAMAGED),
    'extremes.rvs': record(**EXTREMES),
    'odd.rvs': bytes((i * 37 + 11) & 0xFF for i in range(196)),
    'short.rvs': record(**SAMPLE)[:195],
    'long.rvs': record(**SAMPLE) + b'tail',
}

for name, data in FILES.items():
    with open(name, 'wb') as f:
        f.write(data)
