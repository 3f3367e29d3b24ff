#!/usr/bin/python3
"""Rewrites a 188-byte transport stream into the variants the tests need: 204-byte packets,
damaged copies, and copies with null packets, leading junk or without PSI. Deterministic: the
same input always gives the same output. Standard library only.

    ts_variants.py KIND IN OUT
"""
import random
import sys

SIZE = 188
NULL_PACKET = bytes([0x47, 0x1F, 0xFF, 0x10]) + bytes([0xFF] * 184)


def packets(data):
    if len(data) % SIZE or any(data[i] != 0x47 for i in range(0, len(data), SIZE)):
        sys.exit("expected a clean stream of 188-byte packets")
    return [bytearray(data[i:i + SIZE]) for i in range(0, len(data), SIZE)]


def pid(packet):
    return (packet[1] & 0x1F) << 8 | packet[2]


def payload_start(packet):
    return 5 + packet[4] if packet[3] & 0x20 else 4


def video_pid(stream):
    for packet in stream:
        start = payload_start(packet)
        if packet[1] & 0x40 and packet[start:start + 3] == b"\0\0\1" and \
                packet[start + 3] & 0xF0 == 0xE0:
            return pid(packet)
    sys.exit("no video PES in the stream")


def junk(count, seed):
    # Random bytes without a sync byte, so that no packet can be read into them.
    rng = random.Random(seed)
    return bytes(rng.choice([b for b in range(256) if b != 0x47]) for _ in range(count))


def to_204(stream):
    # 16 check bytes after each packet, all 0x47: no sync byte may be taken from them.
    return b"".join(bytes(p) + bytes([0x47] * 16) for p in stream)


def damaged(stream):
    """2 video packets dropped, 3 packets with transport_error_indicator, 4 scrambled video
    packets and one run of junk between two packets."""
    vpid = video_pid(stream)
    video = [i for i, p in enumerate(stream) if pid(p) == vpid]
    drop = {video[20], video[60]}
    errors = {0, video[30], video[90]}
    scrambled = {video[40], video[41], video[100], video[130]}
    junk_before = video[110]
    out = bytearray()
    for i, packet in enumerate(stream):
        if i in drop:
            continue
        if i in errors:
            packet[1] |= 0x80
        if i in scrambled:
            packet[3] = (packet[3] & 0x3F) | 0x80
        if i == junk_before:
            out += junk(333, 5)
        out += packet
    return bytes(out)


def nulls_and_junk(stream):
    # Junk and the tail of a packet before the first whole one; a null packet after every third.
    out = bytearray(junk(1000, 3) + bytes(stream[5][88:]))
    for i, packet in enumerate(stream):
        out += packet
        if i % 3 == 2:
            out += NULL_PACKET
    return bytes(out)


def pmt_pids(stream):
    for packet in stream:
        if pid(packet) == 0 and packet[1] & 0x40:
            section = packet[payload_start(packet) + 1 + packet[payload_start(packet)]:]
            length = (section[1] & 0x0F) << 8 | section[2]
            entries = section[8:3 + length - 4]
            return {(entries[i + 2] & 0x1F) << 8 | entries[i + 3]
                    for i in range(0, len(entries), 4) if entries[i] << 8 | entries[i + 1]}
    sys.exit("no PAT in the stream")


def without_psi(stream):
    # No PAT, no PMT, no SDT: only the packets of the elementary streams are left.
    psi = pmt_pids(stream) | {0x0000, 0x0011}
    return b"".join(bytes(p) for p in stream if pid(p) not in psi)


def scrambled_video(stream):
    vpid = video_pid(stream)
    out = bytearray()
    for packet in stream[:300]:
        if pid(packet) == vpid and packet[3] & 0x10:
            packet[3] = (packet[3] & 0x3F) | 0xC0
        out += packet
    return bytes(out)


def sync_bytes_in_arrival_times(data):
    """A 192-byte stream whose arrival-time headers begin with 0x47 0x47, as the slowly changing
    high bytes of a time stamp can, and whose fourth byte would read as a packet header with a
    payload: five headers in a row look like five packets 4 bytes before the real ones."""
    if len(data) % 192:
        sys.exit("expected 192-byte packets")
    out = bytearray(data)
    for i in range(0, len(out), 192):
        out[i] = 0x47
        out[i + 1] = 0x47
        out[i + 3] |= 0x10
    return bytes(out)


KINDS = {"204": to_204, "damaged": damaged, "nulls-and-junk": nulls_and_junk,
         "without-psi": without_psi, "scrambled-video": scrambled_video}

if __name__ == "__main__":
    if len(sys.argv) != 4 or sys.argv[1] not in list(KINDS) + ["sync-in-arrival-times"]:
        sys.exit(__doc__)
    with open(sys.argv[2], "rb") as source:
        data = source.read()
    if sys.argv[1] == "sync-in-arrival-times":
        result = sync_bytes_in_arrival_times(data)
    else:
        result = KINDS[sys.argv[1]](packets(data))
    with open(sys.argv[3], "wb") as target:
        target.write(result)
