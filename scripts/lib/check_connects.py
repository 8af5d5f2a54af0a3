#!/usr/bin/env python3
"""Fails on a Qt connect() whose slot is a lambda without a context object.

Qt 6.4 has no QT_NO_CONTEXTLESS_CONNECT: connect(sender, &Signal, [..]{..}) would keep calling
the lambda after whatever it captured is gone. Every lambda connect names a context object as
its third argument. Usage: check_connects.py FILE...
"""
import re
import sys

CALL = re.compile(r"\bconnect\s*\(")


def arguments(text, start):
    """Splits the call's arguments at top-level commas; returns them, or None when unbalanced."""
    depth = 0
    current = []
    result = []
    index = start
    while index < len(text):
        char = text[index]
        if char in "([{":
            depth += 1
        if char in ")]}":
            if depth == 0:
                result.append("".join(current).strip())
                return result
            depth -= 1
        if char == "," and depth == 0:
            result.append("".join(current).strip())
            current = []
        else:
            current.append(char)
        index += 1
    return None


def main(paths):
    failures = 0
    for path in paths:
        with open(path, encoding="utf-8") as source:
            text = source.read()
        for match in CALL.finditer(text):
            found = arguments(text, match.end())
            if found is not None and len(found) == 3 and found[2].startswith("["):
                line = text.count("\n", 0, match.start()) + 1
                print(f"  lambda connect without a context object: {path}:{line}")
                failures += 1
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
