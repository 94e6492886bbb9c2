#!/usr/bin/env python3
"""Writes the rows of a CSV file (UTF-8, a header row first) as an Excel
workbook of one sheet, every text a shared string, as Excel saves it.
Usage: make_xlsx.py INPUT.csv OUTPUT.xlsx"""
import csv
import sys
import zipfile
from xml.sax.saxutils import escape

source, target = sys.argv[1], sys.argv[2]
strings = {}
order = []


def index(text):
    if text not in strings:
        strings[text] = len(order)
        order.append(text)
    return strings[text]


columns = "ABCDEFGHIJ"
with zipfile.ZipFile(target, "w", zipfile.ZIP_DEFLATED, compresslevel=6) as archive:
    with open(source, newline="", encoding="utf-8") as rows, \
            archive.open("xl/worksheets/sheet1.xml", "w", force_zip64=True) as sheet:
        sheet.write(b'<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n'
                    b'<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><sheetData>')
        for number, row in enumerate(csv.reader(rows), start=1):
            cells = "".join(f'<c r="{columns[i]}{number}" t="s"><v>{index(text)}</v></c>'
                            for i, text in enumerate(row))
            sheet.write(f'<row r="{number}">{cells}</row>'.encode())
        sheet.write(b"</sheetData></worksheet>")
    with archive.open("xl/sharedStrings.xml", "w", force_zip64=True) as shared:
        shared.write(f'<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n<sst xmlns="http://schemas.'
                     f'openxmlformats.org/spreadsheetml/2006/main" uniqueCount="{len(order)}">'.encode())
        for text in order:
            shared.write(f'<si><t xml:space="preserve">{escape(text)}</t></si>'.encode())
        shared.write(b"</sst>")
    archive.writestr("[Content_Types].xml",
                     '<?xml version="1.0" encoding="UTF-8"?><Types xmlns="http://schemas.openxmlformats.org/package/'
                     '2006/content-types"><Default Extension="rels" ContentType="application/vnd.openxmlformats-'
                     'package.relationships+xml"/><Default Extension="xml" ContentType="application/xml"/><Override '
                     'PartName="/xl/workbook.xml" ContentType="application/vnd.openxmlformats-officedocument.'
                     'spreadsheetml.sheet.main+xml"/><Override PartName="/xl/worksheets/sheet1.xml" ContentType='
                     '"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/><Override '
                     'PartName="/xl/sharedStrings.xml" ContentType="application/vnd.openxmlformats-officedocument.'
                     'spreadsheetml.sharedStrings+xml"/></Types>')
    archive.writestr("_rels/.rels",
                     '<?xml version="1.0" encoding="UTF-8"?><Relationships xmlns="http://schemas.openxmlformats.org/'
                     'package/2006/relationships"><Relationship Id="rId1" Type="http://schemas.openxmlformats.org/'
                     'officeDocument/2006/relationships/officeDocument" Target="xl/workbook.xml"/></Relationships>')
    archive.writestr("xl/workbook.xml",
                     '<?xml version="1.0" encoding="UTF-8"?><workbook xmlns="http://schemas.openxmlformats.org/'
                     'spreadsheetml/2006/main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/'
                     'relationships"><sheets><sheet name="Терминдер" sheetId="1" r:id="rId1"/></sheets></workbook>')
    archive.writestr("xl/_rels/workbook.xml.rels",
                     '<?xml version="1.0" encoding="UTF-8"?><Relationships xmlns="http://schemas.openxmlformats.org/'
                     'package/2006/relationships"><Relationship Id="rId1" Type="http://schemas.openxmlformats.org/'
                     'officeDocument/2006/relationships/worksheet" Target="worksheets/sheet1.xml"/><Relationship '
                     'Id="rId2" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/'
                     'sharedStrings" Target="sharedStrings.xml"/></Relationships>')
