#!/usr/bin/env python3
"""Applies an IPS or BPS patch to a file, as any patcher would.

Usage: apply_patch.py SOURCE PATCH TARGET

Written from the two formats' public descriptions, apart from Tivok's own
encoders, so that the tests check Tivok's patches against a reading of the
formats that is not Tivok's. BPS's three CRC32s (of the source, the target
and the patch) are checked with zlib. Exits 1, with the reason, for a
patch that is malformed or meant for another source.
"""

import sys
import zlib


class PatchError(Exception):
    pass


def big_endian(data, at, count):
    if at + count > len(data):
        raise PatchError("the patch ends inside a record")
    return int.from_bytes(data[at:at + count], "big")


def apply_ips(source, patch):
    """'PATCH', records of a 3-byte offset and a 2-byte size (0: a run of
    one byte, given its 2-byte length), 'EOF', and perhaps a 3-byte length
    to cut the target to."""
    target = bytearray(source)
    at = 5
    while True:
        if patch[at:at + 3] == b"EOF":
            at += 3
            break
        offset = big_endian(patch, at, 3)
        size = big_endian(patch, at + 3, 2)
        at += 5
        if size == 0:
            count = big_endian(patch, at, 2)
            data = patch[at + 2:at + 3] * count
            at += 3
        else:
            data = patch[at:at + size]
            if len(data) != size:
                raise PatchError("the patch ends inside a record")
            at += size
        if len(target) < offset + len(data):
            target.extend(bytes(offset + len(data) - len(target)))
        target[offset:offset + len(data)] = data
    if len(patch) == at + 3:
        del target[big_endian(patch, at, 3):]
    elif len(patch) != at:
        raise PatchError("bytes follow the patch's end")
    return bytes(target)


class Reader:
    def __init__(self, data, end):
        self.data = data
        self.at = 0
        self.end = end

    def byte(self):
        if self.at >= self.end:
            raise PatchError("the patch ends inside an action")
        self.at += 1
        return self.data[self.at - 1]

    def number(self):
        # Seven bits a byte, the lowest first; the high bit ends the number,
        # and each earlier byte adds one more of the next place.
        value, shift = 0, 1
        while True:
            byte = self.byte()
            value += (byte & 0x7F) * shift
            if byte & 0x80:
                return value
            shift <<= 7
            value += shift

    def signed(self):
        number = self.number()
        return -(number >> 1) if number & 1 else number >> 1


def apply_bps(source, patch):
    """'BPS1', source size, target size, metadata, then actions: SourceRead,
    TargetRead, SourceCopy, TargetCopy; then the CRC32s of the source, the
    target and the patch before it, little-endian."""
    if len(patch) < 4 + 3 + 12:
        raise PatchError("the patch is too short")
    end = len(patch)
    source_crc, target_crc, patch_crc = (
        int.from_bytes(patch[at:at + 4], "little")
        for at in (end - 12, end - 8, end - 4))
    if zlib.crc32(patch[:-4]) != patch_crc:
        raise PatchError("the patch's CRC32 does not match: it is damaged")
    if zlib.crc32(source) != source_crc:
        raise PatchError("the source's CRC32 does not match: a wrong source")
    reader = Reader(patch, len(patch) - 12)
    reader.at = 4
    source_size = reader.number()
    target_size = reader.number()
    metadata_size = reader.number()
    reader.at += metadata_size
    if source_size != len(source):
        raise PatchError("the patch is for a source of %d bytes, not %d" %
                         (source_size, len(source)))
    target = bytearray()
    source_at = target_at = 0
    while reader.at < reader.end:
        number = reader.number()
        action, length = number & 3, (number >> 2) + 1
        if action == 0:  # SourceRead: the source's bytes at the same place
            target += source[len(target):len(target) + length]
        elif action == 1:  # TargetRead: bytes of the patch
            for _ in range(length):
                target.append(reader.byte())
        elif action == 2:  # SourceCopy: from anywhere in the source
            source_at += reader.signed()
            target += source[source_at:source_at + length]
            source_at += length
        else:  # TargetCopy: from the target so far, byte by byte
            target_at += reader.signed()
            for _ in range(length):
                target.append(target[target_at])
                target_at += 1
    if len(target) != target_size:
        raise PatchError("the actions give %d bytes, not %d" %
                         (len(target), target_size))
    if zlib.crc32(target) != target_crc:
        raise PatchError("the target's CRC32 does not match")
    return bytes(target)


def main(arguments):
    if len(arguments) != 3:
        sys.stderr.write(__doc__)
        return 2
    source_path, patch_path, target_path = arguments
    with open(source_path, "rb") as file:
        source = file.read()
    with open(patch_path, "rb") as file:
        patch = file.read()
    try:
        if patch.startswith(b"PATCH"):
            target = apply_ips(source, patch)
        elif patch.startswith(b"BPS1"):
            target = apply_bps(source, patch)
        else:
            raise PatchError("neither an IPS nor a BPS patch")
    except PatchError as error:
        sys.stderr.write("apply_patch.py: %s: %s\n" % (patch_path, error))
        return 1
    with open(target_path, "wb") as file:
        file.write(target)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
