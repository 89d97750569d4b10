#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets from the program's own texts.

Run from anywhere: python3 fuzz/make_seeds.py. The seeds are committed; the
fuzz stage starts from them and keeps what it finds in a scratch folder.
"""
import pathlib
import struct

ROOT = pathlib.Path(__file__).resolve().parent.parent
TEXTS = ROOT / "resources" / "texts"
CORPUS = ROOT / "fuzz" / "corpus"


def text(name):
    return (TEXTS / name).read_bytes()


def put(target, name, data):
    folder = CORPUS / target
    folder.mkdir(parents=True, exist_ok=True)
    (folder / name).write_bytes(data)


def codec_seeds():
    model = text("DE_Modell")
    lines = model.split(b"\r\n")
    put("textcodec", "de_modell", model)
    put("textcodec", "newmodell", text("NewModell"))
    put("textcodec", "written_crlf", model + b"\r\n")
    put("textcodec", "lf_only", b"\n".join(lines))
    put("textcodec", "cr_only_and_nul", b"\r".join(lines[:20]) + b"\0after the end")
    head = "\r\n".join(l.decode("cp1252") for l in lines[:12]) + "\r\n"
    put("textcodec", "utf8_mark", b"\xef\xbb\xbf" + head.encode("utf-8"))
    put("textcodec", "utf16le_mark", b"\xff\xfe" + head.encode("utf-16-le"))
    put("textcodec", "utf16be_mark", b"\xfe\xff" + head.encode("utf-16-be"))
    put("textcodec", "utf16le_odd", b"\xff\xfe" + "ALL\r\n".encode("utf-16-le") + b"A")
    put("textcodec", "house_lines", b"\r\n".join(lines[132:152]))
    put("textcodec", "long_first_field", b"1," + b"x" * 200 + b",2,3\r\n,\t{ ,a , b,\r\n")
    put("textcodec", "cp1252_high", bytes(range(0x80, 0x100)) + b",\x81,\x8d,\x8f,\x90,\x9d,")


def registry_seeds():
    # FuzzedDataProvider takes numbers from the end and strings from the
    # front. Last byte odd: a raw file (key, value name, then the file);
    # even: the written-value round trip.
    wine = (b"WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n\n"
            b"[Software\\\\Wow6432Node\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\App Paths\\\\z7.exe] 1700000000\n"
            b"#time=1d9c0a0a0a0a0a0\n\"Path\"=\"C:\\\\Spiele\\\\Z7\"\n\n"
            b"[Software\\\\Wow6432Node\\\\Link] 1700000000\n#link\n"
            b"\"SymbolicLinkValue\"=hex(6):5c,00,52,00,65,00,67,00,69,00,73,00,74,00,72,00,79,00,5c,00,\\\n"
            b"  4d,00,61,00,63,00,68,00,69,00,6e,00,65,00,5c,00,53,00,6f,00,66,00,74,00,77,00,61,00,72,00,65,00\n\n"
            b"[Software\\\\Forms] 1700000000\n\"Str\"=str:\"a\\\\b\\\"c\\n\\x00e4\"\n"
            b"\"Expand\"=str(2):\"%SystemRoot%\\\\x\"\n\"Hex\"=hex(2):43,00,3a,00,00,00\n"
            b"\"Dword\"=dword:0000002a\n\"Bin\"=hex:01,02\n@=\"default\"\n")
    key = b"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\z7.exe"

    def raw(k, v, body):
        # ConsumeRandomLengthString: a backslash escapes a backslash, and a
        # backslash followed by anything else ends the string.
        esc = lambda s: s.replace(b"\\", b"\\\\") + b"\\n"
        return esc(k) + esc(v) + body + b"\x01"

    put("registry", "raw_app_paths", raw(key, b"Path", wine))
    put("registry", "raw_forms", raw(b"Software\\Forms", b"Hex", wine))
    put("registry", "raw_link", raw(b"Software\\Link\\x", b"y", wine))
    put("registry", "raw_not_a_registry", raw(key, b"Path", b"REGEDIT4\n[x]\n"))
    # The round trip's choices come from the bytes before the last; a few
    # shapes of plain text give it a start.
    for i, body in enumerate([b"App Paths\\\\z7.exe\\\\Path\\\\C:\\\\Spiele\\\\Z7\\\\",
                              b"\xc3\xa4\\\\\x00\"]\\\\\n\r\t\\\\",
                              b"[Junk]\n\"Path\"=\"other\"\n#link\n" * 3]):
        put("registry", f"written_{i}", body + bytes([7, 6, 5, 4, 3, 2, 1, i, 0]))


def catalogue_seeds():
    parts = [text(n) for n in ("NodeTree", "NodeIndex", "NodeStatusIndex", "NodeExtendedIndex")]
    put("catalogue", "shipped", b"\x1e".join(parts))
    put("catalogue", "shipped_missing_text", b"\x1e".join(parts) + b"\x1e\x02")
    small = [b"Gruppe\r\n\tEintrag\r\n\t\tTiefer\r\nZweite", b"1\r\n2\r\n3\r\n4",
             b"13\r\n-1\r\n+299\r\n0", b"0\r\n1\r\n2\r\n3"]
    put("catalogue", "small", b"\x1e".join(small))
    put("catalogue", "too_deep", b"\x1e".join([b"A\r\n\t\tB"] + small[1:]))
    put("catalogue", "bad_code", b"\x1e".join(small[:1] + [b"1\r\n2\r\nx\r\n4"] + small[2:]))
    put("catalogue", "short_table", b"\x1e".join(small[:3] + [b"0"]))


def vdf_seeds():
    current = (b'"libraryfolders"\n{\n\t"0"\n\t{\n\t\t"path"\t\t"/home/spieler/.local/share/Steam"\n'
               b'\t\t"label"\t\t""\n\t\t"apps"\n\t\t{\n\t\t\t"228980"\t\t"229318063"\n\t\t}\n'
               b'\t}\n\t"1"\n\t{\n\t\t"path"\t\t"/mnt/Zweite Platte/SteamLibrary"\n\t}\n}\n')
    # The last byte picks the property (FuzzedDataProvider takes numbers from
    # the end): even reads the rest as a file.
    put("vdf", "current", current + b"\x00")
    put("vdf", "older", b'"LibraryFolders"\n{\n\t"TimeNextStatsReport"\t\t"1650000000"\n'
                        b'\t"1"\t\t"/mnt/disk2/SteamLibrary"\n}\n\x00')
    put("vdf", "bare_comments_conditions",
        b"// Steam\r\nlibraryfolders { 0 { path /a [$LINUX] } 1 { path \"D:\\\\x\" } }\r\n\x00")
    put("vdf", "broken", b'"libraryfolders" { "0" { "path" "/a"\x00')
    put("vdf", "written", bytes(range(64)) + b"\x01")


codec_seeds()
registry_seeds()
catalogue_seeds()
vdf_seeds()
