#!/usr/bin/env python3
"""Doxygen input filter. The tree writes its reference comments as plain //
lines above a declaration, or after it on the same line, and as /* */ blocks
in the engine's C header; this hands them to Doxygen as its own. A comment
block at the top of a header describes the file; a block followed by a blank
line or a preprocessor line is a heading and stays a plain comment."""
import re
import sys

lines = open(sys.argv[1], encoding="latin-1").read().split("\n")
out = []
i = 0
at_top = True
while i < len(lines):
    line = lines[i]
    stripped = line.lstrip()
    if stripped.startswith("//") and not stripped.startswith(("///", "//!")):
        block = []
        while i < len(lines) and lines[i].lstrip().startswith("//"):
            block.append(lines[i])
            i += 1
        following = lines[i].strip() if i < len(lines) else ""
        if at_top:
            out.append("/// \\file")
            out.extend(re.sub(r"^(\s*)//", r"\1///", b, count=1) for b in block)
        elif following and not following.startswith(("#", "}", "//", "public:", "private:", "protected:")):
            out.extend(re.sub(r"^(\s*)//", r"\1///", b, count=1) for b in block)
        else:
            out.extend(block)
        at_top = False
        continue
    if stripped.startswith("/*") and not stripped.startswith(("/**", "/*!")):
        line = line.replace("/*", "/**", 1)
    elif not stripped.startswith("#") and "//" in line:
        line = re.sub(r"([;,{])(\s+)//(?![/!<])", r"\1\2///<", line, count=1)
    if stripped and not stripped.startswith("#"):
        at_top = False
    out.append(line)
    i += 1
sys.stdout.write("\n".join(out))
