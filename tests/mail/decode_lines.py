"""Decodes the lines one of our encoders wrote with Python's own codecs and
compares the result with the original bytes.

    decode_lines.py base64|uu|qp ENCODED_LINES_FILE ORIGINAL_FILE

Prints "ok", or what differs.
"""
import base64
import binascii
import quopri
import sys


def joined_paragraphs(source):
    """The source with each of its line ends as CR LF: a CR or LF ends a
    line, a second CR or LF right after it belongs to the same line end,
    and the last byte is always text."""
    lines = []
    i = 0
    while i < len(source):
        line = bytearray()
        while i < len(source):
            c = source[i]
            i += 1
            if c in (10, 13) and i < len(source):
                if source[i] in (10, 13):
                    i += 1
                break
            line.append(c)
        lines.append(bytes(line))
    return b"\r\n".join(lines)


def main():
    mode, encoded_path, original_path = sys.argv[1:4]
    with open(encoded_path, "rb") as f:
        lines = f.read().split(b"\n")
    with open(original_path, "rb") as f:
        original = f.read()
    if mode == "base64":
        if any(len(line) != 76 for line in lines[:-1]) or len(lines[-1]) > 76:
            print("line lengths %r" % sorted(set(len(line) for line in lines)))
        decoded = base64.b64decode(b"".join(lines), validate=True)
    elif mode == "uu":
        decoded = b"".join(binascii.a2b_uu(line) for line in lines)
    else:
        decoded = quopri.decodestring(b"\r\n".join(lines))
        original = joined_paragraphs(original)
    print("ok" if decoded == original else "decoded %d bytes, expected %d" % (len(decoded), len(original)))


main()
