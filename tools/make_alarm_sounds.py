#!/usr/bin/env python3
"""Synthesises the alarm sounds shipped in the program folder.

    tools/make_alarm_sounds.py [output folder]     (default: data/Alarms/Sounds of this repository)

Writes "Default Alarm.wav", the short alarm sound a new alarm can use (three rising two-tone
beeps, 1.5 s, 22,050 Hz mono 16-bit PCM), and "Test Sound.mp3", a short chime (0.75 s) that
shows MP3 decoding works. The samples are computed here; the WAV file is written by Python's
standard library, the MP3 file by the system's libsndfile (Debian's libsndfile1, which encodes
MPEG layer III), so nothing is downloaded and every run writes the same files.
"""

import ctypes
import ctypes.util
import math
import os
import struct
import sys
import wave

RATE = 22050


def tone(freqs, seconds, volume=0.5, attack=0.01, release=0.05):
    """A sum of sine partials with a short linear attack and release, as floats in -1..1."""
    n = int(RATE * seconds)
    out = []
    for i in range(n):
        t = i / RATE
        env = min(1.0, t / attack, (seconds - t) / release)
        s = sum(a * math.sin(2 * math.pi * f * t) for f, a in freqs)
        out.append(volume * max(0.0, env) * s)
    return out


def silence(seconds):
    return [0.0] * int(RATE * seconds)


def to_pcm16(samples):
    return [max(-32767, min(32767, int(round(s * 32767)))) for s in samples]


def default_alarm():
    samples = []
    for base in (880.0, 988.0, 1175.0):
        samples += tone([(base, 0.7), (base * 2, 0.2)], 0.18)
        samples += silence(0.04)
        samples += tone([(base * 1.25, 0.7), (base * 2.5, 0.2)], 0.18)
        samples += silence(0.1)
    return samples + silence(1.5 - len(samples) / RATE)


def test_chime():
    n = int(RATE * 0.75)
    out = []
    for i in range(n):
        t = i / RATE
        decay = math.exp(-5.0 * t)
        s = 0.6 * math.sin(2 * math.pi * 660 * t) + 0.25 * math.sin(2 * math.pi * 1320 * t)
        out.append(0.8 * decay * min(1.0, t / 0.005) * s)
    return out


def write_wav(path, samples):
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(struct.pack("<%dh" % len(samples), *to_pcm16(samples)))


class SF_INFO(ctypes.Structure):
    _fields_ = [("frames", ctypes.c_int64), ("samplerate", ctypes.c_int), ("channels", ctypes.c_int),
                ("format", ctypes.c_int), ("sections", ctypes.c_int), ("seekable", ctypes.c_int)]


SFM_WRITE = 0x20
SF_FORMAT_MPEG = 0x230000
SF_FORMAT_MPEG_LAYER_III = 0x0082


def write_mp3(path, samples):
    name = ctypes.util.find_library("sndfile") or "libsndfile.so.1"
    sf = ctypes.CDLL(name)
    sf.sf_open.restype = ctypes.c_void_p
    sf.sf_open.argtypes = [ctypes.c_char_p, ctypes.c_int, ctypes.POINTER(SF_INFO)]
    sf.sf_writef_short.restype = ctypes.c_int64
    sf.sf_writef_short.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_short), ctypes.c_int64]
    sf.sf_close.argtypes = [ctypes.c_void_p]
    sf.sf_strerror.restype = ctypes.c_char_p
    sf.sf_strerror.argtypes = [ctypes.c_void_p]
    info = SF_INFO(0, RATE, 1, SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III, 0, 0)
    handle = sf.sf_open(path.encode(), SFM_WRITE, ctypes.byref(info))
    if not handle:
        sys.exit("cannot write %s: %s" % (path, sf.sf_strerror(None).decode()))
    pcm = to_pcm16(samples)
    buf = (ctypes.c_short * len(pcm))(*pcm)
    written = sf.sf_writef_short(handle, buf, len(pcm))
    sf.sf_close(handle)
    if written != len(pcm):
        sys.exit("cannot write %s: short write" % path)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "data", "Alarms", "Sounds")
    os.makedirs(out, exist_ok=True)
    write_wav(os.path.join(out, "Default Alarm.wav"), default_alarm())
    write_mp3(os.path.join(out, "Test Sound.mp3"), test_chime())


if __name__ == "__main__":
    main()
