#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets into fuzz/corpus/<Name>/ (small valid and edge-case files)."""
import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))

LEVEL = (b'<?xml version="1.0" encoding="windows-1250"?>\r\n<LEVEL>\r\n  <!!the first level>\r\n'
         b'  <NAME VALUE="Jaskinia" KIND="x"/>\r\n'
         b'  <HERO>\r\n    <START_POS X="64" Y="1800"/>\r\n    <FINISH_POS X="3900" Y="-20"/>\r\n  </HERO>\r\n'
         b'  <ENEMY>\r\n    <ENEMY_TYPE T="DINO"/>\r\n    <START_POS X="100" Y="200"/>\r\n'
         b'    <ROUTE_PNT X="300" Y="200"/>\r\n    <ROUTE_PNT X="300" Y="007"/>\r\n  </ENEMY>\r\n'
         b'  <OBJECT>\r\n    <OBJECT_TYPE T="coin"/>\r\n    <OBJECT_POS X="10" Y="20"/>\r\n  </OBJECT>\r\n'
         b'  <MOVABLEEL>\r\n    <ELEMENT_TYPE T="raft"/>\r\n    <START_POS X="1" Y="2"/>\r\n'
         b'    <ROUTE_PNT X="3" Y="4"/>\r\n  </MOVABLEEL>\r\n'
         b'  <OBJECT><OBJECT_TYPE T="mine"/><OBJECT_POS X="30" Y="40"/></OBJECT>\r\n</LEVEL>\r\n')

MARKUP = {
    'level': LEVEL,
    'empty': b'',
    'one-char': b'<',
    'unclosed-tag': b'<LEVEL><NAME V="a" W="b"',
    'comments': b'<!-- not a node --><!DOCTYPE x><!!comment node><A/>\r\n',
    'blanks': b'<A  B="1"   C="2" /><  ><D E="x"F="y"/>< /></ >',
    'quotes': b'<A B="x"="y" C=""" D="=""/>',
    'nul-inside': b'<A B="1"/>\x00<C D="2"/>',
    'polish': b'<T TEXT="B\xb3\xb9d odczytu pliku XML"/>',
    'numbers': b'<P X="-5" Y="99999999999" Z="0x1F" W=""/>',
    'trailing-lines': b'<A/>\r\n\r\n\r\n',
}

TABLES = {
    'texts': b'<TEXTS>\r\n' + b''.join(b'<T TEXT="t%d"/>\r\n' % i for i in range(12)) + b'</TEXTS>\r\n',
    'samples': b'<S SAMPLE="MENU_CURSOR"/><S SAMPLE="MENU_SELECT"/><S SAMPLE="JUMP"></S>',
    'over-capacity': b''.join(b'<T TEXT="%d"/>' % i for i in range(110)),
    'mixed': b'<T NAME="x" TEXT="skip"/><T TEXT="k\xea"/></T TEXT="closing"><!!T TEXT="comment">',
    'empty': b'',
}

UNITS = {
    'hero': (b'<UNIT>\r\n<CLASS CLASS="hero"/>\r\n<SPEED SPEED="5"/>\r\n<JUMP JUMP="12"/>\r\n'
             b'<STRENGHT STRENGHT="20"/>\r\n<ENERGY ENERGY="30"/>\r\n<MAXSIZE HEIGHT="70" WIDTH="50"/>\r\n'
             b'<COLORKEY R="255" G="0" B="255"/>\r\n'
             b'<WEAPON NAME="maczuga" F="1" A="2" B="3" C="4"/>\r\n</UNIT>\r\n'),
    'dino': b'<UNIT><CLASS CLASS="Dino"/><MAXSIZE HEIGHT="40" WIDTH="32"/><JUMP JUMP="0"/></UNIT>',
    'zero-width': b'<CLASS CLASS="HERO"/><MAXSIZE HEIGHT="0" WIDTH="0"/>',
    'negative-width': b'<CLASS CLASS="DINO"/><MAXSIZE HEIGHT="-5" WIDTH="-40"/>',
    'huge-width': b'<CLASS CLASS="HERO"/><MAXSIZE HEIGHT="2000000000" WIDTH="2147483647"/>',
    'no-class': b'<SPEED SPEED="3"/><WEAPON N="x"/>',
    'empty': b'',
}

