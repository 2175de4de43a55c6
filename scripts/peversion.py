#!/usr/bin/env python3
"""Prints the FileVersion string of a Windows program's version block
(the first one in the file), or nothing when it has none."""
import sys

data = open(sys.argv[1], "rb").read()
key = "FileVersion\0".encode("utf-16-le")
pos = data.find(key)
if pos < 0:
    sys.exit(1)
pos += len(key)
# Padding to the next 32-bit boundary comes before the value.
while data[pos:pos + 2] == b"\0\0":
    pos += 2
end = pos
while data[end:end + 2] != b"\0\0":
    end += 2
print(data[pos:end].decode("utf-16-le"))
