#!/usr/bin/env python3
"""A time server on loopback that answers every request wrongly, in one chosen way.

Usage: ntp_responder.py KIND. It binds 127.0.0.1 on a free port, prints the port on a line of its
own, and answers each request until it is stopped. The answers are sound NTP answers (stratum 2,
the request's transmit time echoed, the time now) but for the one fault KIND names.
"""
import socket
import struct
import sys
import time

NTP_EPOCH_OFFSET = 2208988800


def sound_answer(request):
    now = time.time() + NTP_EPOCH_OFFSET
    seconds = int(now) & 0xFFFFFFFF
    fraction = int((now - int(now)) * 2**32) & 0xFFFFFFFF
    answer = bytearray(48)
    answer[0] = 0x24  # leap 0, version 4, mode 4
    answer[1] = 2
    answer[12:16] = b"GPS\0"
    answer[24:32] = request[40:48]
    answer[32:40] = struct.pack(">II", seconds, fraction)
    answer[40:48] = struct.pack(">II", seconds, fraction)
    return answer


def kiss(code):
    def spoil(a):
        a[0] = 0xE4
        a[1] = 0
        a[12:16] = code
    return spoil


# Each fault: how it changes the sound answer. "other-port" and "other-address" answer from
# another socket instead.
FAULTS = {
    "short": lambda a: a.__delitem__(slice(47, None)),
    "not-ours": lambda a: a.__setitem__(slice(24, 32), bytes(8)),
    "client-mode": lambda a: a.__setitem__(0, 0x23),
    "version-0": lambda a: a.__setitem__(0, 0x04),
    "version-5": lambda a: a.__setitem__(0, 0x2C),
    "unsynchronised": lambda a: a.__setitem__(0, 0xE4),
    "stratum-0": lambda a: a.__setitem__(1, 0),
    "stratum-16": lambda a: a.__setitem__(1, 16),
    "no-transmit-time": lambda a: a.__setitem__(slice(40, 48), bytes(8)),
    "other-port": lambda a: None,
    "other-address": lambda a: None,
    "deny": kiss(b"DENY"),
    "rstr": kiss(b"RSTR"),
}


def main():
    kind = sys.argv[1]
    spoil = FAULTS[kind]
    server = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    server.bind(("127.0.0.1", 0))
    sender = server
    if kind == "other-port":
        sender = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
        sender.bind(("127.0.0.1", 0))
    elif kind == "other-address":
        sender = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
        sender.bind(("127.0.0.2", server.getsockname()[1]))
    print(server.getsockname()[1], flush=True)
    while True:
        request, peer = server.recvfrom(2048)
        if len(request) < 48:
            continue
        answer = sound_answer(request)
        spoil(answer)
        sender.sendto(bytes(answer), peer)


if __name__ == "__main__":
    main()