OBJECTS = {
    'coin': (b'<OBJECT>\r\n<CLASS VALUE="coin"/>\r\n<MONEY VALUE="5"/>\r\n<POINT VALUE="10"/>\r\n'
             b'<PICKABLE VALUE="1"/>\r\n<COLORKEY R="255" G="0" B="255"/>\r\n</OBJECT>\r\n'),
    'mine': b'<CLASS VALUE="MINE"/><DAMAGE VALUE="-20"/><RANGE VALUE="40"/><PICKABLE VALUE="0"/>',
    'checkpoint': b'<CLASS VALUE="flag"/><CHECKPOINT VALUE="1"/><LIFE VALUE="99999999999"/>',
    'misnamed': b'<HEALTH VAL="5"/><COLORKEY G="1" R="2" B="3"/><CLASS VALUE=""/>',
    'empty': b'',
}

MOVABLE = {
    'kinds': (b'<ELEMENTS>\r\n<ELEMENT NAME="raft" COLLISION="TRUE" DESTROYABLE="FALSE"/>\r\n'
              b'<ELEMENT NAME="log" COLLISION="FALSE" DESTROYABLE="TRUE"/>\r\n</ELEMENTS>\r\n'),
    'carried-flags': b'<ELEMENT NAME="RAFT" COLLISION="TRUE"/><ELEMENT NAME="Log"/><ELEMENT X="1"/>',
    'too-many': b''.join(b'<ELEMENT NAME="raft" COLLISION="TRUE" DESTROYABLE="TRUE"/>' for _ in range(14)),
    'odd-names': b'<ELEMENT NAME="..\\..\\raft"/><ELEMENT NAME=""/><ELEMENT NAME="stone"/>',
    'empty': b'',
}

CELLS = 256 * 128


