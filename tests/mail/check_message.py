"""Parses a composed mail message with Python's email package and reports
what a mail reader would see, one fact per line, so that a test can compare
the report with what it expects.

    check_message.py MESSAGE [ATTACHMENT ...]

Each leaf part (and each UUEncoded file in a plain body) is reported with
the index of the ATTACHMENT file whose bytes it equals, or -1.
"""
import binascii
import email
import email.policy
import email.utils
import sys


def matching_file(payload, files):
    for index, path in enumerate(files):
        with open(path, "rb") as f:
            if f.read() == payload:
                return index
    return -1


def uu_files(text):
    """Yields (name, bytes) of every begin/end block, decoded line by line."""
    lines = text.replace("\r\n", "\n").split("\n")
    i = 0
    while i < len(lines):
        if lines[i].startswith("begin 600 "):
            name = lines[i][len("begin 600 "):]
            data = b""
            i += 1
            while lines[i] != "end":
                data += binascii.a2b_uu(lines[i])
                i += 1
            yield name, data
        i += 1


def main():
    with open(sys.argv[1], "rb") as f:
        wire = f.read()
    # The file is what goes after DATA; undo the SMTP dot doubling as the
    # receiving server does.
    raw = b"\r\n".join(line[1:] if line.startswith(b".") else line for line in wire.split(b"\r\n"))
    files = sys.argv[2:]
    if b"\n" in raw.replace(b"\r\n", b""):
        print("bare line feed")
    message = email.message_from_bytes(raw, policy=email.policy.compat32)
    print("from=%r" % (email.utils.getaddresses(message.get_all("From", [])),))
    print("to=%r" % (email.utils.getaddresses(message.get_all("To", [])),))
    if message.get_all("CC"):
        print("cc=%r" % (email.utils.getaddresses(message.get_all("CC")),))
    print("subject=%r" % (message.get_all("Subject"),))
    for part in message.walk():
        for defect in part.defects:
            print("defect %s" % type(defect).__name__)
        if part.is_multipart():
            print("multipart %s" % part.get_content_type())
            continue
        payload = part.get_payload(decode=True)
        print("part %s filename=%s file=%d" % (part.get_content_type(), part.get_filename(), matching_file(payload, files)))
        if part.get_content_maintype() == "text":
            text = payload.decode("latin-1")
            for name, data in uu_files(text):
                print("uu %s file=%d" % (name, matching_file(data, files)))
            if "begin 600 " not in text:
                print("text=%r" % text)


main()
