#!/usr/bin/env python3
"""Doxygen input filter. The tree writes its reference comments as plain //
lines above a declaration, or after it on the same line, and as /* */ blocks
in the engine's C header; this hands them to Doxygen as its own.

The conventions it reads:
- A comment block at the top of a header describes the file.
- A block directly above a declaration (a #define counts) documents it; a
  block followed by a blank line, another preprocessor line, a closing brace
  or an access label is a heading and stays a plain comment.
- A comment after a declaration on the same line documents that declaration.
- In the engine's C header, a section block ("/* ---- name ----") or a /* */
  block ending in a colon, directly above declarations, documents the run
  of declarations under it in the same way (up to the first blank line).
- A block whose last line ends with a colon, directly above a run of
  declarations with no blank line between them, documents every declaration
  of the run: the run becomes a Doxygen member group and the block is shared
  by its members (DISTRIBUTE_GROUP_DOC). The run ends at the first blank
  line, comment line, closing brace or preprocessor line other than #define.
  A member of the run with a comment of its own keeps it.

Comment text is Doxygen's only in name: backslashes, @words and <words> in
it are written as they stand (escape sequences, registry paths, placeholders
such as <file>), so they are escaped here rather than read as commands or
HTML. Text between backticks is code and left alone.

Lines are never added or removed, so Doxygen's line numbers are the header's."""
import re
import sys


def escape(text):
    parts = text.split("`")
    for k in range(0, len(parts), 2):
        p = parts[k].replace("\\", "\\\\")
        p = re.sub(r"<(?=[A-Za-z/!?])", r"\\<", p)
        p = re.sub(r"@(?=[A-Za-z{}])", r"\\@", p)
        parts[k] = p
    return "`".join(parts)


def doc_line(line, marker="///"):
    m = re.match(r"^(\s*)//(.*)$", line)
    return m.group(1) + marker + escape(m.group(2))


def trailing_doc(line):
    """A comment after a declaration on the same line documents it."""
    if line.count("(") > line.count(")"):
        return line  # inside a parameter list: a comment there is not about a declaration
    m = re.search(r"([;,{}])(\s+)//(?![/!<])(.*)$", line)
    if m and not line.lstrip().startswith("}") and line[:m.start()].count("\"") % 2 == 0:
        return line[:m.start()] + m.group(1) + m.group(2) + "///<" + escape(m.group(3))
    m = re.search(r"([;,{]|^\s*#define\s.*\S)(\s+)/\*(?![*!])(.*)$", line)
    if m and line[:m.start()].count("\"") % 2 == 0:
        return line[:m.start()] + m.group(1) + m.group(2) + "/**<" + escape(m.group(3))
    return line


HEADING_NEXT = ("}", "//", "public:", "private:", "protected:")


def documentable(following):
    """Whether a comment directly above this line documents it."""
    return bool(following) and (not following.startswith("#") or following.startswith("#define")) \
        and not following.startswith(HEADING_NEXT)


def open_group(lines, first, close_at, line_comments_end):
    """Plans the member group of the run of declarations starting at line
    first: it ends at the first blank line, closing brace or preprocessor line
    other than #define outside braces (and at a // comment line when
    line_comments_end). Returns the line the group ends at, or -1 for no run."""
    j, depth = first, 0
    while j < len(lines):
        t = lines[j].strip()
        if depth == 0 and (not t or t.startswith("}") or (line_comments_end and t.startswith("//"))
                           or (t.startswith("#") and not t.startswith("#define"))):
            break
        depth += t.count("{") - t.count("}")
        j += 1
    last = j - 1
    if last < first:
        return -1
    if j < len(lines) and not lines[j].lstrip().startswith("#"):
        close_at[j] = "start"
    elif "//" not in lines[last] and "/*" not in lines[last]:
        close_at[last] = "end"
    else:
        close_at[last] = "before-comment"
    return j

lines = open(sys.argv[1], encoding="latin-1").read().split("\n")
out = []
i = 0
at_top = True
in_block = False
file_block = False
group_end = -1  # a member group is open up to this line; groups do not nest
close_at = {}  # line index -> where the member group closes ("end" of that line or "start")
while i < len(lines):
    line = lines[i]
    stripped = line.lstrip()
    if in_block:
        end = line.find("*/")
        if end < 0:
            out.append(escape(line))
        else:
            out.append(escape(line[:end]) + (" \\file" if file_block else "") + line[end:])
            in_block = False
            file_block = False
        i += 1
        continue
    if stripped.startswith("//") and not stripped.startswith(("///", "//!")):
        opens_with_close = close_at.pop(i, None) == "start"
        first_out = len(out)
        block = []
        while i < len(lines) and lines[i].lstrip().startswith("//"):
            block.append(lines[i])
            i += 1
        following = lines[i].strip() if i < len(lines) else ""
        documents = documentable(following)
        if at_top:
            # \file ends the block: on the first line it would take the
            # rest of the line as a file name.
            out.extend(doc_line(b) for b in block)
            out[-1] += " \\file"
        elif documents:
            docs = [doc_line(b) for b in block]
            if block[-1].rstrip().endswith(":") and i >= group_end:
                # A run of declarations shares the block.
                end = open_group(lines, i, close_at, True)
                if end >= 0:
                    group_end = end
                    docs[0] = re.sub(r"^(\s*)", r"\1/**@{*/ ", docs[0], count=1)
            out.extend(docs)
        else:
            out.extend(block)
        if opens_with_close:
            out[first_out] = "/**@}*/ " + out[first_out]
        at_top = False
        continue
    if stripped.startswith("/*") and not stripped.startswith(("/**", "/*!")):
        # A section block ("/* ---- name ----") or one ending in a colon,
        # directly above declarations, documents the run under it.
        end_line = i
        while end_line < len(lines) and "*/" not in lines[end_line]:
            end_line += 1
        if not at_top and end_line + 1 < len(lines) and i >= group_end:
            text = " ".join(lines[i:end_line + 1])
            text = text[:text.rfind("*/")].rstrip()
            following = lines[end_line + 1].strip()
            if (stripped.startswith("/* ----") or text.endswith(":")) and documentable(following):
                end = open_group(lines, end_line + 1, close_at, False)
                if end >= 0:
                    group_end = end
                    line = line.replace("/*", "/**@{*/ /*", 1)
        line = line.replace("/*", "/**", 1) if "/**@{*/" not in line else line.replace("/**@{*/ /*", "/**@{*/ /**", 1)
        start = line.rfind("/**") + 3
        end = line.find("*/", start)
        file_block = at_top
        if end < 0:
            line = line[:start] + escape(line[start:])
            in_block = True
        else:
            line = line[:start] + escape(line[start:end]) + (" \\file" if file_block else "") + line[end:]
    elif not stripped.startswith("#") or stripped.startswith("#define"):
        line = trailing_doc(line)
        if "/**<" in line and "*/" not in line.split("/**<", 1)[1]:
            in_block = True
    where = close_at.pop(i, None)
    if where == "end":
        line = line + " /**@}*/"
    elif where == "start":
        line = "/**@}*/ " + line
    elif where == "before-comment":
        line = re.sub(r"(\s*)(//|/\*)", r" /**@}*/\1\2", line, count=1)
    if stripped and not stripped.startswith("#"):
        at_top = False
    out.append(line)
    i += 1
sys.stdout.write("\n".join(out))
