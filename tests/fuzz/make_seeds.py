#!/usr/bin/env python3
"""Writes the fuzz targets' seed inputs under corpus/ from the files a normal build makes
(build/dist) and the repository's own sources:  tests/fuzz/make_seeds.py [build folder]
Big files are cut or cropped so that the seeds stay small. Run it again when a file format
changes; the seeds are kept in the repository."""

import os
import struct
import sys
import zlib

here = os.path.dirname(os.path.abspath(__file__))
root = os.path.dirname(os.path.dirname(here))
build = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "build")
dist = os.path.join(build, "dist")


def write(target, name, data):
    folder = os.path.join(here, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as out:
        out.write(data)


def read(path):
    with open(path, "rb") as f:
        return f.read()


def piece(data):
    """A length byte and the bytes: how the targets take a short text or one chunk."""
    assert len(data) < 256
    return bytes([len(data)]) + data


def chunks(stream, size):
    return b"".join(piece(stream[i:i + size]) for i in range(0, len(stream), size))


def crlf(lines):
    return b"".join(line.encode("latin-1") + b"\r\n" for line in lines)


# ---- GAMES.DAT and the catalogue sources ----
games = read(os.path.join(dist, "Zevodadu", "GAMES.DAT"))
write("games_dat", "games.dat", games)
lines = games.split(b"\n")
write("games_dat", "games-first-rows.dat", b"\n".join(lines[:30]) + b"\n")
write("games_dat", "games-list-only.dat", b"\n".join(lines[:lines.index(b"[Sect2]")]) + b"\n")
sources = os.path.join(root, "solitaire", "data", "games")
for name in sorted(os.listdir(sources)):
    if name.endswith(".game"):
        write("catalogue_source", name, read(os.path.join(sources, name)))
write("catalogue_source", "small.game",
      b"id = 7\ncategory = 2\nedition = 0\nname = Small\ncards_in_play = 52\n"
      b"tableau_count = 2\ntableau_deal = 3 4  # two piles\n")

# ---- CFG.DAT as the program writes it, the INI reader, the statistics file ----
preferences = [
    "[Preference]", "Show_ToolTips=Y", "ToolBar_Large=N", "Back_Card=11", "Card=1",
    "Card_Size=B", "Background_bmp=0", "Background_Fixed_Col=32768",
    "Background_Col=-2147483633", "Background_Def=N", "Fade_Background=Y", "Game=1",
    "Game_Name=FreeCell", "Game_TreeNum=-30", "Cards_Animate=Y", "Speed_Move_Card=10",
    "UserDefault=Player 1", "Sounds_Enabled=Y", "Cursor=11", "AutoPlay=Y",
    "MainWindowState_Maximized=N", "MainWindowState_Left=50", "MainWindowState_Top=50",
    "MainWindowState_Width=800", "MainWindowState_Height=600", "Open_Preview_Game=Y",
    "[Users]", "User001=Player 1", "User002=Player 2", "User003=Player 3",
    "[Parameters]", "Run_Exe=4", "[Show_Messages]", "Screen_Under_256_Colors=N",
]
cfg = crlf(preferences)
write("preferences", "cfg.dat", cfg)
write("preferences", "odd-values.dat",
      crlf(["[preference]", "back_card=0", "Card_Size=M", "Background_bmp=", "Game=0x10",
            "Background_Col=0", "Customized_Background=/x.bmp", "Language=$FF",
            "Speed_Move_Card=999", "  Cursor = \"3\"  ", "[Parameters]", "Run_Exe=9"]))
write("preferences", "empty.dat", b"")
write("ini_file", "cfg.dat", piece(b"Preference") + piece(b"Game") + piece(b"2") + cfg)
write("ini_file", "new-section.dat", piece(b"Users") + piece(b"User004") + piece(b"Player 4")
      + b"; comment\n[A]\nk = v\n\n[b]\n\"q\"=\"quoted\"\nnoequals\n[A]\nk=second\n")
write("ini_file", "lf-only.dat", piece(b"X") + piece(b"y") + piece(b"") + b"[X]\ny=1\n[Z]")
statistics = crlf(["[Version]", "Version=0200", "", "[Scores]",
                   "0001 Player 1           000120 0003 0001", "Name=x", "0" + "9" * 99])
switches = crlf(["[Preference]", "Cards_Animate=S", "ConfirmQuit=S"])
write("statistics_file", "version-0200.dat", piece(switches) + statistics)
write("statistics_file", "no-version.dat", piece(b"") + crlf(["[Scores]", "0abc", "01"]))
write("statistics_file", "current.dat",
      piece(b"") + crlf(["[Version]", "Version=0300", "", "[Scores]", "01"]))

# ---- kolvan32.dat and saved games: the record as the game object writes it ----
def record(moves="", first_run=0, player=b"Anonymous"):
    board = [2] * 42
    heights = [1] * 7
    to_move, last = 0, 1
    colour = to_move
    for m in moves:
        c = int(m)
        board[(c - 1) * 6 + heights[c - 1] - 1] = colour
        heights[c - 1] += 1
        colour = 1 - colour
    if len(moves) % 2:
        to_move, last = 1, 0
    history = [int(m) for m in moves] + [0] * (42 - len(moves))
    data = bytearray(444)
    data[0:42] = bytes(board)
    data[42:84] = bytes(history)
    data[84:112] = struct.pack("<7i", *heights)
    data[112:140] = struct.pack("<7i", *heights)
    data[140] = len(moves)
    data[144], data[145], data[146] = 4, 1, 0
    data[147:154] = bytes([1, 1, 1, 1, 1, 1, 0])
    opponents = [(b"Stupid Hux", (1, 4, 9), (1, 3, 7), 5), (b"Weak Bek", (4, 6, 10), (2, 3, 5), 4),
                 (b"Calm Irva", (2, 7, 18), (1, 4, 10), 3), (b"Cool Yorn", (2, 4, 12), (2, 4, 12), 2),
                 (b"Smart Quna", (2, 4, 8), (1, 3, 6), 1), (b"Super Tavo", (2, 5, 11), (1, 3, 6), 0)]
    for i, (name, off, dfn, strategy) in enumerate(opponents):
        at = 156 + 44 * i
        data[at:at + 32] = struct.pack("<8i", *off, 500, *dfn, 500)
        data[at + 32] = strategy
        data[at + 33:at + 44] = bytes([len(name)]) + name.ljust(10, b"\0")
    data[420:430] = bytes([to_move, last, 1, 0, 0, 0, 0, 0, 0, 0])
    data[430:441] = bytes([len(player)]) + player.ljust(10, b"\0")
    data[441] = first_run
    return bytes(data)

write("kolvan_record", "kolvan32.dat", record(first_run=1))
write("kolvan_record", "midgame.klv", record("44536", player=b"Alice"))
write("kolvan_record", "full-column.klv", record("1111112"))

# ---- the network lines kolvan32 receives; the socket layer's line mode ----
# kolvan_network: a role byte (0 listens, 1 connects), then the peer's chunks.
write("kolvan_network", "listener-game.dat", b"\0" + piece(b"PBob\n") + piece(b"C4\nC") +
      piece(b"3\r\n") + piece(b"MHello\nC5\n"))
write("kolvan_network", "connector-game.dat", b"\1" + piece(b"PLis\nGA\n") + piece(b"C4\n"))
write("kolvan_network", "long-line.dat", b"\0" + piece(b"PBob\n") + chunks(b"x" * 1100 + b"\nC3\n", 200))
write("kolvan_network", "nul-bytes.dat", b"\1" + piece(b"P\0Nul\nGB\n\0C\0" + b"3\n"))
# socket_lines: a flags byte (1 line end LF, 2 no editing, 4 echo), then the chunks.
write("socket_lines", "edited.dat", b"\4" + piece(b"ab\bc\r\n") + piece(b"\tx\r") + piece(b"\n"))
write("socket_lines", "plain-lf.dat", b"\3" + piece(b"one\ntwo") + piece(b"\nthree"))

# ---- WAV files and pictures ----
for folder, names in ((os.path.join(dist, "Zevodadu", "SOUNDS"), ["Splash.wav", "Redeal.wav"]),
                      (os.path.join(dist, "gridlet", "sounds"), ["button.wav"])):
    for name in names:
        write("wav_file", name.lower(), read(os.path.join(folder, name))[:1200])
write("wav_file", "stereo-16.wav", b"RIFF" + struct.pack("<I", 44) + b"WAVEfmt " +
      struct.pack("<IHHIIHH", 16, 1, 2, 22050, 88200, 4, 16) + b"LIST\3\0\0\0abc\0" +
      b"data" + struct.pack("<I", 8) + bytes(range(8)))


def crop_bmp(data, width, height):
    """The top left corner of a 24-bit bottom-up BMP."""
    offset, = struct.unpack_from("<I", data, 10)
    w, h = struct.unpack_from("<ii", data, 18)
    stride = (w * 3 + 3) & ~3
    out_stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(h - height, h):
        row = data[offset + y * stride: offset + y * stride + width * 3]
        rows.append(row + b"\0" * (out_stride - width * 3))
    pixels = b"".join(rows)
    header = bytearray(data[:offset])
    struct.pack_into("<I", header, 2, offset + len(pixels))
    struct.pack_into("<ii", header, 18, width, height)
    struct.pack_into("<I", header, 34, len(pixels))
    return bytes(header) + pixels


images = os.path.join(dist, "Zevodadu", "Images")
write("background_picture", "dl001.bmp", read(os.path.join(images, "DL001.bmp")))
write("background_picture", "b287-corner.bmp", crop_bmp(read(os.path.join(images, "B287.bmp")), 20, 12))


def png(width, height):
    raw = b"".join(b"\0" + bytes(v for x in range(width) for v in (x * 40 % 256, y * 60 % 256, 77))
                   for y in range(height))

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))


write("background_picture", "small.png", png(7, 5))
