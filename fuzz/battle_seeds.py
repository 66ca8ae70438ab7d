#!/usr/bin/env python3
"""Writes the seed files of the battle fuzz target into fuzz/corpus/battle/:
an enemy with its magic list and one magic, a member with its level table,
and an effect animation, laid out as fuzz/fuzz_battle.cpp reads them."""
import os
import struct

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus", "battle")


def stats(level, hp, exp, next_exp):
    # CharStats: level, immunity, weaponFlags, attackMagic, hpRegen, mpRegen,
    # maxHp, hp, maxMp, mp, attack, defence, exp, nextExp, agility, spirit,
    # luck, weaponPower.
    return struct.pack("<6B8H4B", level, 0, 0, 0, 0, 0, hp, hp, 20, 20, 12, 8, exp, next_exp,
                       10, 5, 7, 3)


def enemy(magic_count, magic_rate, mp, picture, magic_list):
    name = "wolf".encode().ljust(12, b"\0")
    head = struct.pack("<6B", 3, 1, magic_count, 0, 0, 0) + name
    body = struct.pack("<6B8H6B", 2, 9, 12, magic_rate, 5, 0, 40, 40, mp, mp, 15, 6, 30, 12,
                       0, 0, 0, 0, 0, 0)
    return head + body + bytes([picture, magic_list])


def magic_list(entries):
    return bytes([1, 1, len(entries)]) + b"".join(bytes(e) for e in entries)


def magic(target, mp_cost):
    name = "fire".encode().ljust(12, b"\0")
    effect = struct.pack("<2H4B", 30, 0, 0, 0, 0, 0)
    return bytes([1, 1, 0, target, mp_cost, 1]) + name + effect + b"hot\0"


def level_table(rows):
    out = bytes([2, 1, len(rows), 0])
    for max_hp, next_exp in rows:
        out += struct.pack("<8H4B", max_hp, max_hp, 20, 20, 12, 8, 0, next_exp, 10, 5, 7, 0)
    return out


def picture(width, height, fill):
    rows = (width + 7) // 8 * 2
    return bytes([0, 0, width, height, 1, 2]) + bytes([fill]) * (rows * height)


def effect(elements, pictures, first=0, last=None):
    last = len(elements) - 1 if last is None else last
    out = bytes([1, 1, len(elements), len(pictures), first, last])
    out += b"".join(bytes(e) for e in elements)
    return out + b"".join(pictures)


def seed(r, slot, x, y, member, parts, anim):
    head = struct.pack("<HBBB", r, slot, x, y) + member
    head += b"".join(struct.pack("<H", len(p)) for p in parts)
    return head + b"".join(parts) + anim


SEEDS = {
    # A caster whose roll casts magic 2 of its list at one member; the member
    # climbs two levels; three elements, the second above the screen.
    "caster_levels_twice": seed(
        7798, 0, 40, 30, stats(1, 30, 75, 20),
        [enemy(2, 60, 20, 1, 4), magic_list([(1, 1), (1, 2)]), magic(0, 5),
         level_table([(30, 20), (36, 40), (44, 60)])],
        effect([(0, 0, 3, 1, 0), (8, 200, 2, 2, 1), (16, 4, 4, 0, 0)],
               [picture(16, 8, 0x55), picture(8, 8, 0xAA)])),
    # A count above the list, a magic aimed at a whole side and short of mp;
    # a member at the last level; an effect starting past its first element.
    "whole_side_last_level": seed(
        99, 2, 150, 90, stats(3, 44, 10, 60),
        [enemy(5, 99, 1, 2, 7), magic_list([(1, 1)]), magic(128, 9),
         level_table([(30, 20), (36, 40), (44, 60)])],
        effect([(0, 0, 1, 0, 0), (0, 0, 2, 1, 1)], [picture(8, 4, 0x0F)], first=1, last=5)),
    # Slot 3, which LoadEnemy refuses; an enemy without a list; no table.
    "refused_slot": seed(
        0, 3, 0, 0, stats(0, 0, 0, 0),
        [enemy(0, 0, 0, 1, 0), b"", b"", b""],
        effect([(250, 250, 1, 1, 0)], [picture(24, 24, 0x11)])),
}


def main():
    os.makedirs(OUT, exist_ok=True)
    for name, data in SEEDS.items():
        with open(os.path.join(OUT, name + ".bin"), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
