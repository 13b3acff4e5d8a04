#!/usr/bin/env python3
"""Copies a C++ source with every non-ASCII character inside string and character literals written
as the octal escapes of its GB18030 bytes, so that a compiler that only reads UTF-8 and cannot
change its execution character set still gives the literals the program's GBK bytes."""
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

src, dst = sys.argv[1], sys.argv[2]
with open(src, encoding='utf-8') as f:
    text = f.read()
with open(dst, 'w', encoding='utf-8') as f:
    f.write(convert(text))
