#!/usr/bin/env python3
"""Copies a C++ source with every non-ASCII character inside string and character literals written
as the octal escapes of its GB18030 bytes, so that a compiler that only reads UTF-8 and cannot
change its execution character set still gives the literals the program's GBK bytes.

Usage: gbk_literals.py SOURCE TARGET, or gbk_literals.py --into FOLDER FILE... to copy every FILE
to FOLDER/FILE in one run (files other than .cpp and .h are copied as they are)."""
import os
import shutil
import sys

def convert(text):
    out = []
    i, n = 0, len(text)
    while i < n:
        c = text[i]
        if c == '/' and i + 1 < n and text[i + 1] == '/':
            j = text.find('\n', i)
            j = n if j < 0 else j
            out.append(text[i:j]); i = j
        elif c == '/' and i + 1 < n and text[i + 1] == '*':
            j = text.find('*/', i + 2)
            j = n if j < 0 else j + 2
            out.append(text[i:j]); i = j
        elif c in '"\'':
            quote = c
            j = i + 1
            body = []
            while j < n and text[j] != quote:
                if text[j] == '\\' and j + 1 < n:
                    body.append(text[j:j + 2]); j += 2
                    continue
                ch = text[j]
                if ord(ch) < 0x80:
                    body.append(ch)
                else:
                    body.append(''.join('\\%03o' % b for b in ch.encode('gb18030')))
                j += 1
            out.append(quote + ''.join(body) + quote); i = j + 1
        else:
            out.append(c); i += 1
    return ''.join(out)

def copy(src, dst):
    if not src.endswith(('.cpp', '.h')):
        shutil.copyfile(src, dst)
        return
    with open(src, encoding='utf-8') as f:
        text = f.read()
    with open(dst, 'w', encoding='utf-8') as f:
        f.write(convert(text))

if sys.argv[1] == '--into':
    folder = sys.argv[2]
    for name in sys.argv[3:]:
        target = os.path.join(folder, name)
        os.makedirs(os.path.dirname(target), exist_ok=True)
        copy(name, target)
else:
    copy(sys.argv[1], sys.argv[2])
