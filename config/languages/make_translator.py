#!/usr/bin/env python3
"""Writes the MainTranslator object of the stored main form from the twelve
language tables beside this script (UTF-8 text, one kbli<Name>.txt each).

Each table is stored in its language's Windows code page, as the running
installer shows it. The object replaces the one in main_form.dfm, or is
appended as the main form's last component.

  make_translator.py [--check] [main_form.dfm]

--check only compares and exits 1 when the stored form is out of date."""

import os
import sys

# In the order the translator publishes them, with each table's code page.
LANGUAGES = [
    ("Czech", "cp1250"), ("English", "cp1252"), ("French", "cp1252"),
    ("German", "cp1252"), ("Greek", "cp1253"), ("Hebrew", "cp1255"),
    ("Italian", "cp1252"), ("Korean", "cp949"), ("Japanese", "cp932"),
    ("Portugese", "cp1252"), ("Russian", "cp1251"), ("Spanish", "cp1252"),
]
MAX_TEXT = 255  # a table string is cut beyond this many bytes
HERE = os.path.dirname(os.path.abspath(__file__))


def quote(data: bytes) -> str:
    """A stored-form string: printable ASCII quoted, other bytes as #nnn."""
    out, in_quotes = [], False
    for b in data:
        if 0x20 <= b < 0x7F:
            if not in_quotes:
                out.append("'")
                in_quotes = True
            out.append("''" if b == 0x27 else chr(b))
        else:
            if in_quotes:
                out.append("'")
                in_quotes = False
            out.append("#%d" % b)
    if in_quotes:
        out.append("'")
    return "".join(out) or "''"


def table_lines(name: str, codepage: str) -> list:
    path = os.path.join(HERE, "kbli%s.txt" % name)
    lines = []
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f.read().splitlines(), 1):
            try:
                data = line.encode(codepage)
            except UnicodeEncodeError as e:
                sys.exit("%s:%d: not in code page %s: %s" % (path, number, codepage, e))
            text = data.split(b";")[1] if b";" in data and not data.startswith((b"#", b"*")) else b""
            if len(text) > MAX_TEXT:
                sys.exit("%s:%d: text of %d bytes, more than %d" % (path, number, len(text), MAX_TEXT))
            lines.append(data)
    return lines


def translator_object() -> str:
    out = ["  object MainTranslator: TTranslator\n"]
    for name, codepage in LANGUAGES:
        prop = "    lg%s." % name
        out.append(prop + "Font.Charset = DEFAULT_CHARSET\n")
        out.append(prop + "Font.Color = clWindowText\n")
        out.append(prop + "Font.Height = -11\n")
        out.append(prop + "Font.Name = 'MS Sans Serif'\n")
        out.append(prop + "Font.Style = []\n")
        lines = table_lines(name, codepage)
        out.append(prop + "Strings = (")
        out.append("".join("\n      " + quote(line) for line in lines) + ")\n")
    out.append("  end\n")
    return "".join(out)


def updated(form: str) -> str:
    block = translator_object()
    start = form.find("  object MainTranslator: TTranslator\n")
    if start >= 0:
        end = form.index("\n  end\n", start) + len("\n  end\n")
        return form[:start] + block + form[end:]
    last = form.rstrip("\r\n").rfind("\nend")
    return form[: last + 1] + block + form[last + 1:]


def main(argv):
    check = "--check" in argv
    args = [a for a in argv if a != "--check"]
    path = args[0] if args else os.path.join(HERE, "..", "main_form.dfm")
    with open(path, "rb") as f:
        form = f.read().decode("latin-1")
    new = updated(form)
    if check:
        if new != form:
            print("%s: MainTranslator differs from the language tables; run %s" % (path, __file__))
            return 1
        return 0
    if new != form:
        with open(path + ".tmp", "wb") as f:
            f.write(new.encode("latin-1"))
        os.replace(path + ".tmp", path)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