def collision_map():
    files = {'empty': b'', 'one-byte': b'\x01', 'two-bytes': b'\x01\x01', 'three-bytes': b'\x01\x01\x01'}
    # A floor along the bottom row of cells, in the file's block order.
    floor = bytearray(CELLS + 2)
    for k in range(CELLS):
        by, j = (k // 256) % 8, k % 16
        if 16 * by + j == 127:
            floor[k] = 1
    files['floor'] = bytes(floor)
    files['short-negative'] = bytes([0xFF, 0x80, 0x00, 0x7F] * 300)
    files['all-solid'] = b'\x01' * (CELLS + 2)
    return files


def config():
    return {
        'defaults': bytes([0, 1, 1, 0]) + struct.pack('<i', 2),
        'easy': bytes([1, 0, 0, 0]) + struct.pack('<i', 0),
        'short': b'\x01\x00',
        'empty': b'',
        'missing': b'\xff',
        'absurd-difficulty': bytes([1, 1, 1, 1]) + struct.pack('<i', -7),
        'long': bytes([0, 1, 1, 0]) + struct.pack('<i', 1) + b'extra bytes',
    }


def slot(next_level, health=100, lives=3, score=0, money=0, strength=10):
    return struct.pack('<6i', next_level, health, lives, score, money, strength)


def save_slots():
    def pack(difficulty, files):
        out = bytes([difficulty & 0xFF])
        for f in files:
            out += b'\xff' if f is None else bytes([len(f)]) + f
        return out
    return {
        'all-missing': pack(2, [None] * 8),
        'some-saved': pack(1, [slot(1), slot(2, score=500), None, b'', slot(5, money=-3), None, None, slot(8)]),
        'short-files': pack(0, [b'\x03', slot(2)[:10], slot(3)[:23], b'', b'', b'', b'', b'']),
        'odd-difficulty': pack(-3, [slot(0x7FFFFFFF, -1, -1, -2147483648, 0, 0)] + [None] * 7),
        'empty': b'',
    }


def highscore():
    def record(name, score):
        return name.ljust(10, b' ')[:10] + struct.pack('<i', score)
    full = b''.join(record(n, s) for n, s in [(b'ANNA', 500), (b'BOLEK', 400), (b'CEZARY', 300), (b'DOROTA', 200),
                                              (b'EWA', 100), (b'FELIKS', 90), (b'GOSIA', 80), (b'HENIO', 70),
                                              (b'IGA', 60), (b'JANEK', 50)])
    return {
        'no-new-score': struct.pack('<i', 0) + full,
        'new-top-score': struct.pack('<i', 1000) + full,
        'partial-record': struct.pack('<i', 10) + full[:14 * 3 + 5],
        'empty-file': struct.pack('<i', 5),
        'odd-names': struct.pack('<i', -1) + record(b'\xb9\xea\x00\xff\x01<>', -2147483648) * 2 + full + b'x' * 30,
        'nothing': b'',
    }


def whole_levels():
    def section(path, body):
        return b'\n@@ ' + path + b'\n' + body

    def unit(kind, speed, jump, strength, energy, height, width):
        return (b'<UNIT><CLASS CLASS="%s"/><SPEED SPEED="%d"/><JUMP JUMP="%d"/><STRENGHT STRENGHT="%d"/>'
                b'<ENERGY ENERGY="%d"/><MAXSIZE HEIGHT="%d" WIDTH="%d"/></UNIT>' %
                (kind, speed, jump, strength, energy, height, width))

    def routed(block, type_tag, kind, points):
        xml = b'<%s><%s T="%s"/>' % (block, type_tag, kind)
        for i, (x, y) in enumerate(points):
            xml += b'<%s X="%d" Y="%d"/>' % (b'START_POS' if i == 0 else b'ROUTE_PNT', x, y)
        return xml + b'</%s>\r\n' % block

    def enemy(kind, *points):
        return routed(b'ENEMY', b'ENEMY_TYPE', kind, points)

    def platform(kind, *points):
        return routed(b'MOVABLEEL', b'ELEMENT_TYPE', kind, points)

    def thing(kind, x, y):
        return b'<OBJECT><OBJECT_TYPE T="%s"/><OBJECT_POS X="%d" Y="%d"/></OBJECT>\r\n' % (kind, x, y)

    def level(start, finish, body):
        return (b'<LEVEL>\r\n<NAME VALUE="Pr\xf3ba"/>\r\n<HERO><START_POS X="%d" Y="%d"/><FINISH_POS X="%d" Y="%d"/>'
                b'</HERO>\r\n' % (start + finish) + body + b'</LEVEL>\r\n')

    busy = (enemy(b'RAPTOR', (300, 1700), (600, 1700)) + enemy(b'PTERO', (200, 1500), (500, 1450), (260, 1600)) +
            enemy(b'FLYINGMINE', (180, 1720), (400, 1720)) + enemy(b'SMOK', (900, 1640), (1200, 1640)) +
            thing(b'GOLDCOIN', 140, 1740) + thing(b'MACE', 180, 1740) + thing(b'HEALTH10', 230, 1740) +
            thing(b'CHECKPOINT', 260, 1740) + thing(b'jumper', 320, 1750) + thing(b'mine', 360, 1740) +
            platform(b'platforma', (100, 1700), (400, 1700)) + platform(b'pien', (250, 1760), (250, 1500)) +
            platform(b'kra', (50, 1650), (50, 1600)))
    return {
        'busy': level((100, 1700), (3900, 100), busy),
        # The finish beside the start: the level ends within the run and writes its slot.
        'finish-at-start': level((100, 1740), (110, 1740), thing(b'GOLDCOIN', 120, 1740)),
        'absurd': level((-2000000000, 2000000000), (2147483647, -2147483648),
                        enemy(b'RAPTOR', (2000000000, -5), (-2000000000, 5)) + enemy(b'PTERO', (7, 7)) +
                        thing(b'mine', -99999999, 99999999) + platform(b'pien', (0, 0), (0, 0)) +
                        platform(b'platforma', (1, 1), (2147483647, 2147483647))),
        # A finish so far off that the hero's distance to it does not fit 32 bits.
        # (numbers are read digit by digit modulo 2^32, so 2147483648 is the lowest 32-bit number).
        'far-finish': level((100, 1740), (2147483648, 2147483647), b''),
        'unknown-kinds': level((100, 1700), (3900, 100), enemy(b'NOBODY', (1, 2), (3, 4)) + thing(b'nothing', 5, 6) +
                               platform(b'ghost', (1, 2), (3, 4)) + enemy(b'raptor', (300, 1700), (320, 1700))),
        'empty': b'',
        # Definition files replaced after the description (see LevelFuzz.cpp): numbers at the integer
        # limits, zero and negative sizes.
        'hero-at-limits': level((100, 1700), (3900, 100), busy) +
        section(b'Units/hero.xml', unit(b'HERO', -2147483648, -2147483648, 2147483647, -2147483648, 70, 50)),
        'hero-fastest': level((100, 1700), (3900, 100), busy) +
        section(b'Units/hero.xml', unit(b'HERO', 2147483647, 2147483647, -2147483648, 2147483647, 70, 50)),
        'sizes-zero-negative': level((100, 1700), (3900, 100), busy) +
        section(b'Units/hero.xml', unit(b'HERO', 5, 12, 20, 30, 0, 0)) +
        section(b'Units/RAPTOR.xml', unit(b'RAPTOR', 2, 1, 10, 8, -48, -2147483648)) +
        section(b'Units/SMOK.xml', unit(b'SMOK', 1, 2, 40, 60, 2147483647, 2147483647)),
        'enemies-at-limits': level((100, 1700), (3900, 100), busy) +
        section(b'Units/RAPTOR.xml', unit(b'RAPTOR', 2147483647, 2147483647, 2147483647, 2147483647, 48, 64)) +
        section(b'Units/PTERO.xml', unit(b'PTERO', -2147483648, -2147483648, -2147483648, -2147483648, 56, 80)) +
        section(b'Units/FLYINGMINE.xml', unit(b'FLYINGMINE', -1, 0, 0, 0, 40, 40)),
        'objects-at-limits': level((100, 1700), (3900, 100), busy) +
        section(b'Objects/GOLDCOIN.xml', b'<CLASS VALUE="GOLDCOIN"/><MONEY VALUE="2147483647"/><POINT VALUE="2147483647"/>') +
        section(b'Objects/HEALTH10.xml', b'<CLASS VALUE="HEALTH10"/><HEALTH VALUE="-2147483648"/>') +
        section(b'Objects/MACE.xml', b'<CLASS VALUE="MACE"/><MACE VALUE="2147483647"/><PICKABLE VALUE="1"/>') +
        section(b'Objects/mine.xml', b'<CLASS VALUE="mine"/><DAMAGE VALUE="-2147483648"/><RANGE VALUE="-1"/>') +
        section(b'Objects/CHECKPOINT.xml', b''),
        'platforms-odd': level((100, 1700), (3900, 100), busy) +
        section(b'LevelDescriptions/MovableEl.xml',
                b'<ELEMENT NAME="pien" COLLISION="TRUE"/><ELEMENT NAME="platforma"/><ELEMENT NAME=""/>') +
        section(b'Units/nobody.xml', b'<CLASS CLASS="HERO"/>'),
    }


CORPORA = {
    'XmlReader': MARKUP,
    'LevelDescription': {'level': LEVEL, 'empty': b'', 'unclosed-enemy': b'<ENEMY><ENEMY_TYPE T="A"/>',
                         'nested': MARKUP['blanks'] + b'<HERO><ENEMY><ENEMY_TYPE t="D"/></ENEMY></HERO>'},
    'GameTables': TABLES,
    'UnitType': UNITS,
    'CollisionMap': collision_map(),
    'ConfigFile': config(),
    'SaveSlots': save_slots(),
    'Highscore': highscore(),
    'ObjectType': OBJECTS,
    'MovableElement': MOVABLE,
    'Level': whole_levels(),
}


def main():
    only = set(sys.argv[1:])
    for target, files in CORPORA.items():
        if only and target not in only:
            continue
        folder = os.path.join(HERE, 'corpus', target)
        os.makedirs(folder, exist_ok=True)
        for name, data in files.items():
            with open(os.path.join(folder, name), 'wb') as out:
                out.write(data)


if __name__ == '__main__':
    main()
