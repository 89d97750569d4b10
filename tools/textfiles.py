"""Writes the built-in texts, or with --check compares them with what is committed."""

import sys


def write_or_check(texts, sizes, out):
    """texts: name -> bytes. Returns the process exit code."""
    check = "--check" in sys.argv[1:]
    failed = False
    for name, data in texts.items():
        if len(data) != sizes[name]:
            print(f"{name}: {len(data)} bytes, expected {sizes[name]}", file=sys.stderr)
            failed = True
        path = out / name
        if check:
            if not path.exists() or path.read_bytes() != data:
                print(f"{path} differs from what the script makes", file=sys.stderr)
                failed = True
        else:
            path.parent.mkdir(parents=True, exist_ok=True)
            path.write_bytes(data)
    return 1 if failed else 0
