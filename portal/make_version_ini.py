#!/usr/bin/env python3
"""Writes res/box/version.ini: the newest program version and the MD5 of
res/box/param.ini exactly as served. Run it after every change to param.ini."""
import hashlib
import pathlib

HERE = pathlib.Path(__file__).resolve().parent
MAIN_VERSION = "1.0"  # the program's own version: the demo asks for no update


def main():
    digest = hashlib.md5((HERE / "res/box/param.ini").read_bytes()).hexdigest()
    text = f"[VERSION]\r\nmainver={MAIN_VERSION}\r\n\r\n[PARAM]\r\nmd5={digest}\r\n"
    (HERE / "res/box/version.ini").write_bytes(text.encode("ascii"))
    print(f"version.ini: mainver={MAIN_VERSION} md5={digest}")


if __name__ == "__main__":
    main()
