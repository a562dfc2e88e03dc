#!/usr/bin/env python3
"""Reads an exported table back with readers that share nothing with the
program's writers: the csv module for CSV and TSV, zipfile and ElementTree
for XLSX workbooks. Prints what it read, one JSON value per line:

  CSV, TSV:  a line "bom 0|1", then one JSON array per record;
  XLSX:      per sheet a line "sheet NAME frozen 0|1 widths [..]" (NAME as
             JSON), then one JSON array per row, numbers as JSON numbers.

Usage: read_table.py csv|tsv|xlsx FILE
"""
import csv
import io
import json
import re
import sys
import zipfile
import xml.etree.ElementTree as ET

MAIN = "{http://schemas.openxmlformats.org/spreadsheetml/2006/main}"
REL = "{http://schemas.openxmlformats.org/officeDocument/2006/relationships}"
PKG_REL = "{http://schemas.openxmlformats.org/package/2006/relationships}"
TSV_ESCAPES = {"\\\\": "\\", "\\t": "\t", "\\n": "\n", "\\r": "\r"}


def dump(value):
    print(json.dumps(value, ensure_ascii=False))


def read_delimited(kind, path):
    raw = open(path, "rb").read()
    bom = raw.startswith(b"\xef\xbb\xbf")
    print("bom", int(bom))
    text = raw.decode("utf-8-sig")
    if kind == "csv":
        reader = csv.reader(io.StringIO(text, newline=""), strict=True)
        for record in reader:
            dump(record)
        return
    reader = csv.reader(io.StringIO(text, newline=""), delimiter="\t",
                        quoting=csv.QUOTE_NONE, strict=True)
    for record in reader:
        dump([re.sub(r"\\[\\tnr]", lambda m: TSV_ESCAPES[m.group(0)], f)
              for f in record])


def unescape_ooxml(s):
    # _xHHHH_ stands for the character HHHH (_x005F_ for an underscore).
    return re.sub(r"_x([0-9A-Fa-f]{4})_", lambda m: chr(int(m.group(1), 16)), s)


def text_of(element):
    # A plain <t> or rich text runs <r><t>.
    return unescape_ooxml("".join(t.text or "" for t in element.iter(MAIN + "t")))


def column_index(ref):
    letters = re.match(r"[A-Z]+", ref).group(0)
    index = 0
    for letter in letters:
        index = index * 26 + ord(letter) - ord("A") + 1
    return index - 1


def number(text):
    value = float(text)
    return int(value) if value.is_integer() and abs(value) < 2 ** 53 else value


def read_xlsx(path):
    book = zipfile.ZipFile(path)
    names = set(book.namelist())
    shared = []
    if "xl/sharedStrings.xml" in names:
        root = ET.fromstring(book.read("xl/sharedStrings.xml"))
        shared = [text_of(si) for si in root.iter(MAIN + "si")]
    rels = ET.fromstring(book.read("xl/_rels/workbook.xml.rels"))
    targets = {r.get("Id"): r.get("Target") for r in rels.iter(PKG_REL + "Relationship")}
    workbook = ET.fromstring(book.read("xl/workbook.xml"))
    for sheet in workbook.iter(MAIN + "sheet"):
        target = targets[sheet.get(REL + "id")].lstrip("/")
        if not target.startswith("xl/"):
            target = "xl/" + target
        root = ET.fromstring(book.read(target))
        pane = root.find(f"{MAIN}sheetViews/{MAIN}sheetView/{MAIN}pane")
        frozen = pane is not None and pane.get("state") == "frozen" and pane.get("ySplit") == "1"
        widths = [float(c.get("width")) for c in root.iter(MAIN + "col")]
        print("sheet", json.dumps(sheet.get("name"), ensure_ascii=False), "frozen", int(frozen),
              "widths", json.dumps(widths))
        rows = []
        for row in root.iter(MAIN + "row"):
            cells = {}
            for c in row.iter(MAIN + "c"):
                kind = c.get("t", "n")
                v = c.find(MAIN + "v")
                if kind == "s":
                    value = shared[int(v.text)]
                elif kind == "inlineStr":
                    value = text_of(c.find(MAIN + "is"))
                elif kind in ("str", "e"):
                    value = v.text or ""
                elif kind == "b":
                    value = bool(int(v.text))
                elif v is None:
                    continue
                else:
                    value = number(v.text)
                cells[column_index(c.get("r"))] = value
            rows.append(cells)
        width = max((max(r) + 1 for r in rows if r), default=0)
        for cells in rows:
            dump([cells.get(i, "") for i in range(width)])


def main():
    kind, path = sys.argv[1], sys.argv[2]
    if kind == "xlsx":
        read_xlsx(path)
    else:
        read_delimited(kind, path)


if __name__ == "__main__":
    main()
